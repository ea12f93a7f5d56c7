#include "AdvGridReaders.h"

#include "AdvUtil.h"
#include "SysFormat.h"

#include <QStringDecoder>
#include <pugixml.hpp>
#include <algorithm>

namespace {

constexpr QChar kCR(u'\r');
constexpr QChar kLF(u'\n');
constexpr QChar kTab(u'\t');
constexpr QChar kVT(11);
constexpr QChar kQuote(u'"');

// Fixed English messages of this unit.
const char* const kNotAnInteger = "'%1' is not a valid integer value";
const char* const kCountOutOfRange = "Invalid stream format";

bool CountsInLimits(int cols, int rows)
{
    return cols >= 0 && rows >= 0 && cols <= GridImportLimits::MaxCols && rows <= GridImportLimits::MaxRows;
}

bool WidthInLimits(int w) { return w >= 0 && w <= GridImportLimits::MaxExtent; }

// "cw c,w": the column and the width.
bool ReadWidthLine(QStringView line, int& col, int& width, bool strict)
{
    const QStringView rest = line.mid(3);
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0) return false;
    bool okc = false, okw = false;
    col = rest.left(comma).trimmed().toInt(&okc);
    width = rest.mid(comma + 1, 255).trimmed().toInt(&okw);
    (void)strict;
    return okc && okw;
}

}  // namespace

// ---- text cell file -----------------------------------------------------------

bool ReadTextCellFile(const QStringList& Lines, bool MultiLine, TTextCellData& Out)
{
    Out = TTextCellData();
    if (Lines.isEmpty()) return false;
    const QString& header = Lines.front();
    const qsizetype comma = header.indexOf(u',');
    if (comma < 0) return false;
    bool okc = false, okr = false;
    Out.Cols = QStringView(header).left(comma).trimmed().toInt(&okc);
    Out.Rows = QStringView(header).mid(comma + 1).trimmed().toInt(&okr);
    if (!okc || !okr || !CountsInLimits(Out.Cols, Out.Rows)) return false;
    Out.HasHeader = true;
    for (qsizetype i = 1; i < Lines.size(); ++i) {
        const QString& line = Lines[i];
        if (line.startsWith(QLatin1String("cw"))) {
            int col = 0, width = 0;
            if (!ReadWidthLine(line, col, width, false)) continue;
            if (!WidthInLimits(width)) return false;
            Out.Widths.push_back({col, width});
            continue;
        }
        const qsizetype c1 = line.indexOf(u',');
        const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(u',', c1 + 1);
        if (c2 < 0) continue;
        bool okx = false, oky = false;
        const int col = QStringView(line).left(c1).trimmed().toInt(&okx);
        const int row = QStringView(line).mid(c1 + 1, c2 - c1 - 1).trimmed().toInt(&oky);
        if (!okx || !oky) continue;
        Out.Cells.push_back({col, row, DecodeLineBreaks(line.mid(c2 + 1), MultiLine)});
    }
    return true;
}

// ---- text cell stream -----------------------------------------------------------

void AppendStreamLine(QByteArray& Out, const QString& Line)
{
    Out.reserve(Out.size() + (Line.size() + 2) * 2);
    for (QChar ch : Line) {
        const char16_t u = ch.unicode();
        Out.append(char(u & 0xFF));
        Out.append(char(u >> 8));
    }
    Out.append("\r\0\n\0", 4);
}

