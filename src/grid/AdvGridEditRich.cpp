// The string grid's rich-text control and the rich-text cells' editing:
// raising and lowering the selection, size requests, the grid's keys, and
// the conversion between a cell's RTF and the control's content.

#include "AdvGridEditRich.h"

#include "AdvGrid.h"
#include "AdvGridCellGraphic.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <QMap>

#include <cmath>
#include <vector>

namespace {

// The character format property that holds the baseline offset in twips.
constexpr int RichEditOffsetProperty = QTextFormat::UserProperty + 40;

}  // namespace

// ---- RTF in and out --------------------------------------------------------------------------

namespace {

QString RichEditEscaped(const QString& Text)
{
    QString out;
    for (QChar ch : Text) {
        const ushort u = ch.unicode();
        if (ch == u'\\' || ch == u'{' || ch == u'}') out += u'\\' + QString(ch);
        else if (ch == u'\t') out += QStringLiteral("\\tab ");
        else if (ch == QChar::LineSeparator) out += QStringLiteral("\\line ");
        else if (u < 0x20) continue;
        else if (u < 0x80) out += ch;
        else out += QStringLiteral("\\u%1?").arg(int(short(u)));
    }
    return out;
}

// One reader state of an RTF group.
struct RichEditRtfState {
    QTextCharFormat Format;
    int Offset = 0;   // baseline offset, twips
    int Skip = 0;     // characters to drop after \u
    int Uc = 1;
    enum { Text, Fonts, Colors, Ignore } Dest = Text;
};

}  // namespace

QString RichEditToRtf(const QTextDocument& Doc)
{
    QStringList fonts;
    QList<QColor> colors;
    QString body;
    bool firstBlock = true;
    for (QTextBlock b = Doc.begin(); b.isValid(); b = b.next()) {
        if (!firstBlock) body += QStringLiteral("\\par\n");
        firstBlock = false;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            const QTextCharFormat f = frag.charFormat();
            QString codes;
            const QString family = f.fontFamilies().toStringList().value(0);
            if (!family.isEmpty()) {
                if (!fonts.contains(family)) fonts << family;
                codes += QStringLiteral("\\f%1").arg(fonts.indexOf(family));
            }
            if (f.fontPointSize() > 0) codes += QStringLiteral("\\fs%1").arg(qRound(f.fontPointSize() * 2));
            if (f.fontWeight() >= QFont::Bold) codes += QStringLiteral("\\b");
            if (f.fontItalic()) codes += QStringLiteral("\\i");
            if (f.fontUnderline()) codes += QStringLiteral("\\ul");
            if (f.fontStrikeOut()) codes += QStringLiteral("\\strike");
            if (f.hasProperty(QTextFormat::ForegroundBrush)) {
                const QColor c = f.foreground().color();
                if (!colors.contains(c)) colors << c;
                codes += QStringLiteral("\\cf%1").arg(colors.indexOf(c) + 1);
            }
            // Twips to half points.
            const int offset = f.intProperty(RichEditOffsetProperty);
            if (offset > 0) codes += QStringLiteral("\\up%1").arg(offset / 10);
            if (offset < 0) codes += QStringLiteral("\\dn%1").arg(-offset / 10);
            const QString text = RichEditEscaped(frag.text());
            body += codes.isEmpty() ? text : QStringLiteral("{") + codes + u' ' + text + u'}';
        }
    }
    QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0");
    if (!fonts.isEmpty()) {
        out += QStringLiteral("{\\fonttbl");
        for (int i = 0; i < fonts.size(); ++i) out += QStringLiteral("{\\f%1\\fnil %2;}").arg(i).arg(RichEditEscaped(fonts[i]));
        out += u'}';
    }
    if (!colors.isEmpty()) {
        out += QStringLiteral("{\\colortbl ;");
        for (const QColor& c : colors)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
        out += u'}';
    }
    return out + QStringLiteral("\n") + body + QStringLiteral("}");
}

