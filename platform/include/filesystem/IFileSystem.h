// The engine file system ("VFileSystem020"): files found through search paths, each search
// path a real folder tagged with a path id such as "GAME", "MOD" or "DATA".
#pragma once

#include <cstdint>

typedef void *FileHandle_t;
class CUtlBuffer;
// Allocator a caller may give ReadFile for the whole file; unused here.
typedef void *(*FSAllocFunc_t)(const char *pszFilename, unsigned int nBytes);
typedef int FileFindHandle_t;
#define FILESYSTEM_INVALID_FIND_HANDLE (-1)
#define FILESYSTEM_INVALID_HANDLE (static_cast<FileHandle_t>(nullptr))

#define FILESYSTEM_INTERFACE_VERSION "VFileSystem020"

class IAddonSystem;

// Asynchronous reads. A request names one file; with a null data pointer the file system
// supplies the bytes and hands them to the completion in the request it passes back (they are
// valid only during the call).
enum FSAsyncStatus_t
{
    FSASYNC_ERR_READING = -3,  // the file could not be read
    FSASYNC_ERR_FILEOPEN = -2, // the file was not found or the name was refused
    FSASYNC_ERR_FAILURE = -1,
    FSASYNC_OK = 0,
    FSASYNC_STATUS_PENDING = 1,
    FSASYNC_STATUS_INPROGRESS = 2,
};

struct FileAsyncRequest_t;
typedef struct FSAsyncControlTag *FSAsyncControl_t;  // null: no request
typedef void (*FSAsyncCallbackFunc_t)(const FileAsyncRequest_t &request, int nBytesRead, FSAsyncStatus_t err);

struct FileAsyncRequest_t
{
    const char *pszFilename;
    void *pData;                      // the caller's buffer, or null
    int nOffset;                      // where to start reading
    int nBytes;                       // how much to read; 0 for the whole file
    FSAsyncCallbackFunc_t pfnCallback;
    void *pContext;                   // handed back unchanged
    int priority;
    unsigned int flags;
    const char *pszPathID;
    unsigned int hSpecificAsyncFile;  // 0xFFFF: none
    FSAllocFunc_t pfnAlloc;           // unused here
};
class IGameDepotSystem;
class IGamemodeSystem;

enum FileSystemSeek_t
{
    FILESYSTEM_SEEK_HEAD = 0,
    FILESYSTEM_SEEK_CURRENT = 1,
    FILESYSTEM_SEEK_TAIL = 2,
};

enum SearchPathAdd_t
{
    PATH_ADD_TO_HEAD,
    PATH_ADD_TO_TAIL,
};

// File operations by handle. Names are relative to the search paths; a name that is absolute or
// climbs out with ".." is refused. A null path id searches every path (reads) or takes the
// first path (writes).
class IBaseFileSystem
{
public:
    // Bytes read or written, 0 on failure.
    virtual int Read(void *pOutput, int size, FileHandle_t file) = 0;
    virtual int Write(const void *pInput, int size, FileHandle_t file) = 0;

    // Modes as for fopen ("rb", "wb", "ab", ...); null when not found or refused.
    virtual FileHandle_t Open(const char *pFileName, const char *pOptions, const char *pathID = nullptr) = 0;
    virtual void Close(FileHandle_t file) = 0;

    virtual void Seek(FileHandle_t file, int pos, FileSystemSeek_t seekType) = 0;
    virtual unsigned int Tell(FileHandle_t file) = 0;
    virtual unsigned int Size(FileHandle_t file) = 0;
    virtual void Flush(FileHandle_t file) = 0;

    // Alignment of reads from the file: false when reads need none (the values are then 1).
    virtual bool GetOptimalIOConstraints(FileHandle_t file, unsigned int *pOffsetAlign, unsigned int *pSizeAlign,
                                         unsigned int *pBufferAlign) = 0;
    // A buffer for reading nSize bytes of the file; freed with FreeOptimalReadBuffer.
    virtual void *AllocOptimalReadBuffer(FileHandle_t file, unsigned int nSize, unsigned int nOffset = 0) = 0;
    virtual void FreeOptimalReadBuffer(void *pBuffer) = 0;
    // Reads nSize bytes into a buffer of nDestSize bytes; returns the bytes read.
    virtual int ReadEx(void *pOutput, int nDestSize, int nSize, FileHandle_t file) = 0;

protected:
    ~IBaseFileSystem() = default;
};

