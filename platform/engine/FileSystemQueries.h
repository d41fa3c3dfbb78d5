// Name queries, folder operations and wildcard searches of the engine file system stand-in,
// worked out over the folders the search-path part of the stand-in hands over.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "filesystem/IFileSystem.h"

class FileSystemQueries : public IFileSystem
{
public:
    bool FileExists(const char *pFileName, const char *pathID) override;
    bool IsDirectory(const char *pFileName, const char *pathID) override;
    unsigned int FileSize(const char *pFileName, const char *pathID) override;
    int64_t GetFileTime(const char *pFileName, const char *pathID) override;
    void RemoveFile(const char *pFileName, const char *pathID) override;
    void CreateDirHierarchy(const char *pPath, const char *pathID) override;
    const char *FindFirstEx(const char *pWildCard, const char *pathID, FileFindHandle_t *pHandle) override;
    const char *FindNext(FileFindHandle_t handle) override;
    bool FindIsDirectory(FileFindHandle_t handle) override;
    void FindClose(FileFindHandle_t handle) override;
    int GetSearchPath(const char *pathID, bool bGetPackFiles, char *pPath, int nMaxLen) override;
    FileHandle_t OpenEx(const char *pFileName, const char *pOptions, unsigned int flags, const char *pathID,
                        char **ppszResolvedFilename) override;

protected:
    ~FileSystemQueries() = default;
    // The real folders of a path id in search order (every folder once when pathID is null).
    virtual std::vector<std::string> Roots(const char *pathID) const = 0;

private:
    struct FindEntry
    {
        std::string name;
        bool isDir;
    };
    struct FindState
    {
        std::vector<FindEntry> entries;
        size_t next = 0;  // index of the entry FindNext answers
    };
    // The full names of an existing entry, one per root that holds it.
    std::vector<std::string> Existing(const char *pFileName, const char *pathID) const;

    std::map<FileFindHandle_t, FindState> m_Finds;
    FileFindHandle_t m_NextFind = 0;
};