void RtfToRichEdit(const QString& Rtf, QTextDocument& Doc)
{
    Doc.clear();
    QTextCursor cursor(&Doc);
    QMap<int, QString> fonts;
    QList<QColor> colors;
    int fontIndex = 0;
    QString fontName;
    int red = 0, green = 0, blue = 0;
    std::vector<RichEditRtfState> stack(1);
    auto st = [&]() -> RichEditRtfState& { return stack.back(); };
    auto put = [&](const QString& t) {
        RichEditRtfState& s = st();
        if (s.Dest == RichEditRtfState::Fonts) {
            for (QChar c : t) {
                if (c == u';') {
                    fonts[fontIndex] = fontName.trimmed();
                    fontName.clear();
                } else {
                    fontName += c;
                }
            }
            return;
        }
        if (s.Dest == RichEditRtfState::Colors) {
            for (QChar c : t) {
                if (c != u';') continue;
                colors << QColor(red, green, blue);
                red = green = blue = 0;
            }
            return;
        }
        if (s.Dest != RichEditRtfState::Text) return;
        QTextCharFormat f = s.Format;
        if (s.Offset != 0) {
            f.setProperty(RichEditOffsetProperty, s.Offset);
            f.setVerticalAlignment(s.Offset > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
        }
        cursor.insertText(t, f);
    };
    const int n = int(Rtf.size());
    int i = 0;
    while (i < n) {
        const QChar ch = Rtf[i];
        if (ch == u'{') {
            RichEditRtfState copy = st();
            copy.Skip = 0;
            stack.push_back(copy);
            ++i;
            continue;
        }
        if (ch == u'}') {
            if (stack.size() > 1) stack.pop_back();
            ++i;
            continue;
        }
        if (ch == u'\r' || ch == u'\n') {
            ++i;
            continue;
        }
        if (ch != u'\\') {
            if (st().Skip > 0) --st().Skip;
            else put(QString(ch));
            ++i;
            continue;
        }
        // A control symbol or word.
        if (++i >= n) break;
        const QChar c = Rtf[i];
        if (!c.isLetter()) {
            ++i;
            if (c == u'\'') {
                bool ok = false;
                const int v = Rtf.mid(i, 2).toInt(&ok, 16);
                i += 2;
                if (st().Skip > 0) --st().Skip;
                else if (ok) put(QString(QChar(char16_t(v))));
            } else if (c == u'*') {
                st().Dest = RichEditRtfState::Ignore;
            } else if (c == u'~') {
                put(QString(QChar(0xA0)));
            } else if (c == u'\\' || c == u'{' || c == u'}') {
                put(QString(c));
            }
            continue;
        }
        QString word;
        while (i < n && Rtf[i].isLetter()) word += Rtf[i++];
        bool hasParam = false;
        int param = 0;
        {
            int j = i;
            if (j < n && Rtf[j] == u'-') ++j;
            const int digits = j;
            while (j < n && Rtf[j].isDigit()) ++j;
            if (j > digits) {
                hasParam = true;
                param = Rtf.mid(i, j - i).toInt();
                i = j;
            }
        }
        if (i < n && Rtf[i] == u' ') ++i;
        RichEditRtfState& s = st();
        const bool on = !hasParam || param != 0;
        if (word == QLatin1String("fonttbl")) s.Dest = RichEditRtfState::Fonts;
        else if (word == QLatin1String("colortbl")) s.Dest = RichEditRtfState::Colors;
        else if (word == QLatin1String("info") || word == QLatin1String("stylesheet") || word == QLatin1String("pict")
                 || word == QLatin1String("object"))
            s.Dest = RichEditRtfState::Ignore;
        else if (s.Dest == RichEditRtfState::Fonts && word == QLatin1String("f")) fontIndex = param;
        else if (s.Dest == RichEditRtfState::Colors && word == QLatin1String("red")) red = param;
        else if (s.Dest == RichEditRtfState::Colors && word == QLatin1String("green")) green = param;
        else if (s.Dest == RichEditRtfState::Colors && word == QLatin1String("blue")) blue = param;
        else if (word == QLatin1String("f") && fonts.contains(param)) s.Format.setFontFamilies({fonts[param]});
        else if (word == QLatin1String("fs") && param > 0) s.Format.setFontPointSize(param / 2.0);
        else if (word == QLatin1String("b")) s.Format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        else if (word == QLatin1String("i")) s.Format.setFontItalic(on);
        else if (word == QLatin1String("ul")) s.Format.setFontUnderline(on);
        else if (word == QLatin1String("ulnone")) s.Format.setFontUnderline(false);
        else if (word == QLatin1String("strike")) s.Format.setFontStrikeOut(on);
        else if (word == QLatin1String("cf") && param >= 1 && param <= colors.size())
            s.Format.setForeground(colors[param - 1]);
        else if (word == QLatin1String("up")) s.Offset = (hasParam ? param : 6) * 10;
        else if (word == QLatin1String("dn")) s.Offset = -(hasParam ? param : 6) * 10;
        else if (word == QLatin1String("super")) s.Offset = TAdvRichEdit::SuperscriptOffset;
        else if (word == QLatin1String("sub")) s.Offset = TAdvRichEdit::SubscriptOffset;
        else if (word == QLatin1String("nosupersub")) s.Offset = 0;
        else if (word == QLatin1String("plain")) {
            s.Format = QTextCharFormat();
            s.Offset = 0;
        } else if (word == QLatin1String("par") && s.Dest == RichEditRtfState::Text) cursor.insertBlock();
        else if (word == QLatin1String("line")) put(QString(QChar::LineSeparator));
        else if (word == QLatin1String("tab")) put(QStringLiteral("\t"));
        else if (word == QLatin1String("uc")) s.Uc = std::max(0, param);
        else if (word == QLatin1String("u") && hasParam) {
            put(QString(QChar(char16_t(param < 0 ? param + 65536 : param))));
            st().Skip = st().Uc;
        }
    }
}

// ---- the control ----------------------------------------------------------------------------

TAdvRichEdit::TAdvRichEdit(TComponent* AOwner)
    : TCustomRichEdit(AOwner), FGrid(dynamic_cast<TAdvStringGrid*>(AOwner))
{
    QTextEdit* e = TextEdit();
    e->setFrameShape(QFrame::NoFrame);
    QObject::connect(e->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, e,
                     [this](const QSizeF&) { RequestSize(); });
    QObject::connect(e, &QTextEdit::selectionChanged, e, [this]() {
        if (FGrid && this == FGrid->FInplaceRichEdit && FGrid->OnRichEditSelectionChange)
            GuardEvent([this]() { FGrid->OnRichEditSelectionChange(FGrid); });
    });
}

QTextEdit* TAdvRichEdit::TextEdit() const
{
    return static_cast<QTextEdit*>(Widget());
}

void TAdvRichEdit::ReCreate()
{
    TextEdit()->document()->setDocumentMargin(2);
}

int TAdvRichEdit::SelOffset() const
{
    QTextCursor c = TextEdit()->textCursor();
    // The format of the selection's first character (the one before the
    // caret when nothing is selected).
    if (c.hasSelection()) c.setPosition(c.selectionStart() + 1);
    return c.charFormat().intProperty(RichEditOffsetProperty);
}

void TAdvRichEdit::SetSelOffset(int Twips)
{
    QTextCharFormat f;
    f.setProperty(RichEditOffsetProperty, Twips);
    f.setVerticalAlignment(Twips > 0   ? QTextCharFormat::AlignSuperScript
                           : Twips < 0 ? QTextCharFormat::AlignSubScript
                                       : QTextCharFormat::AlignNormal);
    QTextCursor c = TextEdit()->textCursor();
    c.mergeCharFormat(f);
    TextEdit()->mergeCurrentCharFormat(f);
}

void TAdvRichEdit::RequestSize()
{
    QTextDocument* d = TextEdit()->document();
    const int w = int(std::ceil(d->idealWidth() + 2 * d->documentMargin()));
    const int h = int(std::ceil(d->size().height()));
    RequestResize(w, h);
}

void TAdvRichEdit::RequestResize(int Width, int Height)
{
    if (!FGrid || FGrid->IsDesigning()) return;
    if (this == FGrid->FRichEdit) {
        FReqWidth = Width;
        FReqHeight = Height;
        return;
    }
    if (this != FGrid->FInplaceRichEdit || FLocked || !FGrid->SizeWhileTyping()->Height()) return;
    // The row grows with the content while the cell stays inside the grid.
    const int row = FGrid->Row();
    const TRect cell = FGrid->CellRect(FGrid->Col(), row);
    if (FGrid->RowHeights(row) < Height + 5 && cell.Top + Height + 5 < FGrid->ClientHeight()) {
        SetHeight(Height + 9);
        FGrid->SetRowHeights(row, Height + 10);
        if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, row);
    }
}

