// The string grid's HTML export: a table with one style class per distinct
// cell look, merged cells as spans, header and footer files around it.
#include "AdvGrid.h"
#include "AdvGridFilesKit.h"
#include "AdvGridHTML.h"

#include "AdvObj.h"
#include "AdvUtil.h"
#include "AsgHTMLEText.h"
#include "Files.h"
#include "Shell.h"
#include "TextFiles.h"
#include "Types.h"

#include <QFileInfo>
#include <algorithm>

namespace {

constexpr QLatin1StringView kCRLF("\r\n");

// The style class list: distinct style texts numbered in order of first use.
class TStyleClasses {
public:
    int Of(const QString& style)
    {
        const qsizetype i = FStyles.indexOf(style);
        if (i >= 0) return int(i);
        FStyles.append(style);
        return int(FStyles.size() - 1);
    }
    QString Block() const
    {
        QString s = QStringLiteral("<style>") + kCRLF;
        for (qsizetype n = 0; n < FStyles.size(); ++n)
            s += QStringLiteral(".c%1 {%2}").arg(n).arg(FStyles[n]) + kCRLF;
        return s + QStringLiteral("</style>") + kCRLF;
    }

private:
    QStringList FStyles;
};

// The link rule: a URL or mail address becomes an unquoted link.
QString Linked(const QString& text, bool full)
{
    if (text.contains(QLatin1String("</"))) return text;
    QString r = text;
    if (text.contains(QLatin1String("://"))) {
        const QString shown = full ? text : text.mid(text.indexOf(QLatin1String("://")) + 3).left(255);
        r = QStringLiteral("<a href=%1>%2</a>").arg(text, shown);
    }
    if (text.contains(QLatin1String("mailto:"))) {
        const QString shown = full ? text : text.mid(text.indexOf(QLatin1String("mailto:")) + 7).left(255);
        r = QStringLiteral("<a href=%1>%2</a>").arg(text, shown);
    }
    return r;
}

}  // namespace

// The look of a cell for the export: its property object's font, colours and
// alignment over the grid's own.
QString TAdvStringGrid::HTMLCellStyle(int ACol, int ARow, bool Fixed, bool& NoWrap)
{
    const THTMLSettings* hs = HTMLSettings();
    const TCellProperties* p = HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow) : nullptr;
    TColor brush = Fixed ? FixedColor() : clNone;
    if (p && !Fixed && p->BrushColor() != clWindow && p->BrushColor() != clNone) brush = p->BrushColor();
    const TColor fontColor = p && p->FontColor() != clWindowText ? p->FontColor() : clNone;
    const int size = p ? p->FontSize() : Font()->Size();
    const TFontStyles style = p ? p->FontStyle() : Font()->Style();
    const QString name = p && !p->FontName().isEmpty() ? p->FontName() : Font()->Name();
    const TAlignment align = p ? p->Alignment() : taLeftJustify;
    const TVAlignment valign = p ? p->VAlignment() : vtaTop;
    NoWrap = !(p ? p->WordWrap() : WordWrap());
    QStringList d;
    if (brush != clNone && hs->SaveColor()) d << QStringLiteral("background-color: #") + ColorToHexRGB(ColorToRGB(brush));
    if (fontColor != clNone && hs->SaveColor()) d << QStringLiteral("color: #") + ColorToHexRGB(ColorToRGB(fontColor));
    d << QStringLiteral("font-size:%1pt").arg(size);
    if (style.Contains(fsItalic)) d << QStringLiteral("font-style: italic");
    if (style.Contains(fsBold)) d << QStringLiteral("font-weight: bold");
    d << QStringLiteral("font-family: ") + name;
    if (align == taRightJustify) d << QStringLiteral("text-align: right");
    if (align == taCenter) d << QStringLiteral("text-align: center");
    d << (valign == vtaTop ? QStringLiteral("vertical-align: top")
                           : valign == vtaCenter ? QStringLiteral("vertical-align: middle")
                                                 : QStringLiteral("vertical-align: bottom"));
    return d.join(u';');
}

