#include "FuzzChecks.h"

#include "AdvUtil.h"
#include "FormatSettings.h"
#include "Graphics.h"
#include "GridTestFormat.h"
#include "SysUtils.h"
#include "asgdd.h"

#include <QByteArray>
#include <QMimeData>
#include <QString>
#include <cstdio>
#include <cstdlib>

std::function<void(const std::string&)> FuzzFailure = [](const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
};

namespace {

#define FUZZ_CHECK(cond)                   \
    do {                                   \
        if (!(cond))                       \
            FuzzFailure(#cond);            \
    } while (0)

FormatSettings Settings(uint8_t flag)
{
    FormatSettings fs = GridTestFormat();
    if (flag & 1) {  // the other common settings: "." groups, "," decimals
        fs.ThousandSeparator = u'.';
        fs.DecimalSeparator = u',';
        fs.DateSeparator = u'.';
        fs.ShortDateFormat = QStringLiteral("M.d.yyyy");
    }
    return fs;
}

bool InRange(int pos, const QString& s) { return pos >= 0 && pos <= s.size(); }

void CheckOneText(const QString& s)
{
    // Round trips.
    FUZZ_CHECK(DecodeWideText(EncodeWideText(s)) == s);
    FUZZ_CHECK(UndoubleChar(u'"', DoubleQuoteChars(s)) == s);
    bool crlfOnly = true;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c == 1 || c == 8 || c == 9 || (c == 13 && (i + 1 >= s.size() || s[i + 1] != u'\n')))
            crlfOnly = false;
    }
    if (crlfOnly)
        FUZZ_CHECK(DecodeLineBreaks(EncodeLineBreaks(s), true) == s);

    // Decoders and parsers: answers in range, nothing thrown but what is documented.
    const int type = GetTextType(s, true);
    FUZZ_CHECK(type == 0 || type == 1 || type == 2 || type == 3 || type == 5);
    const int kind = GetNumberType(s);
    FUZZ_CHECK(kind == 0 || kind == 1 || kind == 2 || kind == 5);
    int pos = 0;
    FUZZ_CHECK(InRange(FindUnpairedChar(u'"', s, pos), s) && InRange(pos, s));
    FUZZ_CHECK(CountUnpairedChars(u'"', s) <= s.size());
    FUZZ_CHECK(InRange(CharPos(u'a', s), s));
    FUZZ_CHECK(InRange(UpperCasePos(QStringLiteral("AB"), s), s));
    FUZZ_CHECK(InRange(PosVar(QStringLiteral("\\n"), s, pos), s));
    QString rest = s, line;
    ExtractFirstLine(rest, true, line);
    FUZZ_CHECK(line.size() + rest.size() <= s.size());
    QString split = s;
    const QString head = SplitAtDelimiter(split, QStringLiteral(","));
    FUZZ_CHECK(head.isEmpty() ? (split == s || split.size() + 1 == s.size()) : head.size() + 1 + split.size() == s.size());
    FUZZ_CHECK(ToMixedCase(s).size() == s.size());
    (void)UnescapeNewlines(s);
    (void)EscapeNewlines(s);
    QString t = s;
    TildeToCRLF(t);
    CRLFToTilde(t);
    VTToCRLF(t);
    CRLFToVTQuoted(t);
    (void)DecodeLineBreaks(s, false);
    (void)CRToBRTag(s);
    int x = 0, y = 0;
    (void)ParseRCCellRef(s, x, y);
    QString html;
    if (LinkifyURL(s, QStringLiteral("HTTP://"), html))
        FUZZ_CHECK(html.contains(QStringLiteral("</a>")));
    QString url = s;
    StripURLScheme(url);
    FUZZ_CHECK(url.size() <= s.size());
    QString frag = s;
    MakeClipboardHTML(frag);
    FUZZ_CHECK(frag.size() == 97 + 62 + 115 + s.size() + 32);
    QString oem = s;
    StrToOem(oem);
    OemToStr(oem);
    (void)ExtractNumberText(s);
    FUZZ_CHECK(NormalizeNumberText(s).size() <= s.size());
    TDateTime d = 0;
    (void)ParseShortDate(s, d);
    (void)IsDateText(s);
    for (auto parse : {&ParseDateMDY, &ParseDateDMY}) {
        try {
            (void)parse(s);
        } catch (const EConvertError&) {
            // a date that cannot be formed: documented
        }
    }
}

}  // namespace

