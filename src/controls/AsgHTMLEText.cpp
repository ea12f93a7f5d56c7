#include "AsgHTMLEText.h"

#include "Graphics.h"

#include <climits>

// ---------------------------------------------------------------------------
// Small routines

QChar UpCaseAscii(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - 32)) : c;
}

QString UpCaseAscii(const QString& s)
{
    QString r = s;
    for (QChar& c : r) c = UpCaseAscii(c);
    return r;
}

int PosNoCase(const QString& pattern, const QString& text)
{
    return int(UpCaseAscii(text).indexOf(UpCaseAscii(pattern))) + 1;
}

int PosUpper(const QString& pattern, const QString& text, int& pos)
{
    pos = int(UpCaseAscii(text).indexOf(pattern)) + 1;
    return pos;
}

int PosOut(const QString& pattern, const QString& text, int& pos)
{
    pos = int(text.indexOf(pattern)) + 1;
    return pos;
}

bool ReplaceFirstNoCase(const QString& pattern, const QString& replacement, QString& text)
{
    const int p = PosNoCase(pattern, text);
    if (p == 0 || pattern.isEmpty()) return false;
    text.replace(p - 1, pattern.size(), replacement);
    return true;
}

bool ReplaceAllNoCase(const QString& upperPattern, const QString& replacement, QString& text)
{
    if (upperPattern.isEmpty()) return false;
    const QString upper = UpCaseAscii(text);
    qsizetype p = upper.indexOf(upperPattern);
    if (p < 0) return false;
    QString out;
    qsizetype from = 0;
    while (p >= 0) {
        out += QStringView(text).mid(from, p - from);
        out += replacement;
        from = p + upperPattern.size();
        p = upper.indexOf(upperPattern, from);
    }
    out += QStringView(text).mid(from);
    text = out;
    return true;
}

int LeadingInt(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    bool neg = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        neg = text[i] == u'-';
        ++i;
    }
    long long v = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        v = v * 10 + (text[i].unicode() - u'0');
        if (v > INT_MAX) v = INT_MAX;  // saturate: stays bounded however long
        ++i;
    }
    return int(neg ? -v : v);
}

static int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return 0;
}

int HexPairValue(const QString& text)
{
    if (text.size() < 2) return 0;
    return HexDigit(text[0]) * 16 + HexDigit(text[1]);
}

QString PasswordMask(const QString& text) { return QString(text.size(), u'*'); }

QString UnwrapHashTags(const QString& text)
{
    QString s = text;
    qsizetype p = 0;
    while ((p = s.indexOf(QStringLiteral("<#"), p)) >= 0) {
        s.remove(p, 1);
        const qsizetype e = s.indexOf(u'>', p);
        if (e >= 0) s.remove(e, 1);
        if (p > 0) --p;  // a "<" just before may now start another "<#"
    }
    return s;
}

QString LineBreaksToBR(const QString& text, bool convert)
{
    QString r;
    r.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\r') {
            if (convert) r += QStringLiteral("<BR>");
        } else if (c != u'\n') {
            r += c;
        }
    }
    return r;
}

unsigned BiDiTextFlags(unsigned flags, int mode)
{
    if (mode == 1) {
        if (flags & DT_RIGHT)
            flags &= ~DT_RIGHT;
        else if (!(flags & DT_CENTER))
            flags |= DT_RIGHT;
    }
    if (mode != 0) flags |= DT_RTLREADING;
    return flags;
}

TRotatedFontStack::TRotatedFontStack() = default;
TRotatedFontStack::~TRotatedFontStack() = default;

void SelectRotatedFont(TCanvas* c, int degrees, TRotatedFontStack& stack)
{
    auto saved = std::make_unique<TFont>();
    saved->Assign(c->Font());
    stack.FSaved.push_back(std::move(saved));
    c->Font()->SetOrientation(degrees * 10);
}

void RestoreRotatedFont(TCanvas* c, TRotatedFontStack& stack)
{
    if (stack.FSaved.empty()) return;
    c->Font()->Assign(stack.FSaved.back().get());
    stack.FSaved.pop_back();
}

// ---------------------------------------------------------------------------
// Entities