QString TAdvStringGrid::SaveToHTMLString(const QString& Dir)
{
    (void)Dir;  // cell pictures are not exported
    const THTMLSettings* hs = HTMLSettings();
    const int c0 = SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
    int r0 = SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();
    const auto q = [](const QString& s) { return u'"' + s + u'"'; };
    QString prolog;
    if (hs->XHTML())
        prolog = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + kCRLF +
                 QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"") + kCRLF +
                 QStringLiteral("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">") + kCRLF +
                 QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">") + kCRLF;
    prolog += hs->PrefixTag();
    QStringList lines;
    QString table = QStringLiteral("<TABLE BORDER=") + q(QString::number(hs->BorderSize())) +
                    QStringLiteral(" CELLSPACING=") + q(QString::number(hs->CellSpacing())) +
                    QStringLiteral(" CELLPADDING=") + q(QString::number(hs->CellPadding())) + u' ';
    if (!hs->Summary().isEmpty()) table += QStringLiteral("SUMMARY=") + q(hs->Summary()) + u' ';
    if (!hs->TableStyle().isEmpty()) table += u' ' + hs->TableStyle() + u' ';
    table += QStringLiteral(" WIDTH=") + q(QString::number(hs->Width()) + u'%') + u'>';
    lines << table;
    TStyleClasses classes;
    const TIntList* widths = hs->ColWidths();
    const bool header = FixedRows() > 0 && (SaveFixedCells() || SaveFixedRows());
    const auto cell = [&](int c, int r, bool head) {
        const int rc = RealColIndex(c);
        QString spans;
        const TPoint span = CellSpan(rc, r);  // beyond the base cell
        if (span.X > 0) spans += QStringLiteral(" COLSPAN=") + q(QString::number(span.X + 1));
        if (span.Y > 0) spans += QStringLiteral(" ROWSPAN=") + q(QString::number(span.Y + 1));
        QString text;
        SaveCellText(rc, r, text);
        if (!head) {
            if (hs->ConvertSpecialChars()) text = HTMLEntityEncode(text, true);
            if (hs->NonBreakingText()) text.replace(u' ', QLatin1String("&nbsp;"));
        }
        text.replace(u'\r', QLatin1String("<br>"));
        if (URLShow()) text = Linked(text, URLFull());
        if (head ? text.isEmpty() : text.trimmed().isEmpty()) text = QStringLiteral("&nbsp;");
        bool noWrap = false;
        const bool fixed = head || c < FixedCols() || r < FixedRows();
        const int n = classes.Of(HTMLCellStyle(rc, r, fixed, noWrap));
        QString width;
        if (head && c < widths->Count()) width = QStringLiteral(" WIDTH=%1").arg(widths->Items(c));
        if (!head && !header && c - c0 < widths->Count()) width = QStringLiteral(" width=%1").arg(widths->Items(c - c0));
        TCellGraphic* g = GetCellGraphic(rc, r);
        if (hs->ExportImages() && g && g->CellType() == ctNode) text = u'+' + text;
        return QStringLiteral("<TD class=\"c%1\"").arg(n) + spans + (noWrap ? QStringLiteral(" nowrap") : QString()) +
               width + u'>' + text + QStringLiteral("</td>");
    };
    const auto covered = [&](int c, int r) {
        const int rc = RealColIndex(c);
        const TCellProperties* p = HasCellProperties(rc, r) ? GetCellProperties(rc, r) : nullptr;
        return p && !p->IsBaseCell();
    };
    if (header) {
        QString row = QStringLiteral("<TR>");
        for (int c = c0; c < ColCount(); ++c)
            if (!covered(c, 0)) row += cell(c, 0, true);
        lines << row + QStringLiteral("</TR>");
        r0 = 1;
    }
    ExportNotification(esExportStart, r0);
    for (int r = r0; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        QString row = QStringLiteral("<TR>");
        for (int c = c0; c < ColCount(); ++c)
            if (!covered(c, r)) row += cell(c, r, false);
        lines << row + QStringLiteral("</TR>");
    }
    ExportNotification(esExportDone, -1);
    lines << QStringLiteral("</TABLE>");
    if (!hs->SuffixTag().isEmpty()) lines << hs->SuffixTag();
    if (hs->XHTML()) lines << QStringLiteral("</HTML>");
    return prolog + classes.Block() + lines.join(kCRLF) + kCRLF;
}

namespace {

void WriteHTML(TAdvStringGrid* g, const QString& FileName, bool Show, bool Unicode, bool Append)
{
    const THTMLSettings* hs = g->HTMLSettings();
    QStringList lines;
    // A missing append file starts empty; one that exists but cannot be read
    // (too large, not a regular file) raises rather than being replaced.
    if (Append && FileExists(FileName))
        lines = SplitLines(ReadTextFile(FileName, TReadKind::GridImport).Text);
    if (!hs->HeaderFile().isEmpty()) lines << SplitLines(ReadTextFile(hs->HeaderFile(), TReadKind::GridImport).Text);
    QString dir = QFileInfo(FileName).absolutePath().replace(u'\\', u'/');
    if (!dir.endsWith(u'/')) dir += u'/';
    lines << SplitLines(g->SaveToHTMLString(dir));
    if (!hs->FooterFile().isEmpty()) lines << SplitLines(ReadTextFile(hs->FooterFile(), TReadKind::GridImport).Text);
    const QString text = lines.join(kCRLF) + kCRLF;
    QByteArray bytes;
    if (Unicode) {
        bytes = EncodeText(text, TTextEncoding::Utf16LeBom);
    } else {
        bytes.reserve(text.size());
        for (QChar c : text) bytes.append(c.unicode() < 0x80 ? char(c.unicode()) : '?');
    }
    const TWriteResult w = SafeWriteFile(FileName, bytes);
    if (!w) RaiseGridWriteError(FileName, w.Error);
    if (Show || hs->AutoPreview()) OpenLocalFile(FileName);
}

}  // namespace

void TAdvStringGrid::SaveToHTML(const QString& FileName, bool Show, bool Unicode)
{
    WriteHTML(this, FileName, Show, Unicode, false);
}

void TAdvStringGrid::AppendToHTML(const QString& FileName, bool Show, bool Unicode)
{
    WriteHTML(this, FileName, Show, Unicode, true);
}
