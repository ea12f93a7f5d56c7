// The filter matcher's rules written down plainly, as recursion, to check
// the real matcher against on short inputs. Exponential in the number of
// "*": a step budget stops it, and the check is skipped then.
#include "FuzzChecks.h"

#include "AdvUtil.h"

#include <QString>

namespace {

struct Budget {
    long Steps = 0;
    bool Out() { return ++Steps > 200000; }
};

// Operand after the operator at i; quotes counted from the operand's start.
QString Operand(const QString& s, int at, bool& orEqual)
{
    const bool greater = s[at] == u'>';
    int i = at + 1;
    orEqual = false;
    if (i < s.size() && s[i] == u'=') {
        orEqual = true;
        ++i;
    }
    while (i < s.size() && s[i] == u' ')
        ++i;
    int quotes = 0;
    while (i < s.size() && s[i] == u'"') {
        ++quotes;
        ++i;
    }
    QString op;
    bool afterChar = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u' ') {
            if (greater && quotes % 2 == 1 && afterChar) {
                op += c;
                afterChar = false;
                continue;
            }
            break;
        }
        if (quotes % 2 == 0 && (c == u'&' || c == u'|'))
            break;
        if (c == u'"')
            ++quotes;
        op += c;
        afterChar = true;
    }
    op = op.left(255);
    if (op.endsWith(u'"'))
        op.chop(1);
    return op;
}

bool Number(const QString& s, double& v)
{
    TDateTime d;
    if (ParseShortDate(s, d))
        return false;
    const QString n = NormalizeNumberText(s);
    // blanks, sign, digits[.digits], exponent
    int i = 0;
    while (i < n.size() && n[i] == u' ')
        ++i;
    const int start = i;
    if (i < n.size() && (n[i] == u'+' || n[i] == u'-'))
        ++i;
    int digits = 0;
    while (i < n.size() && n[i].isDigit() && n[i].unicode() < 128)
        ++i, ++digits;
    if (i < n.size() && n[i] == u'.') {
        ++i;
        while (i < n.size() && n[i].isDigit() && n[i].unicode() < 128)
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n.size() && (n[i] == u'e' || n[i] == u'E')) {
        ++i;
        if (i < n.size() && (n[i] == u'+' || n[i] == u'-'))
            ++i;
        int e = 0;
        while (i < n.size() && n[i].isDigit() && n[i].unicode() < 128)
            ++i, ++e;
        if (e == 0)
            return false;
    }
    if (i != n.size())
        return false;
    v = n.mid(start).toDouble();
    return true;
}

int Compare(const QString& v, const QString& o)
{
    double a, b;
    if (Number(v, a) && Number(o, b))
        return a < b ? -1 : a > b ? 1 : 0;
    TDateTime x, y;
    if (ParseShortDate(v, x) && ParseShortDate(o, y))
        return x < y ? -1 : x > y ? 1 : 0;
    const int c = v.left(255).compare(o.left(255));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool Pattern(const QString& p, const QString& v, Budget& b, bool& ok)
{
    if (b.Out()) {
        ok = false;
        return false;
    }
    bool gRes = true, lRes = true, gPres = false, lPres = false;
    const int g = int(p.indexOf(u'>')), l = int(p.indexOf(u'<'));
    bool orEq = false;
    if (g >= 0) {
        const QString o = Operand(p, g, orEq);
        const int c = Compare(v, o);
        gRes = orEq ? c >= 0 : c > 0;
        gPres = true;
    }
    if (l >= 0) {
        const QString o = Operand(p, l, orEq);
        const int c = Compare(v, o);
        lRes = orEq ? c <= 0 : c < 0;
        lPres = true;
    }
    if (p.contains(u'!')) {
        if (g < 0)
            gPres = true;
        if (l < 0)
            lPres = true;
    }
    if (p.contains(u'^') && (gPres || lPres))
        return lRes || gRes;
    if (p.contains(u'&') && gPres && lPres)
        return lRes && gRes;
    if (g >= 0 && gRes)
        return true;
    if (l >= 0 && lRes)
        return true;
    int pi = 0, vi = 0;
    bool match = true, negate = false;
    while (match && !(pi == p.size() && vi == v.size())) {
        if (pi < p.size() && p[pi] == u'!') {
            negate = true;
            ++pi;
        } else if (pi < p.size() && p[pi] == u'"') {
            ++pi;
        } else if (pi < p.size() && p[pi] == u'*') {
            while (pi < p.size() && p[pi] == u'*')
                ++pi;
            const QString rest = p.mid(pi);
            match = false;
            for (int t = int(v.size()); t >= vi && !match; --t)
                match = Pattern(rest, v.mid(t), b, ok);
            if (match) {
                pi = int(p.size());
                vi = int(v.size());
            }
        } else if (pi < p.size() && p[pi] == u'?') {
            match = vi < v.size();
            if (match)
                ++pi, ++vi;
        } else {
            match = pi < p.size() && vi < v.size() && p[pi] == v[vi];
            if (match)
                ++pi, ++vi;
        }
    }
    return negate ? !match : match;
}

QString Upper(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        c = c.toUpper();
    return r;
}

QString Trim(const QString& s)
{
    int b = 0, e = int(s.size());
    while (b < e && s[b].unicode() <= 32)
        ++b;
    while (e > b && s[e - 1].unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

// Answers false in `unmatched` for a "(" without its ")".
bool Filter(const QString& expression, const QString& value, bool cs, Budget& b, bool& ok, bool& unmatched)
{
    QString e;
    int quotes = 0;
    for (QChar c : Trim(expression)) {
        if (c == u'"')
            ++quotes;
        if (c == u' ' && quotes % 2 == 0)
            continue;
        e += c;
    }
    if (e.startsWith(u'='))
        e.remove(0, 1);
    auto term = [&](const QString& t) {
        return cs ? Pattern(t, value, b, ok) : Pattern(Upper(t), Upper(value), b, ok);
    };
    bool r = true;
    QChar prev;
    auto combine = [&](bool x) {
        if (prev.unicode() == 0)
            r = x;
        else if (prev == u'&')
            r = r && x;
        else if (prev != u'(')
            r = r || x;
    };
    for (;;) {
        int pos = -1, q = 0;
        for (int i = 0; i < e.size(); ++i) {
            if (e[i] == u'"')
                ++q;
            else if (q % 2 == 0 && QStringView(u"(;^&|").contains(e[i])) {
                pos = i;
                break;
            }
        }
        if (pos < 0)
            break;
        const QChar op = e[pos];
        bool x;
        if (e.startsWith(u'(')) {
            int open = 0, close = 0, end = -1;
            for (int i = 0; i < e.size() && end < 0; ++i) {
                if (e[i] == u'(')
                    ++open;
                else if (e[i] == u')' && ++close == open)
                    end = i;
            }
            if (end < 0) {
                unmatched = true;
                return false;
            }
            x = Filter(e.mid(1, end - 1), value, cs, b, ok, unmatched);
            if (unmatched)
                return false;
            e.remove(0, end + 1);
        } else {
            x = term(e.left(pos));
            e.remove(0, pos + 1);
        }
        combine(x);
        prev = op;
    }
    combine(term(e));
    return r;
}

}  // namespace

bool ReferenceMatchFilter(const std::u16string& expression, const std::u16string& value, bool caseSensitive,
                          bool& completed)
{
    Budget b;
    bool unmatched = false;
    completed = true;
    const bool r = Filter(QString::fromStdU16String(expression), QString::fromStdU16String(value), caseSensitive, b,
                          completed, unmatched);
    return !unmatched && r;
}
