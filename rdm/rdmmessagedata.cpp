#include "rdm/rdmmessagedata.h"

RdmText &RdmText::append(QStringView text) {
    for (QChar c : text) {
        if (m_size == capacity)
            break;
        m_chars[m_size++] = c.unicode();
    }
    return *this;
}

RdmText &RdmText::append(std::string_view text) {
    for (char c : text) {
        if (m_size == capacity)
            break;
        m_chars[m_size++] = char16_t(quint8(c));
    }
    return *this;
}

RdmText &RdmText::appendNumber(quint32 value, int base, int minDigits) {
    std::array<char, 10> digits{};
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[value % quint32(base)];
        value /= quint32(base);
    } while (value != 0 && count < int(digits.size()));
    for (int i = count; i < minDigits && m_size < capacity; ++i)
        m_chars[m_size++] = u'0';
    while (count > 0 && m_size < capacity)
        m_chars[m_size++] = char16_t(digits[--count]);
    return *this;
}

void RdmDataWriter::put8(quint8 value) {
    if (m_size < capacity)
        m_bytes[m_size++] = value;
}

void RdmDataWriter::put16(quint16 value) {
    put8(quint8(value >> 8));
    put8(quint8(value));
}

void RdmDataWriter::put32(quint32 value) {
    put16(quint16(value >> 16));
    put16(quint16(value));
}

void RdmDataWriter::putText(QStringView text, int width) {
    for (int i = 0; i < width; ++i) {
        const char16_t c = i < text.size() ? text[i].unicode() : u'\0';
        put8(c <= 0xFF ? quint8(c) : quint8('?'));
    }
}

void RdmDataWriter::putBytes(std::span<const quint8> bytes) {
    for (quint8 b : bytes)
        put8(b);
}
