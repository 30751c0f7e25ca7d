#pragma once

#include <QtGlobal>

#include <cstddef>
#include <span>

// Big-endian reads from a received datagram. Bytes past its end read as 0, as if the datagram
// had been copied into a zeroed area of its packet's full size: a short packet gives zero
// fields instead of a read out of bounds, and callers check the length where it matters.
namespace bytereader {

inline quint8 u8(std::span<const quint8> data, size_t offset) {
    return offset < data.size() ? data[offset] : 0;
}

inline quint16 u16be(std::span<const quint8> data, size_t offset) {
    return quint16(u8(data, offset) << 8 | u8(data, offset + 1));
}

inline quint32 u32be(std::span<const quint8> data, size_t offset) {
    return quint32(u16be(data, offset)) << 16 | u16be(data, offset + 2);
}

} // namespace bytereader
