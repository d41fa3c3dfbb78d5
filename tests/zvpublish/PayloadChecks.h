// Helpers shared by the zvpublish tests: a listener that records what is printed, and readers of
// the upload payload (little-endian numbers, the LZMA stream unpacked).
#pragma once

#include "Kestrum/Debug/Debug.h"

#include <LzmaOneShot.h>

#include <cstdint>
#include <string>

// Records every message and warning while it exists.
class MessageRecorder : public Kestrum::Debug::IListener {
public:
    MessageRecorder() { Add(this); }
    ~MessageRecorder() { Remove(this); }
    void OnMsg(const char* str) override { messages += str; }
    void OnWarning(const char* str) override { warnings += str; }
    void OnError(const char*) override {}
    std::string messages, warnings;
};

inline uint32_t Le32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

// The archive inside a payload (13-byte stream header, data, 8-byte trailer), unpacked to
// `size` bytes; empty when the stream does not unpack.
inline std::string UnpackPayload(const std::string& payload, size_t size)
{
    if (payload.size() < 21)
        return std::string();
    std::string unpacked(size, '\0');
    size_t unpackedSize = size, packedSize = payload.size() - 8 - 13;
    int result = LzmaUncompress(reinterpret_cast<unsigned char*>(&unpacked[0]), &unpackedSize,
                                reinterpret_cast<const unsigned char*>(payload.data() + 13), &packedSize,
                                reinterpret_cast<const unsigned char*>(payload.data()), 5);
    return result == 0 && unpackedSize == size ? unpacked : std::string();
}