void CheckMatcher(const uint8_t* data, size_t size)
{
    if (size < 1)
        return;
    ScopedFormatSettings fs(Settings(data[0]));
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const qsizetype nul = rest.indexOf('\0');
    const QString condition = QString::fromUtf8(nul < 0 ? rest : rest.left(nul));
    const QString value = nul < 0 ? QString() : QString::fromUtf8(rest.mid(nul + 1));
    for (bool cs : {false, true}) {
        const bool answer = MatchFilter(condition, value, cs);
        // The prepared form answers as the one-shot matcher, also on reuse.
        const TFilterMatcher prepared(condition, cs);
        for (const QString& v : {value, condition, value})
            if (prepared.Match(v) != MatchFilter(condition, v, cs))
                FuzzFailure("prepared matcher differs for '" + condition.toStdString() + "' with '" + v.toStdString() +
                            "' case " + (cs ? "on" : "off"));
        if (condition.size() <= 64 && value.size() <= 64) {
            bool completed = false;
            const bool expected =
                ReferenceMatchFilter(condition.toStdU16String(), value.toStdU16String(), cs, completed);
            if (completed && answer != expected)
                FuzzFailure("matcher differs from the plain rules for '" + condition.toStdString() + "' with '" +
                            value.toStdString() + "' case " + (cs ? "on" : "off"));
        }
    }
}

void CheckTextRoutines(const uint8_t* data, size_t size)
{
    ScopedFormatSettings fs(Settings(size > 0 ? data[0] : 0));
    CheckOneText(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    QString units(qsizetype(size / 2), QChar());
    for (size_t i = 0; i + 1 < size; i += 2)
        units[qsizetype(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    CheckOneText(units);
}

namespace {

class FuzzDropTarget : public TASGDropTarget {
public:
    size_t Limit = 0;
    void DropStream(TPoint, std::unique_ptr<QBuffer> s) override
    {
        FUZZ_CHECK(s != nullptr);
        FUZZ_CHECK(s && size_t(s->size()) + 8 <= Limit);
    }
    void DropCol(TPoint, int c) override { FUZZ_CHECK(c != -1); }
    void DropRTF(TPoint, const QString& r) override { FUZZ_CHECK(size_t(r.size()) <= Limit); }
    void DropText(TPoint, const QString&) override {}
};

}  // namespace

void CheckDropReaders(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    SetOleRTFEnabled(size > 0 && (data[0] & 1));
    for (unsigned format : {CF_GRIDCOLUMN(), CF_GRIDCELLS(), CF_RTF(), 0u}) {
        QMimeData m;
        if (format)
            m.setData(ClipboardFormatMime(format), bytes);
        else  // every custom format at once, with a text
            for (unsigned f : {CF_GRIDCOLUMN(), CF_GRIDCELLS(), CF_RTF()})
                m.setData(ClipboardFormatMime(f), bytes);
        if (size > 0 && (data[0] & 2))
            m.setText(QString::fromUtf8(bytes));
        FuzzDropTarget t;
        t.Limit = size;
        t.SetAcceptCols(true);
        uint32_t effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        t.DragEnter(&m, 0, TPoint(), effect);
        t.DragOver(0, TPoint(), effect);
        t.Drop(&m, MK_CONTROL, TPoint(), effect);
        const TEnumFormats f(&m);
        FUZZ_CHECK(size_t(f.ReadUnicodeText(format ? format : CF_GRIDCELLS()).size()) <= size / 2 + 1);
    }
    SetOleRTFEnabled(false);
}

void CheckPictureLoading(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The one loading function, by signature: a picture within the limits
    // that shows at its size, or the documented error; nothing else.
    try {
        const std::unique_ptr<TGraphic> g = LoadGraphic(bytes);
        FUZZ_CHECK(g != nullptr);
        FUZZ_CHECK(PictureSizeAllowed(g->Width(), g->Height()));
        const QImage img = g->ToImage();
        FUZZ_CHECK(img.isNull() ? g->Empty() : img.size() == QSize(g->Width(), g->Height()));
    } catch (const EInvalidGraphic&) {
    }
    // A bitmap takes every format; a failed load leaves it as it was.
    TBitmap bmp(3, 2);
    try {
        bmp.LoadFromBytes(bytes);
        FUZZ_CHECK(PictureSizeAllowed(bmp.Width(), bmp.Height()));
    } catch (const EInvalidGraphic&) {
        FUZZ_CHECK(bmp.Width() == 3 && bmp.Height() == 2);
    }
}
