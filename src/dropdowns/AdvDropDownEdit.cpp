#include "AdvDropDownEdit.h"

#include "AdvUtil.h"
#include "FormatSettings.h"
#include "Messages.h"
#include "SysFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

bool DropEditIsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool DropEditIsNumberType(TDropDownEditType t)
{
    return t == etNumeric || t == etFloat || t == etMoney;
}

FormatSettings DropEditFormat(const TDropDownEditRules& R)
{
    FormatSettings fs = DefaultFormatSettings();
    fs.DecimalSeparator = R.DS;
    fs.ThousandSeparator = R.TS;
    return fs;
}

int DropEditPrefixLength(const TDropDownEditRules& R)
{
    return int(R.Prefix.size());
}

// The state with its caret and selection inside the text.
TDropDownEditState DropEditClamped(TDropDownEditState S)
{
    const int len = int(S.Text.size());
    S.SelStart = std::clamp(S.SelStart, 0, len);
    S.SelLength = std::clamp(S.SelLength, 0, len - S.SelStart);
    return S;
}

// The edit text for a value, Prefix and Suffix around it.
QString DropEditWrap(const TDropDownEditRules& R, const QString& Value)
{
    return R.Prefix + Value + R.Suffix;
}

// The selected part of the value (the selection taken in value positions).
QString DropEditSelectedValue(const TDropDownEditRules& R, const TDropDownEditState& S)
{
    const QString value = DropDownValue(R, S.Text);
    const int from = std::clamp(S.SelStart - DropEditPrefixLength(R), 0, int(value.size()));
    return value.mid(from, std::max(0, S.SelLength));
}

// Delphi's Delete: Count characters from the 1-based Pos; nothing for a Pos
// below 1 or past the end.
QString DropEditDeleted(QString Text, int Pos, int Count)
{
    if (Pos < 1 || Pos > Text.size() || Count <= 0) return Text;
    Text.remove(Pos - 1, Count);
    return Text;
}