bool ReadTextCellStream(const QByteArray& Bytes, bool MultiLine, TTextCellData& Out, qsizetype& Consumed,
                        QString& Error)
{
    Out = TTextCellData();
    Error.clear();
    const qsizetype units = Bytes.size() / 2;
    const auto unitAt = [&](qsizetype i) {
        return char16_t(uchar(Bytes[2 * i]) | (uchar(Bytes[2 * i + 1]) << 8));
    };
    qsizetype pos = 0;  // in units
    // One line up to a CR; the unit after the CR is its LF.
    const auto readLine = [&](QString& line) {
        line.clear();
        while (pos < units) {
            const char16_t u = unitAt(pos++);
            if (u == u'\r') {
                if (pos < units) ++pos;
                break;
            }
            line.append(QChar(u));
        }
    };
    const auto strictInt = [&](const QString& text, int& v) {
        bool ok = false;
        v = text.toInt(&ok);
        if (!ok) Error = QString::fromLatin1(kNotAnInteger).arg(text);
        return ok;
    };
    QString line;
    if (pos < units) {
        readLine(line);
        if (!line.isEmpty()) {
            const qsizetype comma = line.indexOf(u',');
            if (!strictInt(comma < 0 ? line : line.left(comma), Out.Cols)) return false;
            if (!strictInt(comma < 0 ? QString() : line.mid(comma + 1), Out.Rows)) return false;
            if (!CountsInLimits(Out.Cols, Out.Rows)) {
                Error = QString::fromLatin1(kCountOutOfRange);
                return false;
            }
            Out.HasHeader = true;
        }
    }
    while (pos < units) {
        const qsizetype start = pos;
        readLine(line);
        if (line.startsWith(QLatin1String("cw"))) {
            const qsizetype comma = line.indexOf(u',');
            int col = 0, width = 0;
            if (!strictInt(comma < 0 ? line.mid(3) : line.mid(3, comma - 3), col)) return false;
            if (!strictInt(comma < 0 ? QString() : line.mid(comma + 1), width)) return false;
            if (!WidthInLimits(width)) {
                Error = QString::fromLatin1(kCountOutOfRange);
                return false;
            }
            Out.Widths.push_back({col, width});
            continue;
        }
        const qsizetype c1 = line.indexOf(u',');
        const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(u',', c1 + 1);
        if (c2 < 0) {
            pos = start;
            break;
        }
        TTextCell cell;
        if (!strictInt(line.left(c1), cell.Col) || !strictInt(line.mid(c1 + 1, c2 - c1 - 1), cell.Row))
            return false;
        cell.Text = DecodeLineBreaks(line.mid(c2 + 1), MultiLine);
        Out.Cells.push_back(std::move(cell));
    }
    Consumed = pos * 2;
    return true;
}

// ---- CSV -----------------------------------------------------------------------

QChar GuessCSVDelimiter(const QString& L1, const QString& L2)
{
    static const char16_t candidates[] = {u',', u';', u'#', u'\t', u'|', u'@', u'*', u'-', u'+', u'&'};
    QChar chosen(0);
    int n = 0;
    for (char16_t c : candidates) {
        const int a = CountUnpairedChars(QChar(c), L1);
        if (a == CountUnpairedChars(QChar(c), L2) && a > n) {
            chosen = QChar(c);
            n = a;
        }
    }
    if (!chosen.isNull()) return chosen;
    for (char16_t c : candidates) {
        const int a = int(L1.count(QChar(c)));
        if (a == int(L2.count(QChar(c))) && a > n) {
            chosen = QChar(c);
            n = a;
        }
    }
    if (!chosen.isNull()) return chosen;
    for (char16_t c : candidates) {
        const int a = int(L1.count(QChar(c)));
        const int b = int(L2.count(QChar(c)));
        if (a > n || b > n) {
            chosen = QChar(c);
            n = std::max(a, b);
        }
    }
    return chosen;
}

namespace {

void DecodeCSVBreaks(QString& field, bool java)
{
    if (java)
        TildeToCRLF(field);
    else
        VTToCRLF(field);
}

// Leading blanks go while at least two characters remain.
qsizetype SkipLeadingBlanks(QStringView rest)
{
    qsizetype i = 0;
    while (rest.size() - i >= 2 && rest[i] == u' ') ++i;
    return i;
}

}  // namespace

