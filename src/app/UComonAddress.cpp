#include "UComonAddress.h"

#include "ClassesLists.h"
#include "FormatSettings.h"
#include "SerialPorts.h"
#include "SysFormat.h"

#include <QRegularExpression>
#include <algorithm>
#include <cfloat>
#include <cmath>

QString TrimControls(const QString& s)
{
    int b = 0, e = int(s.size());
    while (b < e && s[b].unicode() <= 0x20)
        ++b;
    while (e > b && s[e - 1].unicode() <= 0x20)
        --e;
    return s.mid(b, e - b);
}

namespace {

bool InRange(int v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

// Splits at the first `sep`: the part before it (trimmed) and what follows.
// False when there is no separator.
bool SplitFirst(const QString& s, QChar sep, QString& head, QString& tail)
{
    const qsizetype at = s.indexOf(sep);
    if (at < 0)
        return false;
    head = TrimControls(s.left(at));
    tail = s.mid(at + 1);
    return true;
}

// A part after splitting: trimmed, then read (-1 when it does not read).
int ReadTrimmed(const QString& text)
{
    return StrToIntDef(TrimControls(text), -1);
}

int CheckKnxGroup(const QString& text)
{
    if (text.contains(u'.'))
        return 1;
    QString main, rest;
    if (!SplitFirst(text, u'/', main, rest))
        return InRange(StrToIntDef(text, -1), 1, 65535) ? 0 : 1;  // not split: not trimmed
    const int m = StrToIntDef(main, -1);
    QString middle, sub;
    if (!SplitFirst(rest, u'/', middle, sub)) {
        const int s = ReadTrimmed(rest);
        return InRange(m, 0, 31) && InRange(s, 0, 2047) && (m != 0 || s != 0) ? 0 : 1;
    }
    if (sub.contains(u'/'))
        return 1;
    const int mid = StrToIntDef(middle, -1);
    const int s = ReadTrimmed(sub);
    return InRange(m, 0, 31) && InRange(mid, 0, 7) && InRange(s, 0, 255) && (m || mid || s) ? 0 : 1;
}

int CheckKnxIndividual(const QString& text, bool AllowZero)
{
    if (text.contains(u'/'))
        return 1;
    QString area, rest;
    if (!SplitFirst(text, u'.', area, rest))
        return InRange(StrToIntDef(text, -1), 1, 65535) ? 0 : 1;  // not split: not trimmed
    QString line, device;
    if (!SplitFirst(rest, u'.', line, device)) {
        // Two parts: the 16-bit address as its high and low byte, such as
        // 230.240.
        const int high = StrToIntDef(area, -1), low = ReadTrimmed(rest);
        if (!InRange(high, 0, 255) || !InRange(low, 0, 255))
            return 1;
        return (high || low || AllowZero) ? 0 : 1;
    }
    if (device.contains(u'.'))
        return 1;
    const int a = StrToIntDef(area, -1), l = StrToIntDef(line, -1), d = ReadTrimmed(device);
    if (!InRange(a, 0, 15) || !InRange(l, 0, 15) || !InRange(d, 0, 255))
        return 1;
    return (a || l || d || AllowZero) ? 0 : 1;
}

}  // namespace

bool SplitIpText(const QString& text, QString& o1, QString& o2, QString& o3, QString& o4)
{
    QString s = TrimControls(text);
    QString rest;
    if (!SplitFirst(s, u'.', o1, rest))
        return false;
    s = TrimControls(rest);
    if (!SplitFirst(s, u'.', o2, rest))
        return false;
    s = TrimControls(rest);
    if (!SplitFirst(s, u'.', o3, rest))
        return false;
    o4 = TrimControls(rest);
    for (const QString* part : {&o1, &o2, &o3, &o4}) {
        if (!InRange(StrToIntDef(*part, 1000), 0, 255))
            return false;
    }
    return true;
}

bool IpTextToBytes(const QString& text, uint8_t& b1, uint8_t& b2, uint8_t& b3, uint8_t& b4)
{
    if (text.isEmpty())
        return true;
    bool error = false;
    QString s = text;
    uint8_t* bytes[] = {&b1, &b2, &b3, &b4};
    for (int i = 0; i < 4; ++i) {
        const qsizetype dot = s.indexOf(u'.');
        // The last octet is all that is left; the others end at a dot.
        const QString part = i == 3 ? s : (dot >= 0 ? s.left(dot) : QString());
        const int v = StrToIntDef(part, -1);
        if (InRange(v, 0, 255)) {
            *bytes[i] = uint8_t(v);
        } else {
            *bytes[i] = 0;
            error = true;
        }
        if (dot >= 0)
            s = s.mid(dot + 1);
    }
    return error;
}

TStringList* ListComPorts()
{
    QList<int> ports = PresentSerialPorts(256);
    std::sort(ports.begin(), ports.end());
    auto* list = new TStringList;
    for (int n : ports)
        list->Add(QString::number(n));
    return list;
}

int CheckKnxAddress(const QString& text, bool IsGroup, bool AllowZero)
{
    return IsGroup ? CheckKnxGroup(text) : CheckKnxIndividual(text, AllowZero);
}

bool HasNoDot(const QString& text)
{
    return !text.contains(u'.');
}

QChar GetDecimalSeparator()
{
    const QString raw = DefaultFormatSettings().RawDecimalSeparator;
    if (!raw.isEmpty() && (raw[0] == u',' || raw[0] == u'.'))
        return raw[0];
    return u',';
}

bool TextToSingle(const QString& text, QChar separator, float& value)
{
    QString s = text;
    if (separator == u'.')
        s.replace(u',', u'.');
    else
        s.replace(u'.', u',');
    s = TrimControls(s);
    // The pattern for a separator, compiled once for the two usual ones: a
    // table check reads a fraction in every row.
    const auto pattern = [](QChar sep) {
        return QRegularExpression(QStringLiteral("^[+-]?([0-9]+(%1[0-9]*)?|%1[0-9]+)([eE][+-]?[0-9]+)?$")
                                      .arg(QRegularExpression::escape(QString(sep))));
    };
    static const QRegularExpression pointNumber = pattern(u'.');
    static const QRegularExpression commaNumber = pattern(u',');
    const QRegularExpression other = separator == u'.' || separator == u',' ? QRegularExpression() : pattern(separator);
    const QRegularExpression& number = separator == u'.' ? pointNumber : separator == u',' ? commaNumber : other;
    if (number.match(s).hasMatch()) {
        s.replace(separator, u'.');
        bool ok = false;
        const double d = s.toDouble(&ok);
        // Outside the 32-bit float range in either direction does not read:
        // a non-zero value that would become 0 or lose its precision as a
        // denormal is as wrong as one that would become infinite.
        const double size = std::fabs(d);
        if (ok && std::isfinite(d) && size <= double(FLT_MAX) && (size == 0 || size >= double(FLT_MIN))) {
            value = float(d);
            return true;
        }
    }
    value = 1.0f;
    return false;
}