// The longest leading part that reads as a number with "." as decimal
// point (blanks first, sign, digits, fraction, exponent); 0 when none.
double DropEditLeadingNumber(const QString& Text)
{
    int i = 0;
    const int n = int(Text.size());
    while (i < n && Text[i] == u' ') ++i;
    const int start = i;
    if (i < n && (Text[i] == u'+' || Text[i] == u'-')) ++i;
    int digits = 0;
    while (i < n && DropEditIsDigit(Text[i])) ++i, ++digits;
    if (i < n && Text[i] == u'.') {
        int j = i + 1;
        int frac = 0;
        while (j < n && DropEditIsDigit(Text[j])) ++j, ++frac;
        if (digits + frac > 0) {
            i = j;
            digits += frac;
        }
    }
    if (digits == 0) return 0;
    if (i < n && (Text[i] == u'e' || Text[i] == u'E')) {
        int j = i + 1;
        if (j < n && (Text[j] == u'+' || Text[j] == u'-')) ++j;
        int expDigits = 0;
        while (j < n && DropEditIsDigit(Text[j])) ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    bool ok = false;
    const double v = Text.mid(start, i - start).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

TDropDownEditWrite DropEditWriteOf(const TDropDownEditState& S, bool typed)
{
    TDropDownEditWrite w;
    w.State = DropEditClamped(S);
    w.Typed = typed;
    return w;
}

// The sign toggle: a "-" in the value is taken out, else one goes in front.
void DropEditToggleSign(const TDropDownEditRules& R, const TDropDownEditState& S, TTypedCharOutcome& out)
{
    const int P = DropEditPrefixLength(R);
    const int c = S.SelStart;
    QString value = DropDownValue(R, S.Text);
    TDropDownEditState next;
    const qsizetype minus = value.indexOf(u'-');
    if (minus >= 0) {
        value.remove(minus, 1);
        next.Text = DropEditWrap(R, value);
        next.SelStart = c > P ? c - 1 : P;
        if (R.EditType != etNumeric) out.RaiseModified = true;
    } else {
        next.Text = DropEditWrap(R, QStringLiteral("-") + value);
        next.SelStart = c + 1;
        out.RaiseModified = true;
    }
    out.Writes.push_back(DropEditWriteOf(next, false));
}

// The decimals rule of the float and money types; true when the character
// was dropped. May select the character the digit then replaces.
bool DropEditDecimalsRule(const TDropDownEditRules& R, TDropDownEditState& S, QChar ch)
{
    if (S.SelLength != 0 || !(DropEditIsDigit(ch) || ch == R.DS) || !DecimalsFull(R, S)) return false;
    const int P = DropEditPrefixLength(R);
    const int V = int(DropDownValue(R, S.Text).size());
    if (DropEditIsDigit(ch) && S.SelStart >= DecimalSeparatorPos(R, S) && S.SelStart < P + V) {
        S.SelLength = 1;
        return false;
    }
    return true;
}

// The leading-separator rule: a separator typed into an empty value makes
// it "0" and the separator. True when it applied.
bool DropEditLeadingSeparator(const TDropDownEditRules& R, const TDropDownEditState& S, QChar ch,
                              TTypedCharOutcome& out)
{
    const int P = DropEditPrefixLength(R);
    if (ch != R.DS || S.SelStart > P || !DropDownValue(R, S.Text).isEmpty()) return false;
    TDropDownEditState next;
    next.Text = DropEditWrap(R, QStringLiteral("0") + R.DS);
    next.SelStart = P + 2;
    out.Writes.push_back(DropEditWriteOf(next, false));
    out.RaiseModified = true;
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// Text routines

int ClassifyNumberText(const QString& Text, QChar DS, QChar TS)
{
    if (Text.isEmpty()) return 2;
    bool hex = true, isInt = true, dec = true;
    int minus = 0, separators = 0, lastTs = -2;
    for (int i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        const bool digit = DropEditIsDigit(c);
        hex = hex && (c == u'-' || digit || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'));
        isInt = isInt && (digit || c == u'-');
        dec = dec && (digit || c == u',' || c == u'-' || c == u'.');
        if (c == TS) {
            if (i - lastTs <= 2) dec = false;
            lastTs = i;
        }
        if (c == u'-') ++minus;
        if (c == DS) ++separators;
    }
    int result = isInt ? 0 : dec ? 1 : hex ? 5 : 2;
    if (minus > 1 || separators > 1) result = 2;
    return result;
}

QString StripThousandSeparators(const QString& Text, QChar TS)
{
    QString s = Text;
    s.remove(TS);
    return s;
}

int HexDigitValue(QChar Ch)
{
    const char16_t c = Ch.unicode();
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return 0;
}

uint32_t HexToInt(const QString& Text)
{
    uint32_t sum = 0;
    for (QChar c : Text) sum = sum * 16u + uint32_t(HexDigitValue(c));
    return sum;
}

bool IsRangeSeparator(QChar Ch)
{
    return Ch == u',' || Ch == u'-' || Ch == u';';
}

bool IsSignedMinus(const TDropDownEditRules& R, QChar Ch)
{
    return R.Signed && DropEditIsNumberType(R.EditType) && Ch == u'-';
}

int IntegerPartLength(const TDropDownEditRules& R, const QString& Text)
{
    const QString t = StripThousandSeparators(Text, R.TS);
    const qsizetype ds = t.indexOf(R.DS);
    int pos = ds >= 0 ? int(ds) + 1 : int(t.size()) + 1;
    if (IsSignedMinus(R, u'-') && Text.contains(u'-')) --pos;
    return pos;
}

// ---------------------------------------------------------------------------
// Value

QString DropDownValue(const TDropDownEditRules& R, const QString& EditText)
{
    QString v = EditText;
    if (!R.Prefix.isEmpty() && v.startsWith(R.Prefix)) v.remove(0, R.Prefix.size());
    v.chop(std::min(v.size(), R.Suffix.size()));
    return v;
}

int DecimalSeparatorPos(const TDropDownEditRules& R, const TDropDownEditState& S)
{
    const QString value = DropDownValue(R, S.Text);
    const qsizetype ds = value.indexOf(R.DS);
    const int P = DropEditPrefixLength(R);
    if (ds >= 0) return P + int(ds) + 1;
    return P + int(value.size()) + int(R.Suffix.size()) + 1;
}

bool DecimalsFull(const TDropDownEditRules& R, const TDropDownEditState& S)
{
    if (R.Precision <= 0) return false;
    const QString value = DropDownValue(R, S.Text);
    const qsizetype ds = value.indexOf(R.DS);
    if (ds < 0) return false;
    const int P = DropEditPrefixLength(R);
    const int V = int(value.size());
    if (S.SelStart < DecimalSeparatorPos(R, S)) return false;
    if (P + V - S.SelStart > R.Precision) return false;
    return V - int(ds) - 1 >= R.Precision;
}

bool ThousandSeparatorMisplaced(const TDropDownEditRules& R, const TDropDownEditState& S)
{
    QString rest = DropDownValue(R, S.Text);
    if (!rest.contains(R.TS)) return false;
    int b = S.SelStart - DropEditPrefixLength(R);
    int best = int(rest.size());
    for (;;) {
        const qsizetype at = rest.indexOf(R.TS);
        if (at < 0) break;
        const int p = int(at) + 1;
        const int distance = std::abs(p - b);
        best = std::min(best, distance);
        if (distance < 3) return true;
        if (p < b) b -= p;
        rest = rest.mid(p);
    }
    return best > 3;
}

double StrToFloatEx(const TDropDownEditRules& R, const QString& Text)
{
    double v = 0;
    if (!TryStrToFloat(StripThousandSeparators(Text, R.TS), v, DropEditFormat(R))) return 0;
    return v;
}

double DropDownFloatValue(const TDropDownEditRules& R, const QString& Value)
{
    switch (R.EditType) {
    case etString:
        return DropEditLeadingNumber(Value);
    case etNumeric:
    case etFloat:
        if (Value.isEmpty() || Value == QLatin1String("Error") || Value == QLatin1String("-")) return 0;
        return StrToFloatEx(R, Value);
    case etMoney: {
        if (Value.isEmpty()) return 0;
        QString v = StripThousandSeparators(Value, R.TS);
        if (v.endsWith(R.DS)) v.chop(1);
        if (v.isEmpty() || v == QLatin1String("-")) return 0;
        return StrToFloatEx(R, v);
    }
    case etHex:
        return Value.isEmpty() ? 0 : double(HexToInt(Value));
    default:
        return 0;
    }
}

QString DropDownComposeText(const TDropDownEditRules& R, const QString& Value)
{
    QString v = Value;
    const TDropDownEditType t = R.EditType;
    if (v.isEmpty() && (t == etNumeric || t == etFloat || t == etMoney || t == etHex)) v = QStringLiteral("0");
    if (R.Precision > 0 && !v.isEmpty() && v != QLatin1String("Error")) {
        if (t == etMoney)
            v = Format(QStringLiteral("%.*n"), {R.Precision, StrToFloatEx(R, v)}, DropEditFormat(R));
        else if (t == etFloat)
            v = Format(QStringLiteral("%.*f"), {R.Precision, StrToFloatEx(R, v)}, DropEditFormat(R));
    }
    if (t == etHex) v = v.toUpper();
    return DropEditWrap(R, v);
}

std::optional<QString> DropDownFloatText(const TDropDownEditRules& R, double X)
{
    if (!std::isfinite(X)) X = 0;
    const FormatSettings fs = DropEditFormat(R);
    switch (R.EditType) {
    case etString:
    case etFloat:
    case etMoney:
        if (R.Precision < 0) return Format(QStringLiteral("%g"), {X}, fs);
        return Format(QStringLiteral("%.*f"), {R.Precision, X}, fs);
    case etNumeric:
        if (R.Precision < 0) return Format(QStringLiteral("%g"), {X}, fs);
        return Format(QStringLiteral("%.*n"), {R.Precision, X}, fs);
    case etHex: {
        // Beyond the 64-bit range the integer part has no digits to show.
        const double t = std::trunc(X);
        const int64_t n = std::fabs(t) < 9.0e18 ? int64_t(t) : 0;
        return QString::number(uint32_t(n), 16).toUpper();
    }
    default:
        return std::nullopt;
    }
}

std::optional<QString> DropDownIntText(const TDropDownEditRules& R, int N)
{
    switch (R.EditType) {
    case etNumeric:
    case etFloat:
    case etMoney:
        return QString::number(N);
    case etHex:
        return QString::number(uint32_t(N), 16).toUpper();
    default:
        return std::nullopt;
    }
}

std::optional<TThousandsResult> ApplyThousandSeparatorsTo(const TDropDownEditRules& R,
                                                          const TDropDownEditState& S)
{
    const QString value = DropDownValue(R, S.Text);
    if (value.isEmpty()) return std::nullopt;
    QString body = value;
    QString sign;
    if (body.startsWith(u'-')) {
        sign = QStringLiteral("-");
        body.remove(0, 1);
    }
    const qsizetype ds = body.indexOf(R.DS);
    const QString fraction = ds >= 0 ? body.mid(ds, 255) : QString();
    // The integer digits as they stand: regrouped, never recomputed, so a
    // value beyond a double's precision keeps every digit.
    QString digits;
    for (QChar c : ds >= 0 ? body.left(ds) : body)
        if (DropEditIsDigit(c)) digits += c;
    while (digits.size() > 1 && digits.startsWith(u'0')) digits.remove(0, 1);
    if (digits.isEmpty()) digits = QStringLiteral("0");
    QString grouped = digits;
    if (R.AutoThousandSeparator)
        for (qsizetype i = grouped.size() - 3; i > 0; i -= 3) grouped.insert(i, R.TS);
    const QString newValue = sign + grouped + fraction;
    TThousandsResult r;
    r.State.Text = DropEditWrap(R, newValue);
    r.Changed = r.State.Text != S.Text;
    r.State.SelStart = S.SelStart + int(newValue.size()) - int(value.size());
    r.State.SelLength = 0;
    r.State = DropEditClamped(r.State);
    return r;
}

// ---------------------------------------------------------------------------
// Selection

TDropDownEditState SelectAllValue(const TDropDownEditRules& R, TDropDownEditState S)
{
    const int V = int(DropDownValue(R, S.Text).size());
    S.SelStart = 0;
    S.SelLength = V;
    if (!R.Prefix.isEmpty() || !R.Suffix.isEmpty()) S.SelStart = DropEditPrefixLength(R);
    return DropEditClamped(S);
}

TDropDownEditState SelectBeforeDecimal(const TDropDownEditRules& R, TDropDownEditState S)
{
    const qsizetype ds = DropDownValue(R, S.Text).indexOf(R.DS);
    const int P = DropEditPrefixLength(R);
    S.SelStart = ds >= 0 ? P + int(ds) : P;
    S.SelLength = 0;
    return DropEditClamped(S);
}

TDropDownEditState SelectAfterDecimal(const TDropDownEditRules& R, TDropDownEditState S)
{
    const qsizetype ds = DropDownValue(R, S.Text).indexOf(R.DS);
    const int P = DropEditPrefixLength(R);
    S.SelStart = ds >= 0 ? P + int(ds) + 1 : P;
    S.SelLength = 0;
    return DropEditClamped(S);
}

TDropDownEditState SelectionAfterMouseUp(const TDropDownEditRules& R, TDropDownEditState S)
{
    const int P = DropEditPrefixLength(R);
    const int V = int(DropDownValue(R, S.Text).size());
    if (!R.Prefix.isEmpty() && S.SelStart < P) {
        S.SelStart = P;
        S.SelLength = V;
    }
    if (!R.Suffix.isEmpty()) {
        if (S.SelStart > V) {
            S.SelStart = V;
            S.SelLength = 0;
        } else if (S.SelStart + S.SelLength > V) {
            S.SelLength = V - S.SelStart;
        }
    }
    return DropEditClamped(S);
}

// ---------------------------------------------------------------------------
// Typing

TDropDownEditState PlatformTypeChar(const TDropDownEditRules& R, const TDropDownEditState& In, QChar Ch)
{
    TDropDownEditState S = DropEditClamped(In);
    const char16_t c = Ch.unicode();
    if (c == 8) {
        if (S.SelLength > 0) {
            S.Text.remove(S.SelStart, S.SelLength);
        } else if (S.SelStart > 0) {
            S.Text.remove(S.SelStart - 1, 1);
            --S.SelStart;
        }
        S.SelLength = 0;
        return S;
    }
    if (c < 32 || c == 127) return S;
    if (R.MaxLength > 0 && S.Text.size() - S.SelLength + 1 > R.MaxLength) return S;
    S.Text.replace(S.SelStart, S.SelLength, Ch);
    ++S.SelStart;
    S.SelLength = 0;
    return S;
}

TTypedCharOutcome DropDownTypeChar(const TDropDownEditRules& R, const TDropDownEditState& In, QChar Ch,
                                   const TTypedCharContext& C)
{
    TTypedCharOutcome out;
    TDropDownEditState S = DropEditClamped(In);
    const int P = DropEditPrefixLength(R);
    const QString value = DropDownValue(R, S.Text);
    const int V = int(value.size());
    out.BlockFirstWrite = V > 0 && S.SelLength == V;
    QChar ch = Ch;
    const char16_t code = ch.unicode();
    auto drop = [&]() {
        out.Dropped = true;
        out.Writes.clear();
        out.PassChar.reset();
        out.RaiseModified = false;
        return out;
    };
    // The edit processes ch; the selection may have been widened first.
    auto pass = [&](QChar c) {
        if (S != In) out.Writes.push_back(DropEditWriteOf(S, false));
        out.PassChar = c;
        return out;
    };

    if (C.CtrlDown && (code == 3 || code == 22 || code == 24)) {
        out.Unfiltered = true;
        out.PassChar = ch;
        return out;
    }
    if (R.ExcelStyleDecimalSeparator && C.KeypadKey && (ch == u'.' || ch == u',')) ch = R.DS;
    if (code == 8 && P > 0 && S.SelStart <= P && S.SelLength == 0) return drop();
    if (R.LengthLimit > 0 && IntegerPartLength(R, value) > R.LengthLimit && S.SelLength == 0
        && S.SelStart < DecimalSeparatorPos(R, S) && code != 8 && ch != R.DS && !IsSignedMinus(R, ch))
        return drop();
    if (code == 8) {
        const int pos = S.SelStart - P;
        const QString rest = S.SelLength == 0 ? DropEditDeleted(value, pos, 1)
                                              : DropEditDeleted(value, pos, S.SelLength);
        out.After = TAfterTyped::Backspace;
        out.BackspaceRestNonEmpty = !rest.isEmpty();
        return pass(ch);
    }
    if (C.CtrlDown && code == 10) return drop();
    if (DropEditIsNumberType(R.EditType) && !R.Signed && ch == u'-') return drop();

    const bool digit = DropEditIsDigit(ch);
    const bool control = code == 8 || code == 9 || code == 13;
    // What the float and money types share once their own rules passed: a
    // misplaced separator, the decimals, a leading separator, the sign.
    // True when the outcome is final.
    auto sharedNumberRules = [&]() {
        if ((ch == R.TS || ch == R.DS) && ThousandSeparatorMisplaced(R, S)) {
            drop();
            return true;
        }
        if (DropEditDecimalsRule(R, S, ch)) {
            drop();
            return true;
        }
        if (DropEditLeadingSeparator(R, S, ch, out)) return true;
        if (ch == u'-' && S.SelLength == 0) {
            DropEditToggleSign(R, S, out);
            return true;
        }
        return false;
    };
    switch (R.EditType) {
    case etString:
    case etPassword:
        out.RaiseModified = true;
        return pass(ch);
    case etNumeric:
        if (ch == u'-') {
            if (S.SelLength == V) {
                TDropDownEditState next;
                next.Text = DropEditWrap(R, QStringLiteral("-"));
                next.SelStart = P + 1;
                out.Writes.push_back(DropEditWriteOf(next, false));
            } else {
                DropEditToggleSign(R, S, out);
            }
            return out;
        }
        if (digit || control || C.CtrlDown) return pass(ch);
        return drop();
    case etFloat: {
        if (ch == u',' && R.DS != u',' && R.TS != u',') return drop();
        if (ch == u'.' && R.DS != u'.' && R.TS != u'.') return drop();
        if (!(digit || control || ch == u',' || ch == u'-' || ch == u'.' || ch == R.DS)) return drop();
        const QString selected = DropEditSelectedValue(R, S);
        if (ch == R.DS && !selected.contains(R.DS) && (value.contains(R.DS) || R.Precision == 0)) {
            drop();
            // The caret goes behind the separator already there.
            if (R.Precision > 0) out.Writes.push_back(DropEditWriteOf(SelectAfterDecimal(R, S), false));
            return out;
        }
        if (ch == u',' && value.contains(u',') && !selected.contains(u',') && R.TS != u',') return drop();
        if (sharedNumberRules()) return out;
        return pass(ch);
    }
    case etMoney: {
        if (ch == R.DS && (value.contains(R.DS) || R.Precision == 0)) {
            drop();
            if (R.Precision <= 0) return out;
            TDropDownEditState moved = S;
            if (S.SelLength == V && V > 0) {
                // The value becomes zero with its decimals (through the value
                // setter), then the caret goes behind the separator.
                out.SetTextZero = true;
                moved.Text = DropDownComposeText(R, QStringLiteral("0,0"));
            }
            out.Writes.push_back(DropEditWriteOf(SelectAfterDecimal(R, moved), false));
            return out;
        }
        if (!(digit || control || ch == u'-' || ch == R.DS)) return drop();
        if (sharedNumberRules()) return out;
        out.After = TAfterTyped::Money;
        return pass(ch);
    }
    case etUppercase:
        return pass(ch.toUpper());
    case etLowerCase:
        return pass(ch.toLower());
    case etMixedCase:
        out.After = TAfterTyped::MixedCase;
        out.MixedCaret = S.SelStart;
        return pass(ch);
    case etRange:
        if (!(digit || control || IsRangeSeparator(ch))) return drop();
        if (IsRangeSeparator(ch)) {
            const QString padded = S.Text + QLatin1Char(' ');
            const bool before = S.SelStart > 0 && IsRangeSeparator(S.Text[S.SelStart - 1]);
            const bool at = IsRangeSeparator(padded[S.SelStart]);
            if (S.SelStart <= P || before || at) return drop();
        }
        out.RaiseModified = true;
        return pass(ch);
    case etHex:
        if (!(digit || control || ch == u'-' || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f')))
            return drop();
        out.RaiseModified = true;
        return pass(ch);
    case etAlphaNumeric:
        if (!(digit || control || (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z'))) return drop();
        out.RaiseModified = true;
        return pass(ch);
    case etValidChars:
        if (!(R.ValidChars.contains(ch) || code == 8)) return drop();
        out.RaiseModified = true;
        return pass(ch);
    }
    return drop();
}

TAfterTypedOutcome DropDownAfterTyped(const TDropDownEditRules& R, const TTypedCharOutcome& O,
                                      const TDropDownEditState& State, QChar Ch)
{
    TAfterTypedOutcome out;
    const QString value = DropDownValue(R, State.Text);
    switch (O.After) {
    case TAfterTyped::Backspace:
        // A whole value deleted: its change notification was swallowed.
        out.CallChange = value.isEmpty() && O.BackspaceRestNonEmpty;
        break;
    case TAfterTyped::Money:
        if (!value.isEmpty() && value != QLatin1String("-") && Ch != R.DS) {
            out.RaiseModified = true;
            if (auto t = ApplyThousandSeparatorsTo(R, State)) {
                TDropDownEditWrite w = DropEditWriteOf(t->State, false);
                w.BlockChange = t->Changed;
                out.Writes.push_back(w);
            }
        }
        break;
    case TAfterTyped::MixedCase: {
        TDropDownEditState recased;
        recased.Text = DropEditWrap(R, ToMixedCase(value));
        recased.SelStart = O.MixedCaret + 1;
        out.Writes.push_back(DropEditWriteOf(recased, false));
        break;
    }
    case TAfterTyped::None:
        break;
    }
    return out;
}

TTypedSimulation DropDownSimulateChar(const TDropDownEditRules& R, const TDropDownEditState& S, QChar Ch,
                                      const TTypedCharContext& C)
{
    TTypedSimulation sim;
    sim.State = DropEditClamped(S);
    const TTypedCharOutcome o = DropDownTypeChar(R, sim.State, Ch, C);
    sim.Dropped = o.Dropped;
    sim.SetTextZero = o.SetTextZero;
    sim.RaiseModified = o.RaiseModified;
    auto write = [&](TDropDownEditWrite w) {
        sim.State = w.State;
        sim.Writes.push_back(w);
    };
    for (const TDropDownEditWrite& w : o.Writes) write(w);
    if (o.PassChar && !o.Unfiltered) {
        TDropDownEditWrite typed = DropEditWriteOf(PlatformTypeChar(R, sim.State, *o.PassChar), true);
        if (typed.State.Text != sim.State.Text) sim.RaiseModified = sim.RaiseModified || Ch.unicode() != 8;
        write(typed);
        const TAfterTypedOutcome after = DropDownAfterTyped(R, o, sim.State, *o.PassChar);
        for (const TDropDownEditWrite& w : after.Writes) write(w);
        sim.RaiseModified = sim.RaiseModified || after.RaiseModified;
        sim.CallChange = after.CallChange;
    }
    // The swallowed notification belongs to the first write that changes
    // the text.
    if (o.BlockFirstWrite) {
        QString text = S.Text;
        for (TDropDownEditWrite& w : sim.Writes) {
            if (w.State.Text == text) continue;
            w.BlockChange = true;
            break;
        }
    }
    return sim;
}

TKeyDownOutcome DropDownKeyDown(const TDropDownEditRules& R, const TDropDownEditState& In, uint16_t Key,
                                bool ShiftDown)
{
    TKeyDownOutcome out;
    const TDropDownEditState S = DropEditClamped(In);
    const int P = DropEditPrefixLength(R);
    const QString value = DropDownValue(R, S.Text);
    const int V = int(value.size());
    const int E = S.SelStart + S.SelLength;
    const bool prefix = !R.Prefix.isEmpty(), suffix = !R.Suffix.isEmpty();
    auto swallow = [&]() {
        out.Swallowed = true;
        return out;
    };
    if (Key == VK_RIGHT && suffix && E >= V) return swallow();
    if (Key == VK_DELETE && suffix) {
        if (E >= V && S.SelLength == 0) return swallow();
        out.RaiseModified = true;
    }
    if (Key == VK_LEFT && prefix && P >= E) return swallow();
    if (Key == VK_END && suffix) {
        TDropDownEditState sel = S;
        if (ShiftDown) {
            sel.SelLength = V - S.SelStart;
        } else {
            sel.SelStart = V;
            sel.SelLength = 0;
        }
        out.Selection = DropEditClamped(sel);
        return swallow();
    }
    if (Key == VK_HOME && prefix) {
        TDropDownEditState sel = S;
        sel.SelStart = P;
        sel.SelLength = ShiftDown ? V : 0;
        // (P + V passes the text's end when the Prefix is no longer there.)
        if (ShiftDown) out.Anchor = std::min(P + V, int(S.Text.size()));
        out.Selection = DropEditClamped(sel);
        return swallow();
    }
    if (Key == VK_BACK && prefix) {
        if (S.SelStart <= P + 1) return swallow();
        out.RaiseModified = true;
    }
    if (Key == VK_DELETE && S.SelStart >= P) {
        const int pos = S.SelStart - P + 1;
        const QString rest = DropEditDeleted(value, pos, S.SelLength > 0 ? S.SelLength : 1);
        if (R.LengthLimit > 0 && IntegerPartLength(R, rest) - 1 > R.LengthLimit) return swallow();
        out.RaiseModified = true;
    }
    return out;
}

// ---------------------------------------------------------------------------
// Paste and leaving

TPastePlan DropDownPastePlan(const TDropDownEditRules& R, const TDropDownEditState& In, const QString& Clip)
{
    TPastePlan plan;
    const TDropDownEditState S = DropEditClamped(In);
    const int P = DropEditPrefixLength(R);
    const QString value = DropDownValue(R, S.Text);
    const int V = int(value.size());
    const int at = std::clamp(S.SelStart - P, 0, V);
    plan.NewValue = value;
    plan.NewValue.replace(at, std::min(S.SelLength, V - at), Clip);
    plan.Selection = S;
    plan.Selection.SelLength = 0;
    if (S.SelLength > 0)
        plan.Selection.SelLength = int(Clip.size());
    else
        plan.Selection.SelStart = S.SelStart + int(Clip.size());
    if (R.MaxLength > 0 && Clip.size() + V - S.SelLength > R.MaxLength) {
        plan.TooLong = true;
        return plan;
    }
    const QString& N = plan.NewValue;
    const int kind = ClassifyNumberText(N, R.DS, R.TS);
    const bool signOk = R.Signed || !N.contains(u'-');
    auto allOf = [&](auto accept) { return std::all_of(N.begin(), N.end(), accept); };
    // Every accepted paste writes the value and raises the modified state.
    auto accept = [&](TPasteAction action, const QString& text) {
        plan.Action = action;
        plan.TextToSet = text;
        plan.RaiseModified = true;
    };
    switch (R.EditType) {
    case etString:
    case etPassword:
        accept(TPasteAction::SetText, N);
        break;
    case etNumeric:
        if (kind == 0 && signOk) accept(TPasteAction::SetText, N);
        break;
    case etFloat:
    case etMoney:
        if (kind <= 1 && (R.Precision != 0 || !Clip.contains(R.DS)) && signOk)
            accept(TPasteAction::SetTextAndReformat, N);
        break;
    case etUppercase:
        accept(TPasteAction::SetText, N.toUpper());
        break;
    case etLowerCase:
        accept(TPasteAction::SetText, N.toLower());
        break;
    case etMixedCase:
        accept(TPasteAction::SetText, ToMixedCase(N));
        break;
    case etAlphaNumeric:
        if (allOf([](QChar c) { return DropEditIsDigit(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }))
            accept(TPasteAction::SetText, N);
        break;
    case etValidChars:
        if (allOf([&](QChar c) { return R.ValidChars.contains(c); })) accept(TPasteAction::SetText, N);
        break;
    case etRange:
    case etHex:
        break;
    }
    return plan;
}

TDropDownEditState DropDownPasteSelection(const TDropDownEditRules& R, const TPastePlan& Plan,
                                          const QString& EditTextAfter)
{
    TDropDownEditState S = Plan.Selection;
    S.Text = EditTextAfter;
    if (R.EditType == etMoney && DropDownValue(R, EditTextAfter).size() > 3) return SelectAllValue(R, S);
    return DropEditClamped(S);
}

TLeaveAction DropDownLeaveAction(const TDropDownEditRules& R, const QString& Value)
{
    const bool money = R.EditType == etFloat || R.EditType == etMoney;
    if (R.Precision > 0 && money && (!Value.isEmpty() || !R.AllowNumericNullValue)) return TLeaveAction::Reformat;
    if (R.EditType == etNumeric && Value.isEmpty() && !R.AllowNumericNullValue) return TLeaveAction::SetZeroText;
    if (money && Value.isEmpty() && !R.AllowNumericNullValue) return TLeaveAction::SetZeroFloat;
    return TLeaveAction::Nothing;
}
