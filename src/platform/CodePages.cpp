#include "CodePages.h"

#include <array>

namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the code page equals Latin-1.
// The undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their own value.
constexpr std::array<char16_t, 32> kAnsiHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Code page 850 bytes 0x80..0xFF; 0x00..0x7F equal ASCII.
constexpr std::array<char16_t, 128> kOemHigh = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,  // B0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,  // D0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,  // E0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,  // F0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

char16_t AnsiChar(unsigned char b)
{
    return (b >= 0x80 && b <= 0x9F) ? kAnsiHigh[b - 0x80] : char16_t(b);
}

char16_t OemChar(unsigned char b)
{
    return b >= 0x80 ? kOemHigh[b - 0x80] : char16_t(b);
}

// The byte of a character in a code page given by its upper-half table
// (tableStart is the first byte the table covers), '?' when it has none.
// Characters below tableStart map to themselves.
template <size_t N>
char EncodeChar(char16_t c, const std::array<char16_t, N>& table, unsigned tableStart,
                bool latin1Rest)
{
    if (c < tableStart)
        return char(c);
    for (size_t i = 0; i < N; ++i)
        if (table[i] == c)
            return char(tableStart + i);
    if (latin1Rest && c >= tableStart + N && c <= 0xFF)
        return char(c);
    return '?';
}

template <class Decode>
QString DecodeWith(const QByteArray& bytes, Decode decode)
{
    QString s(bytes.size(), Qt::Uninitialized);
    QChar* out = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(decode(static_cast<unsigned char>(bytes[i])));
    return s;
}

template <class Encode>
QByteArray EncodeWith(const QString& text, Encode encode)
{
    QByteArray b;
    b.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character outside the BMP is one character: one '?'.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            b.append('?');
            ++i;
            continue;
        }
        b.append(encode(c.unicode()));
    }
    return b;
}

}  // namespace

QString AnsiToUnicode(const QByteArray& bytes)
{
    return DecodeWith(bytes, AnsiChar);
}

QByteArray UnicodeToAnsi(const QString& text)
{
    return EncodeWith(text, [](char16_t c) { return EncodeChar(c, kAnsiHigh, 0x80, true); });
}

QString OemToUnicode(const QByteArray& bytes)
{
    return DecodeWith(bytes, OemChar);
}

QByteArray UnicodeToOem(const QString& text)
{
    return EncodeWith(text, [](char16_t c) { return EncodeChar(c, kOemHigh, 0x80, false); });
}
