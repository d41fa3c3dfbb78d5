// The engine file system stand-in ("VFileSystem020"): real folders as search paths, each tagged
// with a path id; names that are absolute or climb out with ".." are refused.
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "GameContent.h"
#include "FileSystemAsync.h"
#include "FileSystemQueries.h"
#include "filesystem/IFileSystem.h"
#include "tier1/interface.h"
#include "tier1/utlbuffer.h"

namespace {

struct OpenFile
{
    FILE *fp;
};

inline FILE *FileOf(FileHandle_t file)
{
    return file ? static_cast<OpenFile *>(file)->fp : nullptr;
}

// A relative name with forward slashes, or empty when the name must be refused.
std::string CleanRelativeName(const char *pFileName)
{
    if (!pFileName || !*pFileName)
        return std::string();
    std::string name = pFileName;
    for (char &c : name)
        if (c == '\\')
            c = '/';
    if (name[0] == '/' || (name.size() > 1 && name[1] == ':'))
        return std::string();
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            return std::string();
        start = end + 1;
    }
    return name;
}

class EngineFileSystem final : public FileSystemAsync
{
public:
    int Read(void *pOutput, int size, FileHandle_t file) override
    {
        FILE *fp = FileOf(file);
        if (!fp || !pOutput || size <= 0)
            return 0;
        return static_cast<int>(fread(pOutput, 1, static_cast<size_t>(size), fp));
    }

    int Write(const void *pInput, int size, FileHandle_t file) override
    {
        FILE *fp = FileOf(file);
        if (!fp || !pInput || size <= 0)
            return 0;
        return static_cast<int>(fwrite(pInput, 1, static_cast<size_t>(size), fp));
    }

