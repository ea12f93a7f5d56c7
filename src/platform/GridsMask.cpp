#include "GridsMask.h"

#include "FormatSettings.h"

#include <QStringList>

#include <algorithm>

namespace {

// Splits the mask at its unescaped semicolons.
QStringList MaskFields(const QString& mask)
{
    QStringList fields{QString()};
    for (int i = 0; i < mask.size(); ++i) {
        const QChar ch = mask[i];
        if (ch == u'\\' && i + 1 < mask.size()) {
            fields.last() += ch;
            fields.last() += mask[++i];
        } else if (ch == u';') {
            fields.append(QString());
        } else {
            fields.last() += ch;
        }
    }
    return fields;
}

} // namespace

void TEditMaskModel::SetMask(const QString& mask)
{
    FMask = mask;
    FPositions.clear();
    FKeepLiterals = true;
    FBlanksFirst = false;
    FBlank = u'_';
    const QStringList fields = MaskFields(mask);
    if (fields.size() >= 2 && !fields[1].isEmpty()) FKeepLiterals = fields[1][0] != u'0';
    if (fields.size() >= 3 && !fields[2].isEmpty()) FBlank = fields[2][0];

    const FormatSettings settings = DefaultFormatSettings();
    const QString& m = fields[0];
    Case cs = Case::None;
    for (int i = 0; i < m.size(); ++i) {
        const QChar ch = m[i];
        Position p;
        p.C = cs;
        switch (ch.unicode()) {
        case '>': cs = Case::Upper; continue;
        case '<':
            if (i + 1 < m.size() && m[i + 1] == u'>') {
                cs = Case::None;
                ++i;
            } else {
                cs = Case::Lower;
            }
            continue;
        case '!': FBlanksFirst = true; continue;
        case '\\':
            if (i + 1 >= m.size()) continue;
            p.Literal = m[++i];
            break;
        case 'L': p.K = Kind::Letter; p.Required = true; break;
        case 'l': p.K = Kind::Letter; break;
        case 'A': p.K = Kind::AlphaNum; p.Required = true; break;
        case 'a': p.K = Kind::AlphaNum; break;
        case 'C': p.K = Kind::AnyChar; p.Required = true; break;
        case 'c': p.K = Kind::AnyChar; break;
        case '0': p.K = Kind::Digit; p.Required = true; break;
        case '9': p.K = Kind::Digit; break;
        case '#': p.K = Kind::DigitOrSign; break;
        case ':': p.Literal = settings.TimeSeparator; break;
        case '/': p.Literal = settings.DateSeparator; break;
        case '_': p.Literal = u' '; break;
        default: p.Literal = ch; break;
        }
        FPositions.push_back(p);
    }
    FValue.clear();
    for (const Position& p : FPositions) FValue += p.K == Kind::Literal ? p.Literal : FBlank;
    FSelStart = 0;
    FSelLength = 0;
}

bool TEditMaskModel::IsEditable(int pos) const
{
    return pos >= 0 && pos < Length() && FPositions[size_t(pos)].K != Kind::Literal;
}

bool TEditMaskModel::Fits(const Position& p, QChar ch) const
{
    switch (p.K) {
    case Kind::Literal: return false;
    case Kind::Letter: return ch.isLetter();
    case Kind::AlphaNum: return ch.isLetterOrNumber();
    case Kind::AnyChar: return ch.isPrint();
    case Kind::Digit: return ch >= u'0' && ch <= u'9';
    case Kind::DigitOrSign: return (ch >= u'0' && ch <= u'9') || ch == u'+' || ch == u'-';
    }
    return false;
}

QChar TEditMaskModel::Converted(const Position& p, QChar ch) const
{
    if (p.C == Case::Upper) return ch.toUpper();
    if (p.C == Case::Lower) return ch.toLower();
    return ch;
}

QString TEditMaskModel::EditText() const
{
    return FValue;
}

