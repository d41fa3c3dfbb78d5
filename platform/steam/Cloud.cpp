// Cloud files and write streams of the stand-in.
#include "Cloud.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace steamstandin {

bool MakeFolders(const std::string& path)
{
    if (path.empty())
        return false;
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0)
        MakeFolders(path.substr(0, slash));
    if (mkdir(path.c_str(), 0777) == 0 || errno == EEXIST)
        return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return false;
}

namespace {

int64_t FolderBytes(const std::string& path)
{
    int64_t total = 0;
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return 0;
    while (dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        std::string child = path + "/" + entry->d_name;
        struct stat st;
        if (lstat(child.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            total += FolderBytes(child);
        else if (S_ISREG(st.st_mode))
            total += st.st_size;
    }
    closedir(dir);
    return total;
}

} // namespace

bool Cloud::Open(const std::string& folder)
{
    CloseAll();
    m_root = folder + "/cloud";
    m_streams = folder + "/streams";
    return MakeFolders(m_root) && MakeFolders(m_streams);
}

void Cloud::CloseAll()
{
    while (!m_open.empty())
        Drop(m_open.begin());
}

bool Cloud::ValidName(const char* name)
{
    if (!name || !*name || std::strlen(name) >= 260 || name[0] == '/')
        return false;
    std::string part;
    for (const char* p = name;; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '/' || c == '\0') {
            if (part.empty() || part == "." || part == "..")
                return false;
            part.clear();
            if (c == '\0')
                return true;
            continue;
        }
        if (c == '\\' || c < 0x20 || c == 0x7f)
            return false;
        part += static_cast<char>(c);
    }
}

UGCFileWriteStreamHandle_t Cloud::OpenStream(const char* name)
{
    if (!ValidName(name) || m_root.empty())
        return k_UGCFileStreamHandleInvalid;
    UGCFileWriteStreamHandle_t handle = m_next++;
    std::string part = m_streams + "/" + std::to_string(getpid()) + "_" + std::to_string(handle);
    FILE* file = std::fopen(part.c_str(), "wb");
    if (!file)
        return k_UGCFileStreamHandleInvalid;
    m_open[handle] = Stream{name, part, file, 0, 0};
    return handle;
}

bool Cloud::WriteChunk(UGCFileWriteStreamHandle_t stream, const void* data, int32_t size, int64_t quotaBytes)
{
    auto it = m_open.find(stream);
    if (it == m_open.end() || !data || size <= 0)
        return false;
    Stream& s = it->second;
    ++s.chunks;
    // The file being replaced gives its room back when the stream closes.
    int64_t replaced = Size(s.name.c_str());
    if (Usage() - replaced + size > quotaBytes)
        return false;
    if (std::fwrite(data, 1, static_cast<size_t>(size), s.file) != static_cast<size_t>(size))
        return false;
    s.written += size;
    return true;
}

bool Cloud::CloseStream(UGCFileWriteStreamHandle_t stream, bool fail)
{
    auto it = m_open.find(stream);
    if (it == m_open.end())
        return false;
    Stream& s = it->second;
    bool ok = !fail && std::fflush(s.file) == 0;
    ok = std::fclose(s.file) == 0 && ok;
    s.file = nullptr;
    std::string target = PathOf(s.name);
    size_t slash = target.find_last_of('/');
    ok = ok && MakeFolders(target.substr(0, slash)) && std::rename(s.partPath.c_str(), target.c_str()) == 0;
    Drop(it);
    return ok;
}

bool Cloud::CancelStream(UGCFileWriteStreamHandle_t stream)
{
    auto it = m_open.find(stream);
    if (it == m_open.end())
        return false;
    Drop(it);
    return true;
}

int Cloud::ChunksWritten(UGCFileWriteStreamHandle_t stream) const
{
    auto it = m_open.find(stream);
    return it == m_open.end() ? 0 : it->second.chunks;
}

void Cloud::Drop(std::map<UGCFileWriteStreamHandle_t, Stream>::iterator it)
{
    if (it->second.file)
        std::fclose(it->second.file);
    unlink(it->second.partPath.c_str()); // gone already when the stream was closed
    m_open.erase(it);
}

bool Cloud::Delete(const char* name)
{
    if (!ValidName(name) || m_root.empty())
        return false;
    std::string path = PathOf(name);
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || unlink(path.c_str()) != 0)
        return false;
    // Folders left empty go too, up to the cloud folder itself.
    for (size_t slash = path.find_last_of('/'); slash != std::string::npos && slash > m_root.size();
         slash = path.find_last_of('/')) {
        path.erase(slash);
        if (rmdir(path.c_str()) != 0)
            break;
    }
    return true;
}

bool Cloud::Exists(const char* name) const
{
    struct stat st;
    return ValidName(name) && !m_root.empty() && stat(PathOf(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int64_t Cloud::Size(const char* name) const
{
    struct stat st;
    if (!Exists(name) || stat(PathOf(name).c_str(), &st) != 0)
        return 0;
    return st.st_size;
}

int64_t Cloud::Usage() const
{
    int64_t total = m_root.empty() ? 0 : FolderBytes(m_root);
    for (const auto& entry : m_open)
        total += entry.second.written;
    return total;
}

} // namespace steamstandin