const QList<THTMLEntity>& HTMLEntityTable()
{
    static const QList<THTMLEntity> table = {
        {"&eacute;", u'\u00E9'}, {"&egrave;", u'\u00E8'}, {"&euml;", u'\u00EB'},
        {"&ecirc;", u'\u00EA'},  {"&oacute;", u'\u00F3'}, {"&ograve;", u'\u00F2'},
        {"&ouml;", u'\u00F6'},   {"&ocirc;", u'\u00F4'},  {"&iacute;", u'\u00ED'},
        {"&igrave;", u'\u00EC'}, {"&iuml;", u'\u00EF'},   {"&icirc;", u'\u00EE'},
        {"&uacute;", u'\u00FA'}, {"&ugrave;", u'\u00F9'}, {"&uuml;", u'\u00FC'},
        {"&ucirc;", u'\u00FB'},  {"&aacute;", u'\u00E1'}, {"&agrave;", u'\u00E0'},
        {"&auml;", u'\u00E4'},   {"&acirc;", u'\u00E2'},  {"&Eacute;", u'\u00C9'},
        {"&Egrave;", u'\u00C8'}, {"&Euml;", u'\u00CB'},   {"&Ecirc;", u'\u00CA'},
        {"&Oacute;", u'\u00D3'}, {"&Ograve;", u'\u00D2'}, {"&Ouml;", u'\u00D6'},
        {"&Ocirc;", u'\u00D4'},  {"&Iacute;", u'\u00CD'}, {"&Igrave;", u'\u00CC'},
        {"&Iuml;", u'\u00CF'},   {"&Icirc;", u'\u00CE'},  {"&Uacute;", u'\u00DA'},
        {"&Ugrave;", u'\u00D9'}, {"&Uuml;", u'\u00DC'},   {"&Ucirc;", u'\u00DB'},
        {"&Aacute;", u'\u00C1'}, {"&Agrave;", u'\u00C0'}, {"&Auml;", u'\u00C4'},
        {"&Acirc;", u'\u00C2'},  {"&ccedil;", u'\u00E7'}, {"&Ccedil;", u'\u00C7'},
        {"&oslash;", u'\u00F8'}, {"&Oslash;", u'\u00D8'}, {"&aring;", u'\u00E5'},
        {"&Aring;", u'\u00C5'},  {"&copy;", u'\u00A9'},   {"&reg;", u'\u00AE'},
        {"&euro;", u'\u20AC'},   {"&laquo;", u'\u00AB'},  {"&raquo;", u'\u00BB'},
    };
    return table;
}

static const QList<THTMLEntity>& BasicEntities()
{
    static const QList<THTMLEntity> basic = {
        {"&lt;", u'<'}, {"&gt;", u'>'}, {"&amp;", u'&'}, {"&quot;", u'"'}};
    return basic;
}

QString HTMLEntityDecode(const QString& text, bool all)
{
    if (!text.contains(u'&')) return text;
    QString r;
    r.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (text[i] == u'&') {
            for (int pass = 0; pass < (all ? 2 : 1) && !replaced; ++pass) {
                for (const THTMLEntity& e : pass == 0 ? BasicEntities() : HTMLEntityTable()) {
                    const QLatin1StringView name(e.Name);
                    if (QStringView(text).mid(i).startsWith(name)) {
                        r += QChar(e.Char);
                        i += name.size();
                        replaced = true;
                        break;
                    }
                }
            }
        }
        if (!replaced) r += text[i++];
    }
    return r;
}

QString HTMLEntityEncode(const QString& text, bool all)
{
    QString r;
    r.reserve(text.size());
    for (QChar c : text) {
        const char* name = nullptr;
        for (const THTMLEntity& e : BasicEntities())
            if (c == QChar(e.Char)) name = e.Name;
        if (!name && all)
            for (const THTMLEntity& e : HTMLEntityTable())
                if (c == QChar(e.Char)) { name = e.Name; break; }
        if (name)
            r += QLatin1StringView(name);
        else
            r += c;
    }
    return r;
}

QString SpacesToNbsp(const QString& text)
{
    QString r = text;
    return r.replace(u' ', QStringLiteral("&nbsp;"));
}

// ---------------------------------------------------------------------------
// Stripping and searching