QStringList SplitCSVRecord(const QString& Line, QChar Delimiter, bool JavaCSV)
{
    QStringList fields;
    QStringView rest(Line);
    if (!Delimiter.isNull()) {
        while (true) {
            const qsizetype d = rest.indexOf(Delimiter);
            if (d < 0) break;
            rest = rest.mid(SkipLeadingBlanks(rest));
            QString field;
            if (!rest.isEmpty() && rest[0] == kQuote) {
                const QString inner = rest.mid(1).toString();
                int p = 0;
                FindUnpairedChar(kQuote, inner, p);
                if (p > 0) field = UndoubleChar(kQuote, inner.left(p - 1));
                // The closing quote and whatever stands before the next
                // delimiter go with the field.
                const qsizetype after = p > 0 ? p + 1 : rest.size();
                const qsizetype next = rest.indexOf(Delimiter, after);
                rest = next < 0 ? QStringView() : rest.mid(next + 1);
                DecodeCSVBreaks(field, JavaCSV);
                fields.append(field);
                if (next < 0) return fields;
                continue;
            }
            const qsizetype dd = rest.indexOf(Delimiter);
            field = rest.left(dd).toString();
            rest = rest.mid(dd + 1);
            DecodeCSVBreaks(field, JavaCSV);
            fields.append(field);
        }
    }
    if (rest.isEmpty()) return fields;
    rest = rest.mid(SkipLeadingBlanks(rest));
    QString field = rest.toString();
    if (field.startsWith(kQuote)) {
        field.remove(0, 1);
        if (field.endsWith(kQuote)) field.chop(1);
    }
    field = UndoubleChar(kQuote, field);
    DecodeCSVBreaks(field, JavaCSV);
    fields.append(field);
    return fields;
}

QString QuoteCSVField(const QString& Text, const TCSVWriteOptions& Options)
{
    const QChar d = Options.Delimiter.isNull() ? QChar(u',') : Options.Delimiter;
    QString s = Text.contains(kQuote) ? DoubleQuoteChars(Text) : Text;
    if (Options.OemConvert) StrToOem(s);
    bool quoted = false;
    if (Options.AlwaysQuotes || (s.contains(kQuote) && !s.contains(d)) ||
        (!Options.JavaCSV && s.startsWith(u' '))) {
        s = kQuote + s + kQuote;
        quoted = true;
    }
    if (s.isEmpty()) {
        if (Options.JavaCSV)
            s = QStringLiteral("^");
        else if (Options.QuoteEmptyCells)
            s = QStringLiteral("\"\"");
        return s;
    }
    const bool hasBreak = s.contains(kCR) || s.contains(kLF);
    if (Options.JavaCSV) {
        if (s.contains(d) || s.contains(kCR)) CRLFToTilde(s);
        return s;
    }
    if (hasBreak || (!quoted && s.contains(d))) {
        QString r;
        r.reserve(s.size() + 2);
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s[i];
            if (c == kCR) {
                if (i + 1 < s.size() && s[i + 1] == kLF) ++i;
                r.append(kVT);
            } else if (c == kLF) {
                r.append(kVT);
            } else {
                r.append(c);
            }
        }
        s = quoted ? r : kQuote + r + kQuote;
    }
    return s;
}

// ---- fixed width -----------------------------------------------------------------

QStringList SplitFixedLine(const QString& Line, const std::vector<int>& SortedPositions, bool DoTrim)
{
    QStringList fields;
    for (size_t k = 0; k + 1 < SortedPositions.size(); ++k) {
        const qsizetype from = std::max(0, SortedPositions[k] - 1);
        const qsizetype len = std::max(0, SortedPositions[k + 1] - SortedPositions[k]);
        QString f = from < Line.size() ? Line.mid(from, len) : QString();
        if (DoTrim) f = f.trimmed();
        fields.append(f);
    }
    return fields;
}

QString FitFixedField(const QString& Text, int Width)
{
    if (Width <= 0) return QString();
    if (Text.size() >= Width) return Text.left(Width);
    return Text + QString(Width - Text.size(), u' ');
}

// ---- tab-separated text --------------------------------------------------------------

QStringList SplitClipLines(const QString& Text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text[i] != kCR) continue;
        lines.append(Text.mid(start, i - start));
        if (i + 1 < Text.size() && Text[i + 1] == kLF) ++i;
        start = i + 1;
    }
    lines.append(Text.mid(start));
    return lines;
}