void TAdvRichEdit::WndProc(TMessage& m)
{
    TCustomRichEdit::WndProc(m);
    if (m.Msg == WM_GETDLGCODE) m.Result |= DLGC_WANTTAB;
}

void TAdvRichEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomRichEdit::KeyDown(Key, Shift);
    TAdvStringGrid* g = FGrid;
    if (!g || Key == 0) return;
    auto toGrid = [&](bool reopen) {
        Word k = Key;
        if (g->CanFocus()) {
            try {
                g->SetFocus();
            } catch (const EInvalidOperation&) {
            }
        }
        g->KeyDown(k, Shift);
        if (reopen) g->ShowInplaceEdit();
        Key = 0;
    };
    if (Key == VK_TAB && g->Options().Contains(goTabs)) toGrid(true);
    else if ((Key == VK_UP || Key == VK_DOWN) && !g->WordWrap() && !g->MultilineCells()) toGrid(false);
}

void TAdvRichEdit::DoExit()
{
    TAdvStringGrid* g = FGrid;
    // Whatever takes the focus, the edit ends with its value stored; a
    // focus move made by an edit link or by the grid's own commit does not.
    if (g && this == g->FInplaceRichEdit && Visible() && !g->FEditLinkFocusChange && !g->FBlockKill)
        g->HideInplaceEdit();
    if (g) g->FEditLinkFocusChange = false;
    TCustomRichEdit::DoExit();
}

