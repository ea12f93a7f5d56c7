#include "SysFormat.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <vector>

namespace {

// Fixed English messages of this unit.
const char* const kInvalidOp = "Invalid floating point operation";
const char* const kNotAnInteger = "'%1' is not a valid integer value";
const char* const kNotAFloat = "'%1' is not a valid floating point value";
const char* const kBadFormat = "Format '%1' invalid or incompatible with argument";

// Widths and precisions above this are refused: format strings come from
// data, and a huge width must not allocate without bound.
constexpr int kMaxWidth = 4096;
// The most significant digits e and g show, and the most decimals of f and n.
constexpr int kMaxDigits = 18;

void CheckIntegral(double x)
{
    // Written so that NaN fails too.
    if (!(x >= -9223372036854775808.0 && x < 9223372036854775808.0))
        throw EInvalidOp(QString::fromLatin1(kInvalidOp));
}

// ---- integer reading -------------------------------------------------------

struct IntScan {
    int64_t Value = 0;
    qsizetype Stop = 0;     // index of the first character not read
    bool Digits = false;    // at least one digit read
    bool Overflow = false;  // stopped at a digit that left the 32-bit range
};

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

IntScan ScanInt(const QString& s)
{
    IntScan r;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n && s[i].unicode() <= 0x20)
        ++i;
    bool neg = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        neg = s[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    const int64_t limit = neg ? 2147483648LL : 2147483647LL;
    int64_t acc = 0;
    while (i < n) {
        const int d = HexDigit(s[i]);
        if (d < 0 || d >= base)
            break;
        if (acc * base + d > limit) {
            r.Overflow = true;
            break;
        }
        acc = acc * base + d;
        r.Digits = true;
        ++i;
    }
    r.Value = neg ? -acc : acc;
    r.Stop = i;
    return r;
}

[[noreturn]] void RaiseConvert(const char* msg, const QString& text)
{
    throw EConvertError(QString::fromLatin1(msg).arg(text));
}

// ---- float reading ---------------------------------------------------------

locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return loc;
}

bool IsAsciiDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

// ---- digit generation ------------------------------------------------------

bool AllChars(const std::string& s, size_t from, char c)
{
    for (size_t i = from; i < s.size(); ++i)
        if (s[i] != c)
            return false;
    return true;
}

// Whether the digits after the cut could hide a tie that the guard digits'
// own rounding blurred: "5000..." or "4999...".
bool NearTie(const std::string& tail)
{
    return !tail.empty()
           && ((tail[0] == '5' && AllChars(tail, 1, '0')) || (tail[0] == '4' && AllChars(tail, 1, '9')));
}

