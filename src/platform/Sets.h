#pragma once
// Small sets of enumeration values (font styles, shift state, draw state),
// written the way the rest of the system reads them:
//   TFontStyles s{fsBold};  s += fsItalic;  if (s.Contains(fsBold)) ...
// The enumeration's values must lie in 0..63.

#include <cstdint>
#include <initializer_list>

template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E v : values) FBits |= Bit(v);
    }
    static constexpr TSet FromBits(uint64_t bits) { TSet s; s.FBits = bits; return s; }

    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint64_t Bits() const { return FBits; }

    constexpr TSet& Include(E v) { FBits |= Bit(v); return *this; }
    constexpr TSet& Exclude(E v) { FBits &= ~Bit(v); return *this; }

    constexpr TSet& operator+=(E v) { return Include(v); }
    constexpr TSet& operator-=(E v) { return Exclude(v); }
    constexpr TSet& operator+=(TSet o) { FBits |= o.FBits; return *this; }
    constexpr TSet& operator-=(TSet o) { FBits &= ~o.FBits; return *this; }
    constexpr TSet& operator*=(TSet o) { FBits &= o.FBits; return *this; }

    friend constexpr TSet operator+(TSet a, TSet b) { return a += b; }
    friend constexpr TSet operator-(TSet a, TSet b) { return a -= b; }
    friend constexpr TSet operator*(TSet a, TSet b) { return a *= b; }
    friend constexpr TSet operator+(TSet a, E v) { return a += v; }
    friend constexpr TSet operator-(TSet a, E v) { return a -= v; }
    friend constexpr bool operator==(TSet a, TSet b) = default;

private:
    static constexpr uint64_t Bit(E v) { return uint64_t(1) << unsigned(v); }
    uint64_t FBits = 0;
};