// ---- the grid's side ----------------------------------------------------------------------

TAdvRichEdit* TAdvStringGrid::RichEdit()
{
    if (!FRichEdit) {
        auto* r = new TAdvRichEdit(this);
        r->SetParent(this);
        r->SetBounds(0, 0, 0, 0);
        r->TextEdit()->setFrameShape(QFrame::NoFrame);
        r->SetVisible(false);
        r->SetEnabled(false);
        FRichEdit = r;
    }
    return static_cast<TAdvRichEdit*>(FRichEdit);
}

TAdvRichEdit* TAdvStringGrid::InplaceRichEdit()
{
    if (!FInplaceRichEdit) {
        auto* r = new TAdvRichEdit(this);
        r->SetParent(this);
        r->SetVisible(false);
        r->SetEnabled(false);
        FInplaceRichEdit = r;
    }
    return static_cast<TAdvRichEdit*>(FInplaceRichEdit);
}

void TAdvStringGrid::ShowRichEditor(int ACol, int ARow, const TRect& R, TColor AColor)
{
    TAdvRichEdit* re = InplaceRichEdit();
    const int c = RealColIndex(ACol);
    GetEditorProp(c, ARow, FEditLink);
    re->LockResize();
    re->ReCreate();
    re->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    CellToRichEdit(c, ARow, re);
    re->UnlockResize();
    re->SetColor(AColor);
    re->SetEnabled(true);
    re->SetVisible(true);
    if (Navigation()->EditSelectAll()) re->SelectAll();
    FocusEditor(re);
}

void TAdvStringGrid::RichToCell(int ACol, int ARow, TAdvRichEdit* ARichEdit)
{
    SetCells(ACol, ARow, RichToString(ARichEdit));
}

QString TAdvStringGrid::RichToString(TAdvRichEdit* ARichEdit)
{
    if (HasState(csDestroying) || !ARichEdit) return QString();
    return RichEditToRtf(*ARichEdit->TextEdit()->document());
}

void TAdvStringGrid::CellToRichEdit(int ACol, int ARow, TAdvRichEdit* ARichEdit)
{
    QTextDocument* d = ARichEdit->TextEdit()->document();
    const QString text = Cells(ACol, ARow);
    d->clear();
    if (text.isEmpty()) return;
    if (text.startsWith(QLatin1String("{\\rtf"))) RtfToRichEdit(text, *d);
    else QTextCursor(d).insertText(text);
}
