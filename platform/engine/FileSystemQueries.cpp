// Name queries, folder operations and wildcard searches of the engine file system stand-in.
#include "FileSystemQueries.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// A relative name with forward slashes and no trailing slash, or empty when it is absolute,
// names a drive or climbs out with "..".
std::string SafeName(const char *pName)
{
    if (!pName || !*pName)
        return std::string();
    std::string name = pName;
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
    while (name.size() > 1 && name.back() == '/')
        name.pop_back();
    return name;
}

}  // namespace

std::vector<std::string> FileSystemQueries::Existing(const char *pFileName, const char *pathID) const
{
    std::vector<std::string> found;
    std::string name = SafeName(pFileName);
    if (name.empty())
        return found;
    for (const std::string &root : Roots(pathID)) {
        std::string full = root + "/" + name;
        struct stat st;
        if (stat(full.c_str(), &st) == 0)
            found.push_back(full);
    }
    return found;
}

bool FileSystemQueries::FileExists(const char *pFileName, const char *pathID)
{
    return !Existing(pFileName, pathID).empty();
}

bool FileSystemQueries::IsDirectory(const char *pFileName, const char *pathID)
{
    for (const std::string &full : Existing(pFileName, pathID)) {
        struct stat st;
        if (stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return true;
    }
    return false;
}

unsigned int FileSystemQueries::FileSize(const char *pFileName, const char *pathID)
{
    for (const std::string &full : Existing(pFileName, pathID)) {
        struct stat st;
        if (stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            return st.st_size > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<unsigned int>(st.st_size);
    }
    return 0;
}

int64_t FileSystemQueries::GetFileTime(const char *pFileName, const char *pathID)
{
    for (const std::string &full : Existing(pFileName, pathID)) {
        struct stat st;
        if (stat(full.c_str(), &st) == 0)
            return static_cast<int64_t>(st.st_mtime);
    }
    return 0;
}

void FileSystemQueries::RemoveFile(const char *pFileName, const char *pathID)
{
    for (const std::string &full : Existing(pFileName, pathID)) {
        struct stat st;
        if (lstat(full.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
            unlink(full.c_str());
            return;
        }
    }
}

void FileSystemQueries::CreateDirHierarchy(const char *pPath, const char *pathID)
{
    std::string name = SafeName(pPath);
    std::vector<std::string> roots = Roots(pathID);
    if (name.empty() || roots.empty())
        return;
    std::string full = roots.front();
    size_t start = 0;
    while (start < name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos)
            end = name.size();
        if (end > start && name.compare(start, end - start, ".") != 0) {
            full += "/" + name.substr(start, end - start);
            if (mkdir(full.c_str(), 0755) != 0 && errno != EEXIST)
                return;
        }
        start = end + 1;
    }
}

const char *FileSystemQueries::FindFirstEx(const char *pWildCard, const char *pathID, FileFindHandle_t *pHandle)
{
    if (pHandle)
        *pHandle = FILESYSTEM_INVALID_FIND_HANDLE;
    std::string pattern = SafeName(pWildCard);
    if (pattern.empty() || !pHandle)
        return nullptr;
    size_t slash = pattern.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash);
    std::string wild = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (wild.empty())
        return nullptr;

    FindState state;
    for (const std::string &root : Roots(pathID)) {
        std::string dir = folder.empty() ? root : root + "/" + folder;
        DIR *d = opendir(dir.c_str());
        if (!d)
            continue;
        std::vector<FindEntry> here;
        while (dirent *e = readdir(d)) {
            if (strcmp(e->d_name, ".") == 0 || strcmp(e->d_name, "..") == 0)
                continue;
            if (fnmatch(wild.c_str(), e->d_name, 0) != 0)
                continue;
            bool seen = std::any_of(state.entries.begin(), state.entries.end(),
                                    [&](const FindEntry &f) { return f.name == e->d_name; });
            if (seen)
                continue;
            struct stat st;
            std::string full = dir + "/" + e->d_name;
            bool isDir = stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
            here.push_back(FindEntry{e->d_name, isDir});
        }
        closedir(d);
        // Directory order is arbitrary; hand names out in a stable order.
        std::sort(here.begin(), here.end(), [](const FindEntry &a, const FindEntry &b) { return a.name < b.name; });
        state.entries.insert(state.entries.end(), here.begin(), here.end());
    }
    if (state.entries.empty())
        return nullptr;
    FileFindHandle_t handle = m_NextFind++;
    if (m_NextFind < 0)
        m_NextFind = 0;
    state.next = 1;
    auto it = m_Finds.emplace(handle, std::move(state)).first;
    *pHandle = handle;
    return it->second.entries.front().name.c_str();
}

const char *FileSystemQueries::FindNext(FileFindHandle_t handle)
{
    auto it = m_Finds.find(handle);
    if (it == m_Finds.end() || it->second.next >= it->second.entries.size())
        return nullptr;
    return it->second.entries[it->second.next++].name.c_str();
}

bool FileSystemQueries::FindIsDirectory(FileFindHandle_t handle)
{
    auto it = m_Finds.find(handle);
    if (it == m_Finds.end() || it->second.next == 0 || it->second.next > it->second.entries.size())
        return false;
    return it->second.entries[it->second.next - 1].isDir;
}

void FileSystemQueries::FindClose(FileFindHandle_t handle)
{
    m_Finds.erase(handle);
}

int FileSystemQueries::GetSearchPath(const char *pathID, bool, char *pPath, int nMaxLen)
{
    std::string text;
    for (const std::string &root : Roots(pathID)) {
        if (!text.empty())
            text += ";";
        text += root;
        if (text.back() != '/')
            text += "/";
    }
    if (pPath && nMaxLen > 0) {
        size_t n = std::min(text.size(), static_cast<size_t>(nMaxLen - 1));
        memcpy(pPath, text.data(), n);
        pPath[n] = '\0';
    }
    return static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFFF));
}

FileHandle_t FileSystemQueries::OpenEx(const char *pFileName, const char *pOptions, unsigned int, const char *pathID,
                                       char **ppszResolvedFilename)
{
    if (ppszResolvedFilename)
        *ppszResolvedFilename = nullptr;
    return Open(pFileName, pOptions, pathID);
}