QString DecodeClipField(const QString& Field)
{
    if (!Field.contains(kLF)) return Field;
    QString f = Field;
    if (f.startsWith(kQuote)) f.remove(0, 1);
    if (f.endsWith(kQuote) && f.indexOf(kQuote) == f.size() - 1) f.chop(1);
    QString r;
    r.reserve(f.size() + 8);
    for (QChar c : f) {
        if (c == kVT || c == kLF)
            r.append(QStringLiteral("\r\n"));
        else
            r.append(c);
    }
    return r;
}

void ClipTextBlockSize(const QString& Text, int& Cols, int& ExtraRows)
{
    Cols = 0;
    ExtraRows = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= Text.size(); ++i) {
        const bool end = i == Text.size();
        if (!end && Text[i] != kCR) continue;
        const QStringView line = QStringView(Text).mid(start, i - start);
        Cols = std::max(Cols, int(line.count(kTab)) + 1);
        if (!end) ++ExtraRows;
        if (line.isEmpty()) --ExtraRows;
        if (!end && i + 1 < Text.size() && Text[i + 1] == kLF) ++i;
        start = i + 1;
    }
}

QString EncodeClipField(const QString& Text, bool ExcelFormat)
{
    if (!Text.contains(kCR) && !Text.contains(kLF)) return Text;
    QString r;
    r.reserve(Text.size() + 2);
    r.append(kQuote);
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (c == kCR || c == kLF) {
            if (c == kCR && i + 1 < Text.size() && Text[i + 1] == kLF) ++i;
            r.append(ExcelFormat ? kVT : kLF);
        } else {
            r.append(c);
        }
    }
    r.append(kQuote);
    return r;
}

// ---- XML ---------------------------------------------------------------------------------

TXmlCharset XmlCharsetOf(const QString& EncodingName)
{
    const QString n = EncodingName.trimmed().toUpper();
    if (n == QLatin1String("ISO-8859-1")) return TXmlCharset::Latin1;
    if (n == QLatin1String("UTF-8")) return TXmlCharset::Utf8;
    return TXmlCharset::Ascii;
}

QString XmlEscapeText(const QString& Text, TXmlCharset Charset)
{
    const bool allBlank =
        !Text.isEmpty() && std::all_of(Text.begin(), Text.end(), [](QChar c) { return c.isSpace(); });
    QString r;
    r.reserve(Text.size() + 8);
    // Grows by doubling: appends past a reserved capacity may otherwise
    // reallocate to the exact size each time, quadratic on a long cell.
    const auto put = [&r](QStringView piece) {
        if (r.capacity() - r.size() < piece.size()) r.reserve(2 * (r.size() + piece.size()));
        r.append(piece);
    };
    // A character reference, written in place: binary cells have one per
    // character.
    const auto ref = [&put](char32_t code) {
        char16_t buf[16] = {u'&', u'#'};
        char16_t digits[10];
        int n = 0;
        do {
            digits[n++] = char16_t(u'0' + code % 10);
            code /= 10;
        } while (code);
        int k = 2;
        while (n) buf[k++] = digits[--n];
        buf[k++] = u';';
        put(QStringView(buf, k));
    };
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < Text.size() && Text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, Text[i + 1]);
            ++i;
            if (Charset == TXmlCharset::Utf8) {
                put(QStringView(&c, 1));
                put(QStringView(Text).mid(i, 1));
            } else {
                ref(code);
            }
            continue;
        }
        if (c.isSurrogate() || code == 0xFFFE || code == 0xFFFF) continue;  // not XML characters
        switch (code) {
        case u'&': put(u"&amp;"); continue;
        case u'>': put(u"&gt;"); continue;
        case u'<': put(u"&lt;"); continue;
        case u'"': put(u"&quot;"); continue;
        default: break;
        }
        const bool control = code < 32 && code != u'\t' && code != u'\n';
        const bool beyond = (Charset == TXmlCharset::Latin1 && code > 0xFF) ||
                            (Charset == TXmlCharset::Ascii && code > 0x7F);
        if (code == 0) continue;  // no XML character at all
        if (control || beyond || allBlank)
            ref(code);
        else
            put(QStringView(&c, 1));
    }
    return r;
}

