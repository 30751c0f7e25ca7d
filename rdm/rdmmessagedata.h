#pragma once

#include "rdm/rdmmessage.h"

#include <QStringView>
#include <QtGlobal>
#include <array>
#include <span>
#include <string_view>

// Text put together for one fixed-width field (a label plus a number and the like) without
// touching the heap; anything beyond its capacity is dropped, as the field would cut it anyway.
class RdmText {
public:
    static constexpr int capacity = 64;

    RdmText &append(QStringView text);
    RdmText &append(std::string_view text);
    // `value` in `base` (10 or 16, lower-case digits), padded with "0" to `minDigits`.
    RdmText &appendNumber(quint32 value, int base = 10, int minDigits = 1);

    QStringView view() const { return QStringView(m_chars.data(), m_size); }

private:
    std::array<char16_t, capacity> m_chars{};
    int m_size = 0;
};

// The parameter data of one response, built in place. It holds at most the largest parameter
// data ANSI E1.20 allows; writes beyond that are dropped rather than written outside the buffer.
class RdmDataWriter {
public:
    static constexpr int capacity = RdmMessage::maxPdl;

    void clear() { m_size = 0; }
    void put8(quint8 value);
    void put16(quint16 value);
    void put32(quint32 value);
    // Latin-1 text cut to, or padded with 0x00 up to, exactly `width` bytes. Characters
    // outside Latin-1 become "?".
    void putText(QStringView text, int width);
    void putBytes(std::span<const quint8> bytes);

    std::span<const quint8> data() const { return std::span<const quint8>(m_bytes).first(m_size); }
    int size() const { return m_size; }

private:
    std::array<quint8, capacity> m_bytes{};
    int m_size = 0;
};

namespace RdmTextWidth {
inline constexpr int label = 32;
inline constexpr int dnsName = 63;
inline constexpr int interfaceLabel = 8;
} // namespace RdmTextWidth