void TEditMaskModel::SetEditText(const QString& v)
{
    for (int i = 0; i < Length(); ++i) {
        const Position& p = FPositions[size_t(i)];
        if (p.K == Kind::Literal) continue;
        const QChar ch = i < v.size() ? v[i] : FBlank;
        FValue[i] = Fits(p, ch) ? Converted(p, ch) : FBlank;
    }
}

QString TEditMaskModel::Text() const
{
    QString leading;
    QString out;
    for (int i = 0; i < Length(); ++i) {
        const Position& p = FPositions[size_t(i)];
        if (p.K == Kind::Literal) {
            if (FKeepLiterals) out += p.Literal;
            continue;
        }
        const bool blank = FValue[i] == FBlank;
        if (blank && FBlanksFirst && !p.Required)
            leading += u' ';
        else
            out += blank ? QChar(u' ') : FValue[i];
    }
    return leading + out;
}

void TEditMaskModel::SetText(const QString& v)
{
    if (FKeepLiterals) {
        SetEditText(v);
        return;
    }
    QString shown = FValue;
    int k = 0;
    for (int i = 0; i < Length(); ++i) {
        if (FPositions[size_t(i)].K == Kind::Literal) continue;
        shown[i] = k < v.size() ? v[k] : FBlank;
        ++k;
    }
    SetEditText(shown);
}

void TEditMaskModel::SetSel(int start, int length)
{
    FSelStart = std::clamp(start, 0, Length());
    FSelLength = std::clamp(length, 0, Length() - FSelStart);
}

int TEditMaskModel::NextEditable(int from) const
{
    for (int i = std::max(from, 0); i < Length(); ++i)
        if (IsEditable(i)) return i;
    return -1;
}

void TEditMaskModel::BlankRange(int start, int length)
{
    for (int i = start; i < start + length && i < Length(); ++i)
        if (IsEditable(i)) FValue[i] = FBlank;
}

bool TEditMaskModel::TypeChar(QChar ch)
{
    const int pos = NextEditable(FSelStart);
    if (pos < 0 || !Fits(FPositions[size_t(pos)], ch)) return false;
    BlankRange(FSelStart, FSelLength);
    FValue[pos] = Converted(FPositions[size_t(pos)], ch);
    const int next = NextEditable(pos + 1);
    FSelStart = next < 0 ? Length() : next;
    FSelLength = 0;
    return true;
}

bool TEditMaskModel::PasteText(const QString& text)
{
    QString t = text;
    if (t.endsWith(u'\n')) t.chop(1);
    if (t.endsWith(u'\r')) t.chop(1);
    TEditMaskModel m = *this;
    m.BlankRange(m.FSelStart, m.FSelLength);
    int pos = m.FSelStart;
    for (QChar ch : t) {
        for (;;) {
            if (pos >= m.Length()) return false;
            const Position& p = m.FPositions[size_t(pos)];
            if (m.IsEditable(pos)) {
                if (!m.Fits(p, ch)) return false;
                m.FValue[pos] = m.Converted(p, ch);
                ++pos;
                break;
            }
            ++pos;
            if (p.Literal == ch) break;
        }
    }
    const int next = m.NextEditable(pos);
    m.FSelStart = next < 0 ? m.Length() : next;
    m.FSelLength = 0;
    *this = m;
    return true;
}

void TEditMaskModel::Backspace()
{
    if (FSelLength > 0) {
        BlankRange(FSelStart, FSelLength);
        FSelLength = 0;
        return;
    }
    for (int i = FSelStart - 1; i >= 0; --i) {
        if (IsEditable(i)) {
            FValue[i] = FBlank;
            FSelStart = i;
            return;
        }
    }
}

void TEditMaskModel::Delete()
{
    if (FSelLength > 0) {
        BlankRange(FSelStart, FSelLength);
        FSelLength = 0;
        return;
    }
    const int pos = NextEditable(FSelStart);
    if (pos >= 0) FValue[pos] = FBlank;
}

int TEditMaskModel::FirstMissing() const
{
    for (int i = 0; i < Length(); ++i)
        if (FPositions[size_t(i)].Required && FValue[i] == FBlank) return i;
    return -1;
}
