// The string grid's HTML export: a table with one style class per distinct
// cell look, merged cells as spans, header and footer files around it.
#include "AdvGrid.h"
#include "AdvGridFilesKit.h"
#include "AdvGridHTML.h"

#include "AdvGridCellGraphic.h"
#include "AdvObj.h"
#include "AdvUtil.h"
#include "AsgHTMLEText.h"
#include "Files.h"
#include "Graphics.h"
#include "GraphicsJpeg.h"
#include "ImgList.h"
#include "Shell.h"
#include "SysFormat.h"
#include "TextFiles.h"
#include "Types.h"

#include <QFileInfo>
#include <algorithm>

namespace {

constexpr QLatin1StringView kCRLF("\r\n");
const char* const kHTMLCannotCreate = "Cannot create ";
const char* const kHTMLPictureNotEncoded = "A cell picture could not be written as JPEG: ";

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

// Cell pictures written beside the page as JPEG files, numbered from 1 in
// the order they are written, in the folder "images" below the page's.
class THTMLPictures {
public:
    explicit THTMLPictures(const QString& Dir) : FDir(Dir) {}

    // The tag of a graphic; a JPEG keeps its own bytes, any other is drawn
    // on a new bitmap of its size. Empty for an empty graphic.
    QString Tag(TGraphic* g)
    {
        if (!g || g->Empty() || g->Width() <= 0 || g->Height() <= 0) return QString();
        if (auto* jpeg = dynamic_cast<TJPEGImage*>(g)) return Write(jpeg->SaveToBytes());
        TBitmap bmp(g->Width(), g->Height());
        bmp.Canvas()->Draw(0, 0, g);
        return Encoded(bmp);
    }
    // The tag of image Index of the list; empty when it has no such image.
    QString Tag(TCustomImageList* il, int Index)
    {
        if (!il || Index < 0 || Index >= il->Count() || il->Width() <= 0 || il->Height() <= 0) return QString();
        TBitmap bmp(il->Width(), il->Height());
        il->Draw(bmp.Canvas(), 0, 0, Index);
        return Encoded(bmp);
    }

private:
    QString Encoded(TBitmap& bmp)
    {
        QString error;
        const QByteArray jpeg = EncodeJpeg(bmp.Image(), 90, false, &error);
        if (jpeg.isEmpty()) throw EAdvGridError(QString::fromLatin1(kHTMLPictureNotEncoded) + error);
        return Write(jpeg);
    }
    QString Write(const QByteArray& bytes)
    {
        const QString folder = FDir + QStringLiteral("images");
        if (!FFolderReady && !ForceDirectories(folder)) throw Exception(QString::fromLatin1(kHTMLCannotCreate) + folder);
        FFolderReady = true;
        const QString path = folder + QStringLiteral("/img%1.jpg").arg(++FCount);
        const TWriteResult w = SafeWriteFile(path, bytes);
        if (!w) RaiseGridWriteError(path, w.Error);
        return QStringLiteral("<img src= \"file://") + path + QStringLiteral("\">");
    }
    QString FDir;
    int FCount = 0;
    bool FFolderReady = false;
};

// What a cell shows in the table when pictures are exported: its text with
// the tags of its pictures, placed as the cell's kind places them.
// Exported is the cell's text before HTML encoding (an image index).
QString HTMLPictureContent(TAdvStringGrid* g, THTMLPictures& Pictures, int ACol, int ARow, const QString& Exported,
                           const QString& Text)
{
    TCellGraphic* cg = g->GetCellGraphic(ACol, ARow);
    if (!cg) return Text;
    TCustomImageList* il = g->GridImages();
    switch (cg->CellType()) {
    case ctBitmap: return Text + Pictures.Tag(cg->CellBitmap());
    case ctImageList: return Pictures.Tag(il, cg->CellIndex()) + Text;
    case ctDataImage: {
        int index = -1;
        if (!TryStrToInt(Exported.trimmed(), index) || !il || index < 0 || index >= il->Count()) return Text;
        return Pictures.Tag(il, index);
    }
    case ctImages: {
        QString tags;
        if (const TIntList* list = cg->CellIntList())
            for (int i = 0; i < list->Count(); ++i) tags += Pictures.Tag(il, list->Items(i));
        return tags + Text;
    }
    case ctPicture:
    case ctInterface: {
        const TPicture* p = cg->CellPicture();
        return Text + (p ? Pictures.Tag(p->Graphic()) : QString());
    }
    case ctNode: return u'+' + Text;
    default: return Text;
    }
}

}  // namespace

// The look of a cell for the export, as the grid paints it (cell
// properties, bands, the colour and alignment events, the fixed font). The
// page's own window colours stand for "no colour": a body cell gets a
// background only when its look sets one; fixed cells are FixedColor.
QString TAdvStringGrid::HTMLCellStyle(int ACol, int ARow, bool Fixed, bool& NoWrap)
{
    const THTMLSettings* hs = HTMLSettings();
    TFont font;
    TBrush look;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment align = taLeftJustify;
    TVAlignment valign = vtaTop;
    bool wrap = WordWrap();
    TCellGradientDirection gd = GradientVertical;
    TGridDrawState state;
    GetVisualProperties(ACol, ARow, state, false, false, false, &look, colorTo, mirror, mirrorTo, &font, align, valign,
                        wrap, gd);
    TColor brush = Fixed ? FixedColor() : look.Color();
    if (brush == clWindow) brush = clNone;
    const TColor fontColor = font.Color() == clWindowText ? clNone : font.Color();
    const int size = font.Size();
    const TFontStyles style = font.Style();
    const QString name = font.Name();
    NoWrap = !wrap;
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
    const THTMLSettings* hs = HTMLSettings();
    // No folder: the program folder, as relative names are elsewhere.
    THTMLPictures pictures(Dir.isEmpty() ? ProgramDir() + u'/' : Dir);
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
        const QString exported = text;
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
        if (hs->ExportImages()) text = HTMLPictureContent(this, pictures, rc, r, exported, text);
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
    if (Append) {
        try {
            lines = SplitLines(ReadTextFile(FileName).Text);
        } catch (const Exception&) {
            // An append file that cannot be read is left out.
        }
    }
    if (!hs->HeaderFile().isEmpty()) lines << SplitLines(ReadTextFile(hs->HeaderFile()).Text);
    QString dir = QFileInfo(FileName).absolutePath().replace(u'\\', u'/');
    if (!dir.endsWith(u'/')) dir += u'/';
    lines << SplitLines(g->SaveToHTMLString(dir));
    if (!hs->FooterFile().isEmpty()) lines << SplitLines(ReadTextFile(hs->FooterFile()).Text);
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
