#include "data/ByteReader.h"

namespace mascot {

std::string_view Describe(ReadFault fault) {
    switch (fault) {
        case ReadFault::PastEnd:
            return "runs past the end";
        case ReadFault::BadPosition:
            return "starts outside the data";
    }
    return "unknown fault";
}

ReadResult<std::span<const uint8_t>> ByteReader::BytesAt(uint64_t position, uint64_t count) const {
    // Compared without adding, so that no sum can wrap around.
    if (position > m_bytes.size() || count > m_bytes.size() - position)
        return Fault(ReadFault::PastEnd, position, count);
    return m_bytes.subspan(static_cast<size_t>(position), static_cast<size_t>(count));
}

ReadResult<std::span<const uint8_t>> ByteReader::TailAt(uint64_t position) const {
    if (position > m_bytes.size())
        return Fault(ReadFault::BadPosition, position, 0);
    return m_bytes.subspan(static_cast<size_t>(position));
}

ReadResult<uint8_t> ByteReader::U8At(uint64_t position) const {
    auto bytes = BytesAt(position, 1);
    if (!bytes)
        return bytes.Error();
    return (*bytes)[0];
}

ReadResult<uint16_t> ByteReader::U16At(uint64_t position) const {
    auto bytes = BytesAt(position, 2);
    if (!bytes)
        return bytes.Error();
    return LoadU16(bytes->data());
}

ReadResult<uint32_t> ByteReader::U32At(uint64_t position) const {
    auto bytes = BytesAt(position, 4);
    if (!bytes)
        return bytes.Error();
    return LoadU32(bytes->data());
}

ReadResult<int32_t> ByteReader::I32At(uint64_t position) const {
    auto value = U32At(position);
    if (!value)
        return value.Error();
    return static_cast<int32_t>(*value);
}

ReadResult<std::span<const uint8_t>> ByteReader::Take(uint64_t count) {
    auto bytes = BytesAt(m_pos, count);
    if (bytes)
        m_pos += bytes->size();
    return bytes;
}

ReadResult<uint8_t> ByteReader::U8() {
    auto value = U8At(m_pos);
    if (value)
        m_pos += 1;
    return value;
}

ReadResult<uint16_t> ByteReader::U16() {
    auto value = U16At(m_pos);
    if (value)
        m_pos += 2;
    return value;
}

ReadResult<uint32_t> ByteReader::U32() {
    auto value = U32At(m_pos);
    if (value)
        m_pos += 4;
    return value;
}

ReadResult<int16_t> ByteReader::I16() {
    auto value = U16();
    if (!value)
        return value.Error();
    return static_cast<int16_t>(*value);
}

ReadResult<int32_t> ByteReader::I32() {
    auto value = U32();
    if (!value)
        return value.Error();
    return static_cast<int32_t>(*value);
}

ReadResult<size_t> ByteReader::Skip(uint64_t count) {
    auto bytes = Take(count);
    if (!bytes)
        return bytes.Error();
    return m_pos;
}

ReadResult<size_t> ByteReader::Seek(uint64_t position) {
    if (position > m_bytes.size())
        return Fault(ReadFault::BadPosition, position, 0);
    m_pos = static_cast<size_t>(position);
    return m_pos;
}

ReadResult<ByteReader> ByteReader::Sub(uint64_t count) {
    const uint64_t start = m_pos;
    auto bytes = Take(count);
    if (!bytes)
        return bytes.Error();
    return ByteReader(*bytes, m_origin + start);
}

}  // namespace mascot