    FileHandle_t Open(const char *pFileName, const char *pOptions, const char *pathID) override
    {
        std::string name = CleanRelativeName(pFileName);
        if (name.empty() || !pOptions)
            return FILESYSTEM_INVALID_HANDLE;
        bool bWrite = strpbrk(pOptions, "wa+") != nullptr;
        for (const SearchPath &sp : m_SearchPaths) {
            if (pathID && strcasecmp(sp.id.c_str(), pathID) != 0)
                continue;
            std::string full = sp.root + "/" + name;
            if (!bWrite) {
                struct stat st;
                if (stat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                    continue;
            }
            FILE *fp = fopen(full.c_str(), pOptions);
            if (fp)
                return new OpenFile{fp};
            if (bWrite)
                break;  // writes go to the first matching path only
        }
        return FILESYSTEM_INVALID_HANDLE;
    }

    void Close(FileHandle_t file) override
    {
        if (!file)
            return;
        fclose(FileOf(file));
        delete static_cast<OpenFile *>(file);
    }

    void Seek(FileHandle_t file, int pos, FileSystemSeek_t seekType) override
    {
        FILE *fp = FileOf(file);
        if (!fp)
            return;
        int whence = seekType == FILESYSTEM_SEEK_CURRENT ? SEEK_CUR : seekType == FILESYSTEM_SEEK_TAIL ? SEEK_END : SEEK_SET;
        fseek(fp, pos, whence);
    }

    unsigned int Tell(FileHandle_t file) override
    {
        FILE *fp = FileOf(file);
        long pos = fp ? ftell(fp) : 0;
        return pos > 0 ? static_cast<unsigned int>(pos) : 0;
    }

    unsigned int Size(FileHandle_t file) override
    {
        FILE *fp = FileOf(file);
        struct stat st;
        if (!fp || fstat(fileno(fp), &st) != 0 || st.st_size < 0)
            return 0;
        if (static_cast<unsigned long long>(st.st_size) > 0xFFFFFFFFull)
            return 0xFFFFFFFFu;
        return static_cast<unsigned int>(st.st_size);
    }

    void Flush(FileHandle_t file) override
    {
        if (FILE *fp = FileOf(file))
            fflush(fp);
    }

    bool GetOptimalIOConstraints(FileHandle_t, unsigned int *pOffsetAlign, unsigned int *pSizeAlign,
                                 unsigned int *pBufferAlign) override
    {
        if (pOffsetAlign)
            *pOffsetAlign = 1;
        if (pSizeAlign)
            *pSizeAlign = 1;
        if (pBufferAlign)
            *pBufferAlign = 1;
        return false;
    }

    void *AllocOptimalReadBuffer(FileHandle_t, unsigned int nSize, unsigned int) override
    {
        return malloc(nSize ? nSize : 1);
    }

    void FreeOptimalReadBuffer(void *pBuffer) override { free(pBuffer); }

    int ReadEx(void *pOutput, int nDestSize, int nSize, FileHandle_t file) override
    {
        return Read(pOutput, nSize < nDestSize ? nSize : nDestSize, file);
    }

    bool ReadFile(const char *pFileName, const char *pPath, CUtlBuffer &buf, int nMaxBytes, int nStartingByte,
                  FSAllocFunc_t) override
    {
        FileHandle_t file = Open(pFileName, "rb", pPath);
        if (!file)
            return false;
        // Sizes are checked in 64 bits: the buffer holds at most INT_MAX bytes.
        int64_t nSize = Size(file);
        int64_t nStart = nStartingByte > 0 ? nStartingByte : 0;
        int64_t nWanted = nSize > nStart ? nSize - nStart : 0;
        if (nMaxBytes > 0 && nWanted > nMaxBytes)
            nWanted = nMaxBytes;
        bool bOk = nWanted <= static_cast<int64_t>(INT32_MAX) - buf.TellPut();
        if (bOk && nStart > 0)
            Seek(file, static_cast<int>(nStart), FILESYSTEM_SEEK_HEAD);
        int nPutStart = buf.TellPut();
        char chunk[65536];
        while (bOk && nWanted > 0) {
            int nChunk = static_cast<int>(nWanted < static_cast<int64_t>(sizeof(chunk)) ? nWanted : sizeof(chunk));
            int nRead = Read(chunk, nChunk, file);
            if (nRead <= 0)
                break;  // the file shrank: what was read stands
            buf.Put(chunk, nRead);
            bOk = !buf.IsPutOverflowed();
            nWanted -= nRead;
        }
        Close(file);
        if (!bOk)
            buf.SeekPut(CUtlBuffer::SEEK_HEAD, nPutStart);
        return bOk;
    }

    const char *RelativePathToFullPath(const char *pFileName, const char *pPathID, char *pLocalPath,
                                       int localPathBufferSize, int, int *) override
    {
        if (!pLocalPath || localPathBufferSize <= 0)
            return nullptr;
        pLocalPath[0] = '\0';
        std::string name = CleanRelativeName(pFileName);
        if (name.empty())
            return nullptr;
        for (const SearchPath &sp : m_SearchPaths) {
            if (pPathID && strcasecmp(sp.id.c_str(), pPathID) != 0)
                continue;
            std::string full = sp.root + "/" + name;
            struct stat st;
            if (stat(full.c_str(), &st) != 0)
                continue;
            snprintf(pLocalPath, static_cast<size_t>(localPathBufferSize), "%s", full.c_str());
            return pLocalPath;
        }
        return nullptr;
    }

    void AddSearchPath(const char *pPath, const char *pathID, SearchPathAdd_t addType) override
    {
        if (!pPath || !*pPath)
            return;
        std::string root = pPath;
        while (root.size() > 1 && (root.back() == '/' || root.back() == '\\'))
            root.pop_back();
        std::string id = pathID ? pathID : "";
        for (const SearchPath &sp : m_SearchPaths)
            if (sp.root == root && strcasecmp(sp.id.c_str(), id.c_str()) == 0)
                return;
        SearchPath sp{root, id};
        if (addType == PATH_ADD_TO_HEAD)
            m_SearchPaths.insert(m_SearchPaths.begin(), sp);
        else
            m_SearchPaths.push_back(sp);
    }

    bool RemoveSearchPath(const char *pPath, const char *pathID) override
    {
        if (!pPath)
            return false;
        std::string root = pPath;
        while (root.size() > 1 && (root.back() == '/' || root.back() == '\\'))
            root.pop_back();
        bool bRemoved = false;
        for (size_t i = 0; i < m_SearchPaths.size();) {
            const SearchPath &sp = m_SearchPaths[i];
            if (sp.root == root && (!pathID || strcasecmp(sp.id.c_str(), pathID) == 0)) {
                m_SearchPaths.erase(m_SearchPaths.begin() + static_cast<long>(i));
                bRemoved = true;
            } else {
                ++i;
            }
        }
        return bRemoved;
    }

    void RemoveAllSearchPaths() override { m_SearchPaths.clear(); }

    IAddonSystem *Addons() override { return enginestandin::AddonSystem(); }
    IGameDepotSystem *Games() override { return enginestandin::GameDepotSystem(); }
    IGamemodeSystem *Gamemodes() override { return enginestandin::GamemodeSystem(); }
    void MountedContentChanged() override { enginestandin::MountedContentChanged(); }
    int GetContentChangeCount() override { return enginestandin::ContentChangeCount(); }
protected:
    std::vector<std::string> Roots(const char *pathID) const override
    {
        std::vector<std::string> roots;
        for (const SearchPath &sp : m_SearchPaths)
            if ((pathID ? strcasecmp(sp.id.c_str(), pathID) == 0 : true) &&
                std::find(roots.begin(), roots.end(), sp.root) == roots.end())
                roots.push_back(sp.root);
        return roots;
    }

private:
    struct SearchPath
    {
        std::string root;
        std::string id;
    };
    std::vector<SearchPath> m_SearchPaths;
};

EngineFileSystem s_FileSystem;

void *CreateFileSystem()
{
    return static_cast<IFileSystem *>(&s_FileSystem);
}

InterfaceReg s_FileSystemReg(&CreateFileSystem, FILESYSTEM_INTERFACE_VERSION);

void *CreateAsyncReadStandIn()
{
    return static_cast<IAsyncReadStandIn *>(&s_FileSystem);
}

InterfaceReg s_AsyncReadStandInReg(&CreateAsyncReadStandIn, ASYNCREAD_STANDIN_INTERFACE_VERSION);

}  // namespace
