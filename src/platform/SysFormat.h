#pragma once
// Rounding, number reading and Format, as the original platform does them.
//
// Round halves to even; formatted decimals round the exact binary value with
// halves away from zero. Nothing here converts a non-finite double to an
// integer: Round and Trunc raise EInvalidOp instead.

#include "FormatSettings.h"
#include "SysUtils.h"

#include <QString>
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>

// The nearest integer, halves to even (0.5 -> 0, 1.5 -> 2, -1.5 -> -2).
// NaN, infinity and values outside the 64-bit range raise EInvalidOp.
int64_t Round(double x);
// Toward zero; the same checks as Round.
int64_t Trunc(double x);
// a * b / c with a 64-bit product, rounded to nearest with halves away from
// zero; -1 when c is 0 or the result leaves the 32-bit range.
int MulDiv(int a, int b, int c);

// The one integer reader for text typed by the user or held in files:
// blanks (characters up to U+0020) before the number, an optional sign, then
// decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X";
// nothing may follow, not even a blank; the value must fit in 32 signed bits.
bool TryStrToInt(const QString& text, int& value);
// Raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(const QString& text);
int StrToIntDef(const QString& text, int defaultValue);
// Reads as far as the characters fit: value gets the number read so far and
// the result is the 1-based position of the first character that does not
// fit, 0 when all fit.
int ValInt(const QString& text, int& value);

// Blanks around allowed, optional sign, digits with at most one decimal
// separator (the settings' one), optional exponent; no thousand separators,
// no "inf", "nan" or hexadecimal floats; the value must be finite.
bool TryStrToFloat(const QString& text, double& value);
bool TryStrToFloat(const QString& text, double& value, const FormatSettings& fs);
// Raises EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const QString& text);
double StrToFloat(const QString& text, const FormatSettings& fs);
double StrToFloatDef(const QString& text, double defaultValue);
double StrToFloatDef(const QString& text, double defaultValue, const FormatSettings& fs);
// Format("%g", x).
QString FloatToStr(double x);
QString FloatToStr(double x, const FormatSettings& fs);

// One argument of Format: a 32- or 64-bit integer, a double or a text.
class FormatArg {
public:
    enum class Kind { Int, Int64, Double, String };

    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    FormatArg(T v)
    {
        if constexpr (std::is_signed_v<T> && sizeof(T) <= 4) {
            FKind = Kind::Int;
            FInt = v;
        } else if constexpr (std::is_unsigned_v<T> && sizeof(T) < 4) {
            FKind = Kind::Int;
            FInt = v;
        } else {
            // Unsigned 32-bit values keep their value as 64-bit integers.
            FKind = Kind::Int64;
            FInt = int64_t(v);
        }
    }
    FormatArg(double v) : FKind(Kind::Double), FDouble(v) {}
    FormatArg(float v) : FKind(Kind::Double), FDouble(v) {}
    FormatArg(const QString& v) : FKind(Kind::String), FString(v) {}
    FormatArg(QStringView v) : FKind(Kind::String), FString(v.toString()) {}
    FormatArg(const char* v) : FKind(Kind::String), FString(QString::fromUtf8(v)) {}
    FormatArg(QChar v) : FKind(Kind::String), FString(v) {}
    FormatArg(char v) : FKind(Kind::String), FString(QChar::fromLatin1(v)) {}

    Kind ArgKind() const { return FKind; }
    int64_t AsInt() const { return FInt; }
    double AsDouble() const { return FDouble; }
    const QString& AsString() const { return FString; }

private:
    Kind FKind;
    int64_t FInt = 0;
    double FDouble = 0;
    QString FString;
};

// The original platform's format language:
//   "%" [index ":"] ["-"] [width] ["." precision] type
// with "*" for a width or precision taken from the arguments and "%%" for
// "%". Types d u x e f g n s. A missing argument, an argument that does not
// fit its type or a malformed specifier raises EConvertError
// "Format '<fmt>' invalid or incompatible with argument"; any input is safe.
QString Format(const QString& fmt, std::initializer_list<FormatArg> args);
QString Format(const QString& fmt, std::initializer_list<FormatArg> args, const FormatSettings& fs);
QString Format(const QString& fmt, std::span<const FormatArg> args);
QString Format(const QString& fmt, std::span<const FormatArg> args, const FormatSettings& fs);
