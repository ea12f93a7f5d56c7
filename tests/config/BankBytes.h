#pragma once
// Byte-image helpers of the bank tests: images built from the layout, and a
// readable list of the bytes where two images differ.

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace BankBytes {

using Bytes = std::vector<uint8_t>;

// `image` with `data` copied in at `offset`.
inline Bytes Patched(Bytes image, int offset, const Bytes& data)
{
    std::copy(data.begin(), data.end(), image.begin() + offset);
    return image;
}

// The record image with the byte sum of 0x000..0x7FB stored at 0x7FC.
inline Bytes WithChecksum(Bytes image)
{
    uint32_t s = 0;
    for (int i = 0; i < 0x7FC; ++i)
        s += image[i];
    return Patched(image, 0x7FC, {uint8_t(s), uint8_t(s >> 8), uint8_t(s >> 16), uint8_t(s >> 24)});
}

// The bank-1 record with nothing loaded: the defaults plus the bank-2 address.
inline Bytes NeitherFileImage()
{
    Bytes b(2048, 0);
    b = Patched(b, 0x000, {0x90, 0xD0, 0x03, 0x00, 0x90, 0xD0, 0x03, 0x00});
    b = Patched(b, 0x00C, {0x80, 0x25});
    b = Patched(b, 0x028, {0xC0, 0xA8, 0x02, 0xCD, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
                           0x10, 0x27, 0x11, 0x27, 0x11, 0x27});
    b = Patched(b, 0x1B4, {8, 8, 8, 8, 8, 8, 8, 8});
    b = Patched(b, 0x656, {0x08});
    return Patched(b, 0x7FC, {0x8A, 0x0D});
}

// The golden S7 read entry: 192.168.1.125:102, S71200, rack 0 slot 1, Word,
// DB 10, Inputs (I), address 20, bit 0, poll 500 ms, position 3, Swap.
inline const Bytes GoldenEntry{0x7D, 0x01, 0xA8, 0xC0, 0xF4, 0x01, 0x00, 0x00, 0x14, 0x00,
                               0x0A, 0x00, 0x66, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x1E,
                               0x04, 0x0A, 0x00, 0x04, 0x00, 0x81, 0x01, 0x00};

// "" when equal; otherwise "offset: expected/actual" for every differing byte.
inline std::string Diff(const Bytes& expected, const Bytes& actual)
{
    if (expected.size() != actual.size())
        return "size " + std::to_string(expected.size()) + " / " + std::to_string(actual.size());
    std::string out;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] != actual[i])
            out += QStringLiteral("0x%1: %2/%3 ")
                       .arg(i, 3, 16, QChar(u'0'))
                       .arg(expected[i], 2, 16, QChar(u'0'))
                       .arg(actual[i], 2, 16, QChar(u'0'))
                       .toStdString();
    }
    return out;
}

}  // namespace BankBytes
