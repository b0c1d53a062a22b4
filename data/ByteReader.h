// A bounds-checked little-endian cursor over bytes that came from outside the program: mascot
// data, content files, archive indexes, byte code. Every read either succeeds completely or
// fails with a reason and the offset it was attempted at; it never touches a byte outside the
// span, never throws, and a failed read leaves the cursor where it was.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <variant>

namespace mascot {

enum class ReadFault : uint8_t {
    PastEnd,      // the read needs more bytes than there are
    BadPosition,  // a seek or sub-range starts outside the bytes
};

std::string_view Describe(ReadFault fault);

struct ReadError {
    ReadFault fault = ReadFault::PastEnd;
    uint64_t offset = 0;  // where the read started, counted from the reader's origin (see ByteReader)
    uint64_t wanted = 0;  // how many bytes it needed
    friend bool operator==(const ReadError&, const ReadError&) = default;
};

// A value or the reason there is none.
template <typename T>
class ReadResult {
public:
    ReadResult(T value) : m_state(std::move(value)) {}
    ReadResult(ReadError error) : m_state(error) {}

    bool Ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return Ok(); }

    // Only when Ok().
    const T& Value() const {
        assert(Ok());
        return *std::get_if<T>(&m_state);
    }
    const T& operator*() const { return Value(); }
    const T* operator->() const { return &Value(); }
    T ValueOr(T fallback) const { return Ok() ? Value() : fallback; }
    std::optional<T> ToOptional() const { return Ok() ? std::optional<T>(Value()) : std::nullopt; }

    // Only when !Ok().
    const ReadError& Error() const {
        assert(!Ok());
        return *std::get_if<ReadError>(&m_state);
    }

private:
    std::variant<T, ReadError> m_state;
};

class ByteReader {
public:
    ByteReader() = default;
    // `origin` is where these bytes start in the larger whole they were cut from; it only
    // shifts the offsets reported in errors and by Offset(), so that a message about a block
    // names the place in the file.
    explicit ByteReader(std::span<const uint8_t> bytes, uint64_t origin = 0)
        : m_bytes(bytes), m_origin(origin) {}

    std::span<const uint8_t> Bytes() const { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }
    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_bytes.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_bytes.size(); }
    uint64_t Origin() const { return m_origin; }
    // The cursor's position counted from the origin.
    uint64_t Offset() const { return m_origin + m_pos; }

    // Sequential reads: advance on success only.
    ReadResult<uint8_t> U8();
    ReadResult<uint16_t> U16();
    ReadResult<uint32_t> U32();
    ReadResult<int16_t> I16();
    ReadResult<int32_t> I32();
    ReadResult<std::span<const uint8_t>> Take(uint64_t count);
    // Advances by `count`; the result is the new position.
    ReadResult<size_t> Skip(uint64_t count);
    // Moves to `position` (0..Size()); the result is the new position.
    ReadResult<size_t> Seek(uint64_t position);
    // A reader over the next `count` bytes, with its origin set accordingly; advances past them.
    ReadResult<ByteReader> Sub(uint64_t count);
    // Everything from the cursor to the end; does not advance.
    std::span<const uint8_t> Rest() const { return m_bytes.subspan(m_pos); }

    // The same reads at an absolute position (0 = first byte of the span); the cursor stays.
    ReadResult<uint8_t> U8At(uint64_t position) const;
    ReadResult<uint16_t> U16At(uint64_t position) const;
    ReadResult<uint32_t> U32At(uint64_t position) const;
    ReadResult<int32_t> I32At(uint64_t position) const;
    ReadResult<std::span<const uint8_t>> BytesAt(uint64_t position, uint64_t count) const;
    // From `position` to the end; fails when `position` lies past the end (equal to Size() is an
    // empty span).
    ReadResult<std::span<const uint8_t>> TailAt(uint64_t position) const;

private:
    ReadError Fault(ReadFault fault, uint64_t position, uint64_t wanted) const {
        return ReadError{fault, m_origin + position, wanted};
    }

    std::span<const uint8_t> m_bytes;
    uint64_t m_origin = 0;
    size_t m_pos = 0;
};

// Little-endian assembly of bytes already known to be there.
inline uint16_t LoadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace mascot