QByteArray XmlEncodeBytes(const QString& Text, TXmlCharset Charset)
{
    switch (Charset) {
    case TXmlCharset::Utf8: return Text.toUtf8();
    case TXmlCharset::Latin1: return Text.toLatin1();
    case TXmlCharset::Ascii: break;
    }
    return Text.toLatin1();
}

// ---- XML import walk --------------------------------------------------------------

namespace {

// UTF-8 from the parser to text. A text may begin with U+FEFF, which the
// plain conversion would drop as a byte-order mark.
QString XmlUtf8(const char* s)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decode(QByteArrayView(s));
}

// The text of every descendant text node, as a DOM's Text gives it.
QString XmlNodeText(const pugi::xml_node& n)
{
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) return XmlUtf8(n.value());
    QString text;
    for (pugi::xml_node d = n.first_child(); d;) {
        if (d.type() == pugi::node_pcdata || d.type() == pugi::node_cdata) text += XmlUtf8(d.value());
        if (d.first_child()) {
            d = d.first_child();
            continue;
        }
        while (d && !d.next_sibling() && d != n) d = d.parent();
        if (!d || d == n) break;
        d = d.next_sibling();
    }
    return text;
}

int XmlChildCount(const pugi::xml_node& n)
{
    int k = 0;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) ++k;
    return k;
}

}  // namespace

QString XmlUnescapeRead(QString Text) { return Text.replace(QLatin1String("$amp;"), QLatin1String("&")); }

bool WalkXmlRecords(const QByteArray& Bytes, const TXmlWalkSink& Sink, int& ErrorCode, int& ErrorLine)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result res = doc.load_buffer(Bytes.constData(), size_t(Bytes.size()),
                                                       pugi::parse_default | pugi::parse_comments | pugi::parse_pi);
    if (!res) {
        const qsizetype upto = std::clamp<qsizetype>(qsizetype(res.offset), 0, Bytes.size());
        ErrorCode = int(res.status);
        ErrorLine = int(Bytes.left(upto).count('\n')) + 1;
        return false;
    }
    const int co = Sink.ColOffset, ro = Sink.RowOffset;
    int row = 0;
    bool firstRecord = true;
    for (pugi::xml_node rec = doc.document_element().first_child(); rec; rec = rec.next_sibling()) {
        int col = 0, level = 1;
        if (Sink.LevelToRow && firstRecord && !rec.first_attribute()) row = -1;
        firstRecord = false;
        std::vector<pugi::xml_node> stack{rec};
        while (!stack.empty()) {
            const pugi::xml_node n = stack.back();
            stack.pop_back();
            bool startedRow = false;
            if (n.type() == pugi::node_element && n.first_attribute()) {
                for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
                    if (Sink.Grow(col + co, row + ro)) {
                        if (Sink.FixedSaved) Sink.Header(col + co, XmlUtf8(a.name()));
                        Sink.Load(col + co, row + ro, XmlUnescapeRead(XmlUtf8(a.value())));
                    }
                    ++col;
                }
                if (Sink.LevelToRow) {
                    ++row;
                    col = level;
                    startedRow = true;
                }
            }
            const int children = XmlChildCount(n);
            if (children > 1) {
                if (Sink.LevelToRow && !startedRow) {
                    ++row;
                    col = 0;
                }
                ++level;  // never lowered within a record
                const size_t at = stack.size();
                for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) stack.push_back(c);
                std::reverse(stack.begin() + qsizetype(at), stack.end());
            } else if (children == 0) {
                Sink.Clear(col + co, row + ro);
                ++col;
            } else {
                if (Sink.Grow(col + co, row + ro)) {
                    if (Sink.FixedSaved && Sink.LoadFieldDescr)
                        Sink.Header(col + co, XmlUtf8(n.name()));
                    QString text = XmlUnescapeRead(XmlNodeText(n));
                    if (Sink.QuoteEmptyCells && text == QLatin1String("\"\"")) text.clear();
                    Sink.Load(col + co, row + ro, text);
                }
                ++col;
            }
        }
        if (!Sink.LevelToRow) ++row;
    }
    return true;
}