QString HTMLStrip(const QString& text)
{
    QString s = text;
    // One pass each: a line break never forms a new tag with its neighbours.
    ReplaceAllNoCase(QStringLiteral("<BR>"), QStringLiteral("\r\n"), s);
    ReplaceAllNoCase(QStringLiteral("<HR>"), QStringLiteral("\r\n"), s);
    QString r;
    qsizetype from = 0;
    for (;;) {
        const qsizetype lt = s.indexOf(u'<', from);
        if (lt < 0) break;
        const qsizetype gt = s.indexOf(u'>', lt);
        if (gt < 0) break;
        r += QStringView(s).mid(from, lt - from);
        from = gt + 1;
    }
    r += QStringView(s).mid(from);
    return r;
}

QString StripTags(const QString& text)
{
    QString r;
    qsizetype from = 0;
    for (;;) {
        const qsizetype lt = text.indexOf(u'<', from);
        const qsizetype gt = text.indexOf(u'>', from);
        if (lt < 0 || gt < lt) break;
        r += QStringView(text).mid(from, lt - from);
        from = gt + 1;
    }
    r += QStringView(text).mid(from);
    return r;
}

int VisiblePosToTextPos(const QString& text, int n)
{
    int counter = 1;
    bool inTag = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (counter == n) return int(i) + 1;
        const QChar c = text[i];
        if (c == u'<')
            inTag = true;
        else if (c == u'>')
            inTag = false;
        else if (!inTag)
            ++counter;
    }
    return counter == n ? int(text.size()) + 1 : 0;
}

int FindTextFrom(const QString& search, const QString& text, int start, int& pos,
                 bool caseSensitive)
{
    pos = 0;
    if (search.isEmpty() || start < 0 || start >= text.size()) return 0;
    const qsizetype p = caseSensitive
                            ? text.indexOf(search, start)
                            : UpCaseAscii(text).indexOf(UpCaseAscii(search), start);
    pos = int(p) + 1;
    return pos;
}

QString HighlightText(const QString& text, const QString& search, const QString& tag,
                      QString& result, bool caseSensitive)
{
    QString s = text;
    QString find = search;
    QString visible = StripTags(s);
    if (s.contains(search) && (visible.contains(u'<') || visible.contains(u'>'))) {
        // Markup and visible angle brackets cannot be told apart: keep the
        // visible text only, escaped, and search it escaped as well.
        auto escape = [](QString v) {
            return v.replace(u'<', QStringLiteral("&lt;")).replace(u'>', QStringLiteral("&gt;"));
        };
        visible = escape(visible);
        s = visible;
        find = escape(find);
    }
    const QString open = QLatin1Char('<') + tag + QLatin1Char('>');
    const QString close = QStringLiteral("</") + tag + QLatin1Char('>');
    int start = 0;
    int pos = 0;
    while (FindTextFrom(find, visible, start, pos, caseSensitive) > 0) {
        const int at = VisiblePosToTextPos(s, pos);
        if (at > 0) s.insert(at - 1, open);
        const int end = VisiblePosToTextPos(s, pos + int(find.size()));
        if (end > 0) s.insert(end - 1, close);
        start = pos - 1 + int(find.size());
    }
    result = s;
    return s;
}

QString RemoveTag(const QString& text, const QString& tag)
{
    QString s = text;
    const QString name = UpCaseAscii(tag);
    while (ReplaceFirstNoCase(QLatin1Char('<') + name + QLatin1Char('>'), QString(), s)) {}
    while (ReplaceFirstNoCase(QStringLiteral("</") + name + QLatin1Char('>'), QString(), s)) {}
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return s;
}

// ---------------------------------------------------------------------------
// CONTROL tags

QString TagAttribute(const QString& tagText, const QString& nameWithEq)
{
    return TagAttribute(tagText, UpCaseAscii(tagText), nameWithEq);
}

QString TagAttribute(const QString& tagText, const QString& upperTagText, const QString& name)
{
    const qsizetype p = upperTagText.indexOf(name);
    if (p < 0) return QString();
    const qsizetype q1 = tagText.indexOf(u'"', p + name.size());
    if (q1 < 0) return QString();
    const qsizetype q2 = tagText.indexOf(u'"', q1 + 1);
    if (q2 < 0) return QString();
    return tagText.mid(q1 + 1, q2 - q1 - 1);
}