// Adds one to a decimal digit string; true when it grew a digit ("99"->"100").
bool Increment(std::string& digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

// |a| in fixed notation with `decimals` digits after the point, the exact
// binary value rounded with halves away from zero. Returns the digits
// without the point; the last `decimals` of them are the fraction.
std::string FixedDigits(double a, int decimals)
{
    // 25 guard digits settle almost every case; a value within reach of a tie
    // is printed exactly (1100 decimals cover every double).
    for (int guard : {25, 1100}) {
        const int prec = decimals + guard;
        std::vector<char> buf(size_t(prec) + 340);
        std::snprintf(buf.data(), buf.size(), "%.*f", prec, a);
        const std::string s(buf.data());
        const size_t dot = s.find('.');
        const std::string frac = s.substr(dot + 1);
        const std::string tail = frac.substr(size_t(decimals));
        if (guard < 1100 && NearTie(tail))
            continue;
        std::string digits = s.substr(0, dot) + frac.substr(0, size_t(decimals));
        if (tail[0] >= '5')
            Increment(digits);
        return digits;
    }
    return std::string();  // not reached
}

// |a| > 0 rounded to n significant digits (halves away from zero, exact):
// the n digits and the decimal exponent of the first one.
void SignificantDigits(double a, int n, std::string& digits, int& exp10)
{
    for (int guard : {25, 800}) {
        const int prec = n - 1 + guard;
        std::vector<char> buf(size_t(prec) + 40);
        std::snprintf(buf.data(), buf.size(), "%.*e", prec, a);
        const std::string s(buf.data());
        const size_t e = s.find('e');
        std::string mant = s.substr(0, 1) + s.substr(2, e - 2);
        exp10 = std::atoi(s.c_str() + e + 1);
        const std::string tail = mant.substr(size_t(n));
        if (guard < 800 && NearTie(tail))
            continue;
        digits = mant.substr(0, size_t(n));
        if (tail[0] >= '5' && Increment(digits)) {
            digits.pop_back();
            ++exp10;
        }
        return;
    }
}

QString NonFinite(double v)
{
    if (std::isnan(v)) return QStringLiteral("NAN");
    return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString Sign(bool negative, const std::string& digits)
{
    return negative && !AllChars(digits, 0, '0') ? QStringLiteral("-") : QString();
}

// Fixed notation; with grouping for "n".
QString FormatFixed(double v, int decimals, bool group, const FormatSettings& fs)
{
    if (!std::isfinite(v))
        return NonFinite(v);
    const std::string digits = FixedDigits(std::fabs(v), decimals);
    const std::string intPart = digits.substr(0, digits.size() - size_t(decimals));
    QString out = Sign(std::signbit(v), digits);
    for (size_t i = 0; i < intPart.size(); ++i) {
        if (group && i > 0 && (intPart.size() - i) % 3 == 0 && !fs.ThousandSeparator.isNull())
            out += fs.ThousandSeparator;
        out += QLatin1Char(intPart[i]);
    }
    if (decimals > 0) {
        out += fs.DecimalSeparator;
        out += QLatin1String(digits.c_str() + intPart.size());
    }
    return out;
}

// Scientific notation: one digit, the point, precision - 1 digits, "E",
// the sign and at least three exponent digits.
QString FormatExponent(double v, int precision, const FormatSettings& fs)
{
    if (!std::isfinite(v))
        return NonFinite(v);
    std::string digits(size_t(precision), '0');
    int exp10 = 0;
    if (v != 0)
        SignificantDigits(std::fabs(v), precision, digits, exp10);
    QString out = Sign(std::signbit(v), digits);
    out += QLatin1Char(digits[0]);
    if (precision > 1) {
        out += fs.DecimalSeparator;
        out += QLatin1String(digits.c_str() + 1);
    }
    out += exp10 < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    out += QString::number(std::abs(exp10)).rightJustified(3, u'0');
    return out;
}

// General notation: the shortest of fixed and scientific for `precision`
// significant digits, without trailing zeros.
QString FormatGeneral(double v, int precision, const FormatSettings& fs)
{
    if (!std::isfinite(v))
        return NonFinite(v);
    if (v == 0)
        return QStringLiteral("0");
    std::string digits;
    int exp10 = 0;
    SignificantDigits(std::fabs(v), precision, digits, exp10);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    QString out = std::signbit(v) ? QStringLiteral("-") : QString();
    const int nd = int(digits.size());
    if (exp10 < precision && exp10 >= -5) {
        if (exp10 >= 0) {
            for (int i = 0; i <= exp10; ++i)
                out += QLatin1Char(i < nd ? digits[size_t(i)] : '0');
            if (nd > exp10 + 1) {
                out += fs.DecimalSeparator;
                out += QLatin1String(digits.c_str() + exp10 + 1);
            }
        } else {
            out += u'0';
            out += fs.DecimalSeparator;
            out += QString(-exp10 - 1, u'0');
            out += QLatin1String(digits.c_str());
        }
        return out;
    }
    out += QLatin1Char(digits[0]);
    if (nd > 1) {
        out += fs.DecimalSeparator;
        out += QLatin1String(digits.c_str() + 1);
    }
    out += u'E';
    out += QString::number(exp10);
    return out;
}

QString FormatUnsigned(uint64_t u, int base, int minDigits)
{
    QString s = QString::number(u, base).toUpper();
    if (s.size() < minDigits)
        s = QString(minDigits - s.size(), u'0') + s;
    return s;
}

// ---- Format ----------------------------------------------------------------

class Formatter {
public:
    Formatter(const QString& fmt, std::span<const FormatArg> args, const FormatSettings& fs)
        : F(fmt), Args(args), Fs(fs) {}

    QString Run()
    {
        QString out;
        const qsizetype n = F.size();
        qsizetype i = 0;
        while (i < n) {
            const qsizetype pct = F.indexOf(u'%', i);
            if (pct < 0) {
                out += QStringView(F).mid(i);
                break;
            }
            out += QStringView(F).mid(i, pct - i);
            Pos = pct + 1;
            if (Pos < n && F[Pos] == u'%') {
                out += u'%';
                i = Pos + 1;
                continue;
            }
            out += Specifier();
            i = Pos;
        }
        return out;
    }

private:
    [[noreturn]] void Fail() const { RaiseConvert(kBadFormat, F); }

    const FormatArg& Arg(int index) const
    {
        if (index < 0 || size_t(index) >= Args.size())
            Fail();
        return Args[size_t(index)];
    }

    int64_t IntArg(int index) const
    {
        const FormatArg& a = Arg(index);
        if (a.ArgKind() != FormatArg::Kind::Int && a.ArgKind() != FormatArg::Kind::Int64)
            Fail();
        return a.AsInt();
    }

    // A number or "*"; -1 when there is none. "*" takes the next argument.
    int Number(bool& present)
    {
        present = false;
        if (Pos < F.size() && F[Pos] == u'*') {
            ++Pos;
            present = true;
            const int64_t v = IntArg(Next++);
            if (v < -kMaxWidth || v > kMaxWidth)
                Fail();
            return int(v);
        }
        int v = 0;
        while (Pos < F.size() && IsAsciiDigit(F[Pos])) {
            v = v * 10 + (F[Pos].unicode() - u'0');
            if (v > kMaxWidth)
                Fail();
            present = true;
            ++Pos;
        }
        return v;
    }

    QString Specifier()
    {
        bool present = false;
        const int first = Number(present);
        if (present && Pos < F.size() && F[Pos] == u':') {
            if (first < 0)
                Fail();
            Next = first;
            ++Pos;
            present = false;
        }
        bool left = false;
        bool hasWidth = present;
        int width = first;
        if (!present) {
            if (Pos < F.size() && F[Pos] == u'-') {
                left = true;
                ++Pos;
            }
            width = Number(hasWidth);
        }
        if (hasWidth && width < 0) {
            // A negative width from "*" justifies on the left.
            left = true;
            width = -width;
        }
        int prec = -1;
        if (Pos < F.size() && F[Pos] == u'.') {
            ++Pos;
            const int p = Number(present);
            prec = p < 0 ? -1 : p;
        }
        if (Pos >= F.size())
            Fail();
        const QChar type = F[Pos++].toLower();
        const int index = Next++;
        QString text = Convert(type, index, prec);
        if (width > text.size()) {
            const QString pad(width - text.size(), u' ');
            text = left ? text + pad : pad + text;
        }
        return text;
    }

    QString Convert(QChar type, int index, int prec)
    {
        switch (type.unicode()) {
        case u'd': {
            const int64_t v = IntArg(index);
            const uint64_t mag = v < 0 ? uint64_t(0) - uint64_t(v) : uint64_t(v);
            return (v < 0 ? QStringLiteral("-") : QString()) + FormatUnsigned(mag, 10, prec);
        }
        case u'u':
        case u'x': {
            const FormatArg& a = Arg(index);
            const int64_t v = IntArg(index);
            // Negative values in two's complement of the argument's width.
            const uint64_t u = a.ArgKind() == FormatArg::Kind::Int ? uint64_t(uint32_t(int32_t(v))) : uint64_t(v);
            return FormatUnsigned(u, type == u'x' ? 16 : 10, prec);
        }
        case u'e':
            return FormatExponent(FloatArg(index), prec < 1 ? 15 : std::min(prec, kMaxDigits), Fs);
        case u'f':
            return FormatFixed(FloatArg(index), prec < 0 ? 2 : std::min(prec, kMaxDigits), false, Fs);
        case u'n':
            return FormatFixed(FloatArg(index), prec < 0 ? 2 : std::min(prec, kMaxDigits), true, Fs);
        case u'g':
            return FormatGeneral(FloatArg(index), prec < 1 ? 15 : std::min(prec, kMaxDigits), Fs);
        case u's': {
            const FormatArg& a = Arg(index);
            if (a.ArgKind() != FormatArg::Kind::String)
                Fail();
            QString s = a.AsString();
            if (prec >= 0 && prec < s.size()) {
                qsizetype cut = prec;
                // Never split a surrogate pair.
                if (cut > 0 && s[cut - 1].isHighSurrogate())
                    --cut;
                s.truncate(cut);
            }
            return s;
        }
        default:
            Fail();
        }
    }

    double FloatArg(int index) const
    {
        const FormatArg& a = Arg(index);
        if (a.ArgKind() != FormatArg::Kind::Double)
            Fail();
        return a.AsDouble();
    }

    const QString& F;
    std::span<const FormatArg> Args;
    const FormatSettings& Fs;
    qsizetype Pos = 0;
    int Next = 0;
};

}  // namespace

int64_t Round(double x)
{
    CheckIntegral(x);
    // The default rounding mode rounds halves to even.
    const double r = std::nearbyint(x);
    CheckIntegral(r);
    return int64_t(r);
}

int64_t Trunc(double x)
{
    CheckIntegral(x);
    return int64_t(std::trunc(x));
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t p = int64_t(a) * int64_t(b);
    int64_t q = p / c;
    const int64_t r = p % c;
    // Halves away from zero.
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -int64_t(c) : int64_t(c)))
        q += ((p < 0) != (c < 0)) ? -1 : 1;
    if (q < INT32_MIN || q > INT32_MAX)
        return -1;
    return int(q);
}

