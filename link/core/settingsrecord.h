#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <cstring>

namespace telvio {

// A page's settings as the fixed-size byte block that profile files carry
// byte for byte: integers 32-bit little-endian, list choices as positions,
// texts NUL-terminated single-byte text in fixed-width fields. Accessors
// never touch bytes outside the block: reads out of range give 0 or "",
// writes out of range are ignored.
template <int N>
class SettingsRecord {
public:
    static constexpr int Size = N;

    SettingsRecord() { Clear(); }

    void Clear() { m_bytes.fill(0); }

    int32_t Int(int offset) const
    {
        if (!InRange(offset, 4))
            return 0;
        const uint32_t v = uint32_t(m_bytes[offset]) | uint32_t(m_bytes[offset + 1]) << 8
            | uint32_t(m_bytes[offset + 2]) << 16 | uint32_t(m_bytes[offset + 3]) << 24;
        return int32_t(v);
    }
    void SetInt(int offset, int32_t value)
    {
        if (!InRange(offset, 4))
            return;
        const uint32_t v = uint32_t(value);
        for (int i = 0; i < 4; ++i)
            m_bytes[offset + i] = uint8_t(v >> (8 * i));
    }

    uint8_t Byte(int offset) const { return InRange(offset, 1) ? m_bytes[offset] : 0; }
    void SetByte(int offset, uint8_t value)
    {
        if (InRange(offset, 1))
            m_bytes[offset] = value;
    }

    // The text of a field of `width` bytes, up to its NUL (or the field's end
    // when a loaded file left no NUL in it).
    QByteArray Text(int offset, int width) const
    {
        if (!InRange(offset, width) || width <= 0)
            return {};
        const uint8_t *begin = m_bytes.data() + offset;
        const void *nul = std::memchr(begin, 0, size_t(width));
        const int len = nul ? int(static_cast<const uint8_t *>(nul) - begin) : width;
        return QByteArray(reinterpret_cast<const char *>(begin), len);
    }
    // Stores at most width - 1 characters and a NUL; the rest of the field
    // is zeroed so two records with the same texts compare equal.
    void SetText(int offset, int width, const QByteArray &text)
    {
        if (!InRange(offset, width) || width <= 0)
            return;
        const int len = qMin(int(text.size()), width - 1);
        std::memset(m_bytes.data() + offset, 0, size_t(width));
        std::memcpy(m_bytes.data() + offset, text.constData(), size_t(len));
    }

    const uint8_t *Data() const { return m_bytes.data(); }
    QByteArray Bytes() const { return QByteArray(reinterpret_cast<const char *>(m_bytes.data()), N); }
    // Takes exactly N bytes; anything else is refused.
    bool SetBytes(const QByteArray &bytes)
    {
        if (bytes.size() != N)
            return false;
        std::memcpy(m_bytes.data(), bytes.constData(), N);
        return true;
    }

    bool operator==(const SettingsRecord &o) const { return m_bytes == o.m_bytes; }
    bool operator!=(const SettingsRecord &o) const { return !(*this == o); }

private:
    static bool InRange(int offset, int len) { return offset >= 0 && len >= 0 && offset <= N - len; }
    std::array<uint8_t, N> m_bytes;
};

using CallbackRecord = SettingsRecord<184>;
using IoRecord = SettingsRecord<2736>;
using GprsSettingsRecord = SettingsRecord<544>;
using SmsRecord = SettingsRecord<264>;
using BasicSettingsRecord = SettingsRecord<80>;
using SerialSettingsRecord = SettingsRecord<80>;

} // namespace telvio
