#pragma once

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

// Takes the next piece of output; false when it could not.
using ByteSink = std::function<bool(const char* bytes, size_t count)>;

// Growable byte buffer that hands out raw space, so the character loops
// write without a capacity check per byte and nothing is zero-filled.
// Given a sink, it passes its bytes on instead of growing past the chunk
// size: the same memory is reused while it is still in the cache. Bytes
// passed on cannot be converted afterwards, so only UTF-8 output goes
// through a sink (StreamXmlDocument sees to that).
class ByteBuffer
{
public:
    ByteBuffer() = default;
    ByteBuffer(ByteSink sink, size_t chunk) : m_sink(std::move(sink)) { Grow(chunk); }

    char* Reserve(size_t extra)
    {
        if (m_capacity - m_size < extra)
            MakeRoom(extra);
        return m_data.get() + m_size;
    }
    void CommitTo(const char* end) { m_size = size_t(end - m_data.get()); }
    void Append(const char* bytes, size_t count)
    {
        std::memcpy(Reserve(count), bytes, count);
        m_size += count;
    }
    const char* Data() const { return m_data.get(); }
    size_t Size() const { return m_size; }

    // Hands what is held to the sink; false once the sink has failed.
    bool Flush();

private:
    void MakeRoom(size_t extra);
    void Grow(size_t extra);

    ByteSink m_sink;
    bool m_sinkFailed = false;
    struct FreeBytes
    {
        void operator()(char* bytes) const { std::free(bytes); }
    };
    std::unique_ptr<char, FreeBytes> m_data; // from malloc, so that it can grow by realloc
    size_t m_size = 0;
    size_t m_capacity = 0;
};
