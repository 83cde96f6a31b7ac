#include "xmlio/bytebuffer.h"

#include <algorithm>
#include <new>

bool ByteBuffer::Flush()
{
    if (m_sink && m_size)
    {
        m_sinkFailed = m_sinkFailed || !m_sink(m_data.get(), m_size);
        m_size = 0;
    }
    return !m_sinkFailed;
}

void ByteBuffer::MakeRoom(size_t extra)
{
    if (m_sink)
        Flush();
    if (m_capacity - m_size < extra)
        Grow(extra);
}

void ByteBuffer::Grow(size_t extra)
{
    const size_t capacity = std::max({m_capacity * 2, m_size + extra, size_t(1) << 16});
    // realloc moves a large block by remapping its pages: unlike a new block
    // and a copy, nothing is copied and no written page is faulted in again.
    char* data = static_cast<char*>(std::realloc(m_data.get(), capacity));
    if (!data)
        throw std::bad_alloc();
    m_data.release();
    m_data.reset(data);
    m_capacity = capacity;
}