bool TryStrToInt(const QString& text, int& value)
{
    const IntScan r = ScanInt(text);
    if (!r.Digits || r.Overflow || r.Stop != text.size())
        return false;
    value = int(r.Value);
    return true;
}

int StrToInt(const QString& text)
{
    int v = 0;
    if (!TryStrToInt(text, v))
        RaiseConvert(kNotAnInteger, text);
    return v;
}

int StrToIntDef(const QString& text, int defaultValue)
{
    int v = 0;
    return TryStrToInt(text, v) ? v : defaultValue;
}

int ValInt(const QString& text, int& value)
{
    const IntScan r = ScanInt(text);
    value = int(r.Value);
    if (r.Digits && !r.Overflow && r.Stop == text.size())
        return 0;
    return int(std::min<qsizetype>(r.Stop, INT32_MAX - 1)) + 1;
}

bool TryStrToFloat(const QString& text, double& value)
{
    return TryStrToFloat(text, value, *DefaultFormatSettingsPtr());
}

bool TryStrToFloat(const QString& text, double& value, const FormatSettings& fs)
{
    qsizetype i = 0, n = text.size();
    while (i < n && text[i].unicode() <= 0x20)
        ++i;
    while (n > i && text[n - 1].unicode() <= 0x20)
        --n;
    std::string c;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        c += char(text[i++].unicode());
    int mantissaDigits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar ch = text[i];
        if (IsAsciiDigit(ch)) {
            c += char(ch.unicode());
            ++mantissaDigits;
        } else if (ch == fs.DecimalSeparator && !point) {
            c += '.';
            point = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        c += 'e';
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            c += char(text[i++].unicode());
        int expDigits = 0;
        for (; i < n && IsAsciiDigit(text[i]); ++i, ++expDigits)
            c += char(text[i].unicode());
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    // Underflow reads as the nearest small value or 0; overflow is refused.
    const double v = strtod_l(c.c_str(), nullptr, CLocale());
    if (!std::isfinite(v))
        return false;
    value = v;
    return true;
}

double StrToFloat(const QString& text) { return StrToFloat(text, *DefaultFormatSettingsPtr()); }

double StrToFloat(const QString& text, const FormatSettings& fs)
{
    double v = 0;
    if (!TryStrToFloat(text, v, fs))
        RaiseConvert(kNotAFloat, text);
    return v;
}

double StrToFloatDef(const QString& text, double defaultValue)
{
    return StrToFloatDef(text, defaultValue, *DefaultFormatSettingsPtr());
}

double StrToFloatDef(const QString& text, double defaultValue, const FormatSettings& fs)
{
    double v = 0;
    return TryStrToFloat(text, v, fs) ? v : defaultValue;
}

QString FloatToStr(double x) { return FloatToStr(x, *DefaultFormatSettingsPtr()); }

QString FloatToStr(double x, const FormatSettings& fs)
{
    return FormatGeneral(x, 15, fs);
}

QString Format(const QString& fmt, std::initializer_list<FormatArg> args)
{
    return Format(fmt, std::span<const FormatArg>(args.begin(), args.size()), *DefaultFormatSettingsPtr());
}

QString Format(const QString& fmt, std::initializer_list<FormatArg> args, const FormatSettings& fs)
{
    return Format(fmt, std::span<const FormatArg>(args.begin(), args.size()), fs);
}

QString Format(const QString& fmt, std::span<const FormatArg> args)
{
    return Format(fmt, args, *DefaultFormatSettingsPtr());
}

QString Format(const QString& fmt, std::span<const FormatArg> args, const FormatSettings& fs)
{
    return Formatter(fmt, args, fs).Run();
}
