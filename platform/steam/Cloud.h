// The user's Steam Cloud as plain files under <state folder>/cloud, written through streams
// that land in <state folder>/streams until they are closed.
#pragma once

#include <steam/steamtypes.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

namespace steamstandin {

class Cloud {
public:
    ~Cloud() { CloseAll(); }

    // Uses <folder>/cloud and <folder>/streams, creating them; false when they cannot be made.
    bool Open(const std::string& folder);
    // Cancels every open stream.
    void CloseAll();

    // A relative name of "/"-separated parts, none empty, "." or "..", without backslashes or
    // control characters, at most 259 bytes: one that stays inside the cloud folder.
    static bool ValidName(const char* name);
    std::string PathOf(const std::string& name) const { return m_root + "/" + name; }

    UGCFileWriteStreamHandle_t OpenStream(const char* name);
    // Appends a chunk; false for an unknown stream, a bad chunk, a write error, or when the
    // cloud would grow past quotaBytes.
    bool WriteChunk(UGCFileWriteStreamHandle_t stream, const void* data, int32_t size, int64_t quotaBytes);
    // Moves the streamed bytes into place; with `fail` (or any error) drops them and is false.
    bool CloseStream(UGCFileWriteStreamHandle_t stream, bool fail);
    bool CancelStream(UGCFileWriteStreamHandle_t stream);
    // Number of chunks written to an open stream so far.
    int ChunksWritten(UGCFileWriteStreamHandle_t stream) const;

    bool Delete(const char* name);
    bool Exists(const char* name) const;
    int64_t Size(const char* name) const;
    // Bytes of every cloud file and of every open stream.
    int64_t Usage() const;

private:
    struct Stream {
        std::string name;
        std::string partPath;
        FILE* file;
        int64_t written;
        int chunks;
    };

    void Drop(std::map<UGCFileWriteStreamHandle_t, Stream>::iterator it);

    std::string m_root;
    std::string m_streams;
    UGCFileWriteStreamHandle_t m_next = 1;
    std::map<UGCFileWriteStreamHandle_t, Stream> m_open;
};

// Creates a folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);

} // namespace steamstandin