TControlTag ParseControlTag(const QString& tagText)
{
    TControlTag t;
    t.Type = UpCaseAscii(TagAttribute(tagText, QStringLiteral("TYPE=")));
    t.Width = TagAttribute(tagText, QStringLiteral("WIDTH="));
    t.Height = TagAttribute(tagText, QStringLiteral("HEIGHT="));
    t.ID = TagAttribute(tagText, QStringLiteral("ID="));
    t.Value = HTMLEntityDecode(TagAttribute(tagText, QStringLiteral("VALUE=")), true);
    t.Prop = HTMLEntityDecode(TagAttribute(tagText, QStringLiteral("PROP=")), true);
    t.MaxLen = TagAttribute(tagText, QStringLiteral("MAXLEN="));
    return t;
}

bool HasControlTag(const QString& text) { return PosNoCase(QStringLiteral("<CONTROL"), text) > 0; }

namespace {

// One CONTROL tag found by a scan: where "CONTROL" starts, where its ">" is
// (or the text's end) and what it says.
struct TFoundControl {
    qsizetype Start = 0;  // index of the "C" of "CONTROL"
    qsizetype End = 0;    // index of ">" or text length
    TControlTag Tag;
};

QList<TFoundControl> ScanControls(const QString& text)
{
    QList<TFoundControl> found;
    const QString upper = UpCaseAscii(text);
    qsizetype from = 0;
    for (;;) {
        const qsizetype p = upper.indexOf(QStringLiteral("<CONTROL "), from);
        if (p < 0) break;
        TFoundControl f;
        f.Start = p + 1;
        const qsizetype gt = text.indexOf(u'>', f.Start);
        f.End = gt < 0 ? text.size() : gt;
        f.Tag = ParseControlTag(text.mid(f.Start, f.End - f.Start));
        found.append(f);
        from = f.Start;
    }
    return found;
}

const TFoundControl* FindControl(const QList<TFoundControl>& all, const QString& id)
{
    for (const TFoundControl& f : all)
        if (f.Tag.ID == id) return &f;
    return nullptr;
}

}  // namespace

QString NextControlID(const QString& text, const QString& id)
{
    bool passed = id.isEmpty();
    for (const TFoundControl& f : ScanControls(text)) {
        const QString& t = f.Tag.Type;
        if (passed && t != u"BUTTON" && t != u"CHECK" && t != u"RADIO") return f.Tag.ID;
        if (f.Tag.ID == id) passed = true;
    }
    return QString();
}

QString ClearRadioControls(const QString& text)
{
    QString s = text;
    QStringList ids;
    for (const TFoundControl& f : ScanControls(text))
        if (f.Tag.Type == u"RADIO") ids << f.Tag.ID;
    for (const QString& id : ids) SetControlValue(s, id, QStringLiteral("FALSE"));
    return s;
}

bool GetControlValue(const QString& text, const QString& id, QString& value)
{
    const auto all = ScanControls(text);
    const TFoundControl* f = FindControl(all, id);
    if (!f) return false;
    value = f->Tag.Value;
    return true;
}

QString GetControlProp(const QString& text, const QString& id)
{
    const auto all = ScanControls(text);
    const TFoundControl* f = FindControl(all, id);
    return f ? f->Tag.Prop : QString();
}

int GetControlMaxLen(const QString& text, const QString& id)
{
    const auto all = ScanControls(text);
    const TFoundControl* f = FindControl(all, id);
    return f ? LeadingInt(f->Tag.MaxLen) : 0;
}

bool SetControlValue(QString& text, const QString& id, const QString& value)
{
    const auto all = ScanControls(text);
    const TFoundControl* f = FindControl(all, id);
    if (!f) return false;
    const TControlTag& t = f->Tag;
    auto attr = [](const char* name, const QString& v) {
        return QLatin1StringView(name) + QStringLiteral("=\"") + v + QLatin1Char('"');
    };
    QString tag = QStringLiteral("CONTROL") + attr(" ID", t.ID) +
                  attr(" VALUE", HTMLEntityEncode(value, true)) + attr(" WIDTH", t.Width);
    if (!t.Height.isEmpty()) tag += attr(" HEIGHT", t.Height);
    tag += attr(" TYPE", t.Type);
    if (!t.Prop.isEmpty()) tag += attr(" PROP", HTMLEntityEncode(t.Prop, true));
    if (!t.MaxLen.isEmpty()) tag += attr(" MAXLEN", t.MaxLen);
    tag += QLatin1Char('>');
    text = text.left(f->Start) + tag + text.mid(f->End + 1);
    return true;
}