class IFileSystem : public IBaseFileSystem
{
public:
    // The full path of the first file or folder of that name under the path id, written into
    // pLocalPath (cut to its size) and returned; null with an empty text when it is not found or
    // the name is refused. The filter and path-type arguments are unused.
    virtual const char *RelativePathToFullPath(const char *pFileName, const char *pPathID, char *pLocalPath,
                                               int localPathBufferSize, int pathFilter = 0,
                                               int *pPathType = nullptr) = 0;
    // Appends the file's bytes from nStartingByte (at most nMaxBytes when it is above 0) to the
    // buffer at its put position. False when the file is missing, refused, unreadable or does
    // not fit the buffer; the buffer then keeps what it held. pfnAlloc is unused.
    virtual bool ReadFile(const char *pFileName, const char *pPath, CUtlBuffer &buf, int nMaxBytes = 0,
                          int nStartingByte = 0, FSAllocFunc_t pfnAlloc = nullptr) = 0;

    // Adds a real folder under a path id; the same folder may carry several ids.
    virtual void AddSearchPath(const char *pPath, const char *pathID, SearchPathAdd_t addType = PATH_ADD_TO_TAIL) = 0;
    // Removes a folder from a path id (from every id when pathID is null); false when absent.
    virtual bool RemoveSearchPath(const char *pPath, const char *pathID = nullptr) = 0;
    virtual void RemoveAllSearchPaths() = 0;

    // Queries by name under a path id (every path when null); names are checked as for Open.
    virtual bool FileExists(const char *pFileName, const char *pathID = nullptr) = 0;  // file or folder
    virtual bool IsDirectory(const char *pFileName, const char *pathID = nullptr) = 0;
    virtual unsigned int FileSize(const char *pFileName, const char *pathID = nullptr) = 0;  // 0 when absent
    virtual int64_t GetFileTime(const char *pFileName, const char *pathID = nullptr) = 0;  // seconds, 0 when absent
    // Removes the file from the first path holding it.
    virtual void RemoveFile(const char *pFileName, const char *pathID = nullptr) = 0;
    // Creates the folder and its parents in the first path of the id.
    virtual void CreateDirHierarchy(const char *pPath, const char *pathID = nullptr) = 0;
    // Entries matching a wildcard in the last part of the pattern, over every path of the id
    // (a name seen in an earlier path is not repeated); null when there are none. The
    // handle is valid until FindClose, also after the last name.
    virtual const char *FindFirstEx(const char *pWildCard, const char *pathID, FileFindHandle_t *pHandle) = 0;
    virtual const char *FindNext(FileFindHandle_t handle) = 0;
    virtual bool FindIsDirectory(FileFindHandle_t handle) = 0;  // of the name last answered
    virtual void FindClose(FileFindHandle_t handle) = 0;
    // The folders of a path id, each ending in "/", joined by ";"; answers the full length
    // (the text is cut to nMaxLen - 1). There are no pack files here.
    virtual int GetSearchPath(const char *pathID, bool bGetPackFiles, char *pPath, int nMaxLen) = 0;
    // Open with options: flags are unused; the resolved name, when asked for, is set to null.
    virtual FileHandle_t OpenEx(const char *pFileName, const char *pOptions, unsigned int flags = 0,
                                const char *pathID = nullptr, char **ppszResolvedFilename = nullptr) = 0;

    // The game's content managers (filesystem/IContentManagers.h), and the refresh of the
    // search paths after the mounted content changed.
    virtual IAddonSystem *Addons() = 0;
    virtual IGameDepotSystem *Games() = 0;
    virtual IGamemodeSystem *Gamemodes() = 0;
    virtual void MountedContentChanged() = 0;

    // Queues asynchronous reads, one handle for each request in phControls (when given). The
    // completion is called once, with a status 0 on success and below 0 on failure.
    virtual FSAsyncStatus_t AsyncReadMultiple(const FileAsyncRequest_t *pRequests, int nRequests,
                                              FSAsyncControl_t *phControls = nullptr) = 0;
    // Finishes a request: with wait set, a request not yet done is completed before returning.
    // Answers the request's status.
    virtual FSAsyncStatus_t AsyncFinish(FSAsyncControl_t hControl, bool wait = true) = 0;
    // Frees the file system's side of a request; a request still queued is dropped uncompleted.
    virtual void AsyncRelease(FSAsyncControl_t hControl) = 0;

    // A counter that changes whenever the mounted content changes (MountedContentChanged).
    virtual int GetContentChangeCount() = 0;

protected:
    ~IFileSystem() = default;
};
