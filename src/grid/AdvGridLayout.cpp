// Column layout kept between runs (widths, order and hidden columns in one
// text, or widths and positions in an INI file or the registry stand-in),
// and the grid's look in a visual-properties file.

#include "AdvGrid.h"
#include "AdvGridFooter.h"
#include "AdvGridHints.h"
#include "AdvGridLook.h"
#include "AdvGridSort.h"
#include "ColorNames.h"
#include "Controls.h"
#include "IniFiles.h"
#include "Registry.h"
#include "SysFormat.h"
#include "SysUtils.h"
#include "TextFiles.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <memory>
#include <optional>

namespace {

// Fixed texts of this unit.
struct AdvGridLayoutTexts {
    static QString BadColumnCount(const QString& s) { return QStringLiteral("'%1' is not a valid column count").arg(s); }
    static QString BadColumnWidth(const QString& s) { return QStringLiteral("'%1' is not a valid column width").arg(s); }
    static QString ShortList(const QString& part, int need, int have)
    {
        return QStringLiteral("The column %1 list holds %2 entries, %3 are needed").arg(part).arg(have).arg(need);
    }
    static QString CannotCreate(const QString& f) { return QStringLiteral("Cannot Create ") + f; }
    static QString CannotOpen(const QString& f) { return QStringLiteral("Cannot open file ") + f; }
};

constexpr int AdvGridLayoutMaxColumns = 65536;
constexpr int AdvGridLayoutMaxWidth = 32767;
// Real columns from this index on are never hidden in the visible part.
constexpr int AdvGridLayoutVisibleMap = 512;

bool AdvGridLayoutWidthOk(int w)
{
    return w >= 0 && w <= AdvGridLayoutMaxWidth;
}

// The INI file or the registry stand-in behind ColumnSize.
class AdvGridLayoutStore {
public:
    explicit AdvGridLayoutStore(TColumnSize* cs) : FSection(cs->Section())
    {
        if (cs->Location() == clIniFile) FIni = std::make_unique<TMemIniFile>(cs->Key());
        else FReg = std::make_unique<TRegistryIniFile>(cs->Key());
    }
    int Read(const QString& key, int def) const
    {
        return FIni ? FIni->ReadInteger(FSection, key, def) : FReg->ReadInteger(FSection, key, def);
    }
    void Write(const QString& key, int v)
    {
        if (FIni) FIni->WriteInteger(FSection, key, v);
        else FReg->WriteInteger(FSection, key, v);
    }
    void UpdateFile()
    {
        if (FIni) FIni->UpdateFile();
        else FReg->UpdateFile();
    }

private:
    QString FSection;
    std::unique_ptr<TMemIniFile> FIni;
    std::unique_ptr<TRegistryIniFile> FReg;
};

// Positions: entry k is the design index at display position k. The inverse
// gives, per design index, its position.
std::vector<int> AdvGridLayoutInverse(const std::vector<int>& order)
{
    std::vector<int> inv;
    for (int p = 0; p < int(order.size()); ++p)
        for (int k = 0; k < int(order.size()); ++k)
            if (order[size_t(k)] == p) inv.push_back(k);
    return inv;
}

bool AdvGridLayoutIsPermutation(const std::vector<int>& order, int n)
{
    if (int(order.size()) != n) return false;
    std::vector<bool> seen(size_t(n), false);
    for (int v : order) {
        if (v < 0 || v >= n || seen[size_t(v)]) return false;
        seen[size_t(v)] = true;
    }
    return true;
}

QStringList AdvGridLayoutSplit(const QString& s)
{
    return s.isEmpty() ? QStringList() : s.split(QLatin1Char(','));
}

int AdvGridLayoutInt(const QString& s)
{
    return StrToInt(s.trimmed());
}

} // namespace

// ---- column-state string -----------------------------------------------------------

QString TAdvStringGrid::ColumnStatesToString()
{
    const int n = ColCount() + NumHiddenColumns();
    QStringList widths, order, visible;
    for (int i = 0; i < n; ++i) widths << QString::number(ColWidths(i));
    if (FColumnOrder->Count() == 0)
        for (int i = 0; i < n; ++i) order << QString::number(i);
    else
        for (int i = 0; i < FColumnOrder->Count(); ++i) order << QString::number(FColumnOrder->Items(i));
    for (int i = 0; i < n; ++i)
        visible << ((i < AdvGridLayoutVisibleMap && IsHiddenColumn(i)) ? QStringLiteral("0") : QStringLiteral("1"));
    return QString::number(n) + QLatin1Char('#') + widths.join(QLatin1Char(',')) + QLatin1Char('#') +
           order.join(QLatin1Char(',')) + QLatin1Char('#') + visible.join(QLatin1Char(','));
}

void TAdvStringGrid::StringToColumnStates(const QString& Value)
{
    const int hash = Value.indexOf(QLatin1Char('#'));
    if (hash < 0) return;

    // The whole string is checked before anything changes: a string from
    // storage may be cut short or hold nonsense.
    const QString countText = Value.left(hash);
    int n = 0;
    if (!TryStrToInt(countText.trimmed(), n) || n < 1 || n > AdvGridLayoutMaxColumns)
        throw EConvertError(AdvGridLayoutTexts::BadColumnCount(countText));
    const QString rest = Value.mid(hash + 1);
    const QStringList widthParts = AdvGridLayoutSplit(rest.section(QLatin1Char('#'), 0, 0));
    const QStringList orderParts = AdvGridLayoutSplit(rest.section(QLatin1Char('#'), 1, 1));
    const QStringList visibleParts = AdvGridLayoutSplit(rest.section(QLatin1Char('#'), -1));
    if (widthParts.size() < n)
        throw EListError(AdvGridLayoutTexts::ShortList(QStringLiteral("width"), n, int(widthParts.size())));
    if (visibleParts.size() < n)
        throw EListError(AdvGridLayoutTexts::ShortList(QStringLiteral("visible"), n, int(visibleParts.size())));
    std::vector<int> widths;
    for (int i = 0; i < n; ++i) {
        const int w = AdvGridLayoutInt(widthParts[i]);
        if (!AdvGridLayoutWidthOk(w)) throw EConvertError(AdvGridLayoutTexts::BadColumnWidth(widthParts[i]));
        widths.push_back(w);
    }
    std::vector<int> order;
    for (const QString& s : orderParts) order.push_back(AdvGridLayoutInt(s));
    if (order.size() > size_t(n)) order.resize(size_t(n));
    // An order that is not a permutation is dropped, as an empty one.
    const bool useOrder = !orderParts.isEmpty() && AdvGridLayoutIsPermutation(order, n);

    FColumnOrder->Clear();
    UnHideColumnsAll();
    SetColCount(n);
    if (useOrder) {
        for (int k : AdvGridLayoutInverse(order)) FColumnOrder->Insert(FColumnOrder->Count(), k);
        ResetColumnOrder();
        FColumnOrder->Clear();
        for (int v : order) FColumnOrder->Insert(FColumnOrder->Count(), v);
    }
    // Descending, so hiding does not shift the indices still to come.
    for (int c = n - 1; c >= 0; --c)
        if (visibleParts[c] == QLatin1String("0")) HideColumn(c);

    const bool stretch = FColumnSize->Stretch();
    FColumnSize->SetStretch(false);
    if (stretch) {
        const int sc = FColumnSize->StretchColumn() == -1 ? ColCount() - 1 : FColumnSize->StretchColumn();
        SetDefaultColWidth(ColWidths(sc));
    }
    for (int i = 0; i < ColCount() && i < n; ++i) SetColWidths(i, widths[size_t(i)]);
    FColumnSize->SetStretch(stretch);
}

// ---- INI file or registry -------------------------------------------------------------

bool TAdvStringGrid::ColumnLayoutStored()
{
    return !FColumnSize->Key().isEmpty() && !FColumnSize->Section().isEmpty() && !IsDesigning();
}

void TAdvStringGrid::SaveColSizes()
{
    if (!ColumnLayoutStored()) return;
    AdvGridLayoutStore store(FColumnSize);
    for (int i = 0; i < ColCount(); ++i) store.Write(QStringLiteral("Col%1").arg(i), ColWidths(i));
    store.UpdateFile();
}

void TAdvStringGrid::LoadColSizes()
{
    if (!ColumnLayoutStored()) return;
    AdvGridLayoutStore store(FColumnSize);
    for (int i = 0; i < ColCount(); ++i) {
        const int cur = ColWidths(i);
        const int w = store.Read(QStringLiteral("Col%1").arg(i), cur);
        // A stored width out of range leaves the column as it is.
        if (w != cur && AdvGridLayoutWidthOk(w)) SetColWidths(i, w);
    }
    store.UpdateFile();
}

void TAdvStringGrid::SaveColPositions()
{
    if (!ColumnLayoutStored()) return;
    AdvGridLayoutStore store(FColumnSize);
    for (int k = 0; k < FColumnOrder->Count(); ++k) store.Write(QStringLiteral("Pos%1").arg(k), FColumnOrder->Items(k));
    store.UpdateFile();
}

void TAdvStringGrid::LoadColPositions()
{
    if (!ColumnLayoutStored()) return;
    AdvGridLayoutStore store(FColumnSize);
    const int all = AllColCount();
    const auto readStored = [&] {
        std::vector<int> v;
        for (int i = 0; i < all; ++i) {
            const int p = store.Read(QStringLiteral("Pos%1").arg(i), -1);
            if (p != -1) v.push_back(p);
        }
        return v;
    };
    const std::vector<int> stored = store.Read(QStringLiteral("Pos0"), -1) == -1 ? std::vector<int>() : readStored();
    // Positions that do not name every column once change nothing.
    if (AdvGridLayoutIsPermutation(stored, all)) {
        const std::vector<int> inv = AdvGridLayoutInverse(stored);
        std::vector<int> hidden;
        FColumnOrder->Clear();
        for (int c = 0; c < all; ++c) {
            if (IsHiddenColumn(c)) hidden.push_back(c);
            FColumnOrder->Insert(FColumnOrder->Count(), inv[size_t(c)]);
        }
        UnHideColumnsAll();
        if (FColumnOrder->Count() > 0) ResetColumnOrder();
        for (auto it = hidden.rbegin(); it != hidden.rend(); ++it) HideColumn(*it);
        FColumnOrder->Clear();
        for (int v : stored) FColumnOrder->Insert(FColumnOrder->Count(), v);
    }
    store.UpdateFile();
}

void TAdvStringGrid::SaveColSizesReported() noexcept
{
    try {
        SaveColSizes();
    } catch (const std::exception& e) {
        ReportEventException(e);
    } catch (...) {
    }
}

void TAdvStringGrid::LoadColSizesReported() noexcept
{
    try {
        LoadColSizes();
    } catch (const std::exception& e) {
        ReportEventException(e);
    } catch (...) {
    }
}

// ---- visual-properties file ------------------------------------------------------------

namespace {

using AdvGridVisualWrite = QString (*)(TAdvStringGrid*);
using AdvGridVisualRead = void (*)(TAdvStringGrid*, const QString&);

struct AdvGridVisualEntry {
    const char* Key;
    AdvGridVisualWrite Write;
    AdvGridVisualRead Read;
};

QString AdvGridVisualColorText(TColor c)
{
    return ColorToString(c);
}
TColor AdvGridVisualColor(const QString& v)
{
    return v.isEmpty() ? clNone : StringToColor(v);
}
QString AdvGridVisualBoolText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}
bool AdvGridVisualBool(const QString& v)
{
    return v.toUpper() == QLatin1String("TRUE");
}

const std::array<const char*, 4> AdvGridVisualStyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

QString AdvGridVisualStyleText(TFontStyles s)
{
    QStringList names;
    for (int i = 0; i < 4; ++i)
        if (s.Contains(TFontStyle(i))) names << QLatin1String(AdvGridVisualStyleNames[size_t(i)]);
    return names.join(QLatin1Char(','));
}
TFontStyles AdvGridVisualStyle(const QString& v)
{
    TFontStyles s;
    for (int i = 0; i < 4; ++i)
        if (v.contains(QLatin1String(AdvGridVisualStyleNames[size_t(i)]))) s.Include(TFontStyle(i));
    return s;
}

template <size_t N>
QString AdvGridVisualEnumText(const std::array<const char*, N>& names, int v)
{
    return v >= 0 && v < int(N) ? QLatin1String(names[size_t(v)]) : QString();
}
template <size_t N>
std::optional<int> AdvGridVisualEnum(const std::array<const char*, N>& names, const QString& v)
{
    for (size_t i = 0; i < N; ++i)
        if (v.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) return int(i);
    return std::nullopt;
}

const std::array<const char*, 7> AdvGridVisualControlStyles = {"csClassic", "csFlat",  "csWinXP", "csBorland",
                                                               "csZUR",     "csGlyph", "csTheme"};
const std::array<const char*, 9> AdvGridVisualLooks = {"glStandard", "glSoft",  "glClassic", "glZUR",       "glXP",
                                                       "glListView", "glVista", "glWin7",    "glOffice2007"};
const std::array<const char*, 4> AdvGridVisualDisplays = {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"};
const std::array<const char*, 3> AdvGridVisualBgCells = {"bcNormal", "bcFixed", "bcAll"};

// A holder the grid does not create (yet) writes an empty or zero value
// and takes nothing when read.
#define ADVGRID_VP_ENTRY(KEY, OBJ, WRITE, EMPTY, READ)                   \
    AdvGridVisualEntry{KEY,                                               \
                       [](TAdvStringGrid* g) -> QString {                 \
                           auto* o = OBJ;                                 \
                           return o ? QString(WRITE) : QString(EMPTY);    \
                       },                                                 \
                       [](TAdvStringGrid* g, const QString& v) {          \
                           auto* o = OBJ;                                 \
                           if (o) { READ; }                               \
                       }}
#define ADVGRID_VP_COLOR(KEY, OBJ, PROP) \
    ADVGRID_VP_ENTRY(KEY, OBJ, AdvGridVisualColorText(o->PROP()), "", o->Set##PROP(AdvGridVisualColor(v)))
#define ADVGRID_VP_BOOL(KEY, OBJ, PROP) \
    ADVGRID_VP_ENTRY(KEY, OBJ, AdvGridVisualBoolText(o->PROP()), "false", o->Set##PROP(AdvGridVisualBool(v)))
#define ADVGRID_VP_INT(KEY, OBJ, PROP, TYPE) \
    ADVGRID_VP_ENTRY(KEY, OBJ, QString::number(int(o->PROP())), "0", o->Set##PROP(TYPE(StrToInt(v))))
#define ADVGRID_VP_ENUM(KEY, OBJ, PROP, TYPE, NAMES)                                  \
    ADVGRID_VP_ENTRY(KEY, OBJ, AdvGridVisualEnumText(NAMES, int(o->PROP())), "",       \
                     if (auto e = AdvGridVisualEnum(NAMES, v)) o->Set##PROP(TYPE(*e)))
#define ADVGRID_VP_FONT(PREFIX, FONT)                                                                   \
    ADVGRID_VP_ENTRY(PREFIX ".Color", FONT, AdvGridVisualColorText(o->Color()), "",                      \
                     o->SetColor(AdvGridVisualColor(v))),                                               \
        ADVGRID_VP_ENTRY(PREFIX ".Style", FONT, AdvGridVisualStyleText(o->Style()), "",                  \
                         o->SetStyle(AdvGridVisualStyle(v))),                                           \
        ADVGRID_VP_ENTRY(PREFIX ".Size", FONT, QString::number(o->Size()), "0", o->SetSize(StrToInt(v))), \
        ADVGRID_VP_ENTRY(PREFIX ".Name", FONT, o->Name(), "", o->SetName(v))

// The file's lines in the order they are written. Every setter used here
// only stores, so the entries that the file format marks as stored without a
// repaint need no path of their own.
const std::array<AdvGridVisualEntry, 69> AdvGridVisualTable = {{
    ADVGRID_VP_COLOR("Color", g, Color),
    ADVGRID_VP_COLOR("HintColor", g, HintColor),
    ADVGRID_VP_COLOR("SelectionColor", g, SelectionColor),
    ADVGRID_VP_COLOR("SelectionColorTo", g, SelectionColorTo),
    ADVGRID_VP_COLOR("SelectionMirrorColor", g, SelectionMirrorColor),
    ADVGRID_VP_COLOR("SelectionMirrorColorTo", g, SelectionMirrorColorTo),
    ADVGRID_VP_COLOR("SelectionTextColor", g, SelectionTextColor),
    ADVGRID_VP_COLOR("URLColor", g, URLColor),
    ADVGRID_VP_BOOL("URLShow", g, URLShow),
    ADVGRID_VP_BOOL("URLShowInText", g, URLShowInText),
    ADVGRID_VP_COLOR("ScrollColor", g, ScrollColor),
    ADVGRID_VP_COLOR("ActiveRowColor", g, ActiveRowColor),
    ADVGRID_VP_BOOL("ActiveRowShow", g, ActiveRowShow),
    ADVGRID_VP_BOOL("ActiveCellShow", g, ActiveCellShow),
    ADVGRID_VP_FONT("Font", g->Font()),
    ADVGRID_VP_COLOR("ActiveCellColor", g, ActiveCellColor),
    ADVGRID_VP_COLOR("ActiveCellColorTo", g, ActiveCellColorTo),
    ADVGRID_VP_FONT("ActiveCellFont", g->ActiveCellFont()),
    ADVGRID_VP_FONT("FixedFont", g->FixedFont()),
    ADVGRID_VP_COLOR("Balloon.BackgroundColor", g->BalloonSettings(), BackgroundColor),
    ADVGRID_VP_COLOR("Balloon.TextColor", g->BalloonSettings(), TextColor),
    ADVGRID_VP_INT("Balloon.Transparency", g->BalloonSettings(), Transparency, uint8_t),
    ADVGRID_VP_COLOR("Bands.PrimaryColor", g->Bands(), PrimaryColor),
    ADVGRID_VP_COLOR("Bands.SecondaryColor", g->Bands(), SecondaryColor),
    ADVGRID_VP_BOOL("Bands.Active", g->Bands(), Active),
    ADVGRID_VP_COLOR("SortSettings.IndexColor", g->SortSettings(), IndexColor),
    ADVGRID_VP_COLOR("FloatingFooter.Color", g->FloatingFooter(), Color),
    ADVGRID_VP_INT("ControlLook.CheckSize", g->ControlLook(), CheckSize, int),
    ADVGRID_VP_COLOR("ControlLook.Color", g->ControlLook(), Color),
    ADVGRID_VP_COLOR("ControlLook.CommentColor", g->ControlLook(), CommentColor),
    ADVGRID_VP_ENUM("ControlLook.ControlStyle", g->ControlLook(), ControlStyle, TControlStyle,
                    AdvGridVisualControlStyles),
    ADVGRID_VP_COLOR("ControlLook.FixedGradientFrom", g->ControlLook(), FixedGradientFrom),
    ADVGRID_VP_COLOR("ControlLook.FixedGradientTo", g->ControlLook(), FixedGradientTo),
    ADVGRID_VP_INT("ControlLook.RadioSize", g->ControlLook(), RadioSize, int),
    ADVGRID_VP_BOOL("ControlLook.FlatButton", g->ControlLook(), FlatButton),
    ADVGRID_VP_COLOR("ControlLook.ProgressBorderColor", g->ControlLook(), ProgressBorderColor),
    ADVGRID_VP_BOOL("ControlLook.ProgressXP", g->ControlLook(), ProgressXP),
    ADVGRID_VP_ENUM("Look", g, Look, TGridLook, AdvGridVisualLooks),
    ADVGRID_VP_COLOR("SearchFooter.Color", g->SearchFooter(), Color),
    ADVGRID_VP_COLOR("SearchFooter.ColorTo", g->SearchFooter(), ColorTo),
    ADVGRID_VP_COLOR("Grouping.HeaderColor", g->Grouping(), HeaderColor),
    ADVGRID_VP_COLOR("Grouping.HeaderColorTo", g->Grouping(), HeaderColorTo),
    ADVGRID_VP_COLOR("Grouping.HeaderTextColor", g->Grouping(), HeaderTextColor),
    ADVGRID_VP_BOOL("Grouping.HeaderUnderline", g->Grouping(), HeaderUnderline),
    ADVGRID_VP_COLOR("Grouping.HeaderLineColor", g->Grouping(), HeaderLineColor),
    ADVGRID_VP_INT("Grouping.HeaderLineWidth", g->Grouping(), HeaderLineWidth, int),
    ADVGRID_VP_COLOR("Grouping.SummaryColor", g->Grouping(), SummaryColor),
    ADVGRID_VP_COLOR("Grouping.SummaryColorTo", g->Grouping(), SummaryColorTo),
    ADVGRID_VP_COLOR("Grouping.SummaryTextColor", g->Grouping(), SummaryTextColor),
    ADVGRID_VP_BOOL("Grouping.SummaryLine", g->Grouping(), SummaryLine),
    ADVGRID_VP_COLOR("Grouping.SummaryLineColor", g->Grouping(), SummaryLineColor),
    ADVGRID_VP_INT("Grouping.SummaryLineWidth", g->Grouping(), SummaryLineWidth, int),
    ADVGRID_VP_COLOR("GridLineColor", g, GridLineColor),
    ADVGRID_VP_COLOR("GridFixedLineColor", g, GridFixedLineColor),
    ADVGRID_VP_INT("BackGround.Top", g->BackGround(), Top, int),
    ADVGRID_VP_INT("BackGround.Left", g->BackGround(), Left, int),
    ADVGRID_VP_ENUM("BackGround.Display", g->BackGround(), Display, TBackGroundDisplay, AdvGridVisualDisplays),
    ADVGRID_VP_ENUM("BackGround.Cells", g->BackGround(), Cells, TBackGroundCells, AdvGridVisualBgCells),
    ADVGRID_VP_COLOR("BackGround.Color", g->BackGround(), Color),
    ADVGRID_VP_COLOR("BackGround.ColorTo", g->BackGround(), ColorTo),
}};

#undef ADVGRID_VP_ENTRY
#undef ADVGRID_VP_COLOR
#undef ADVGRID_VP_BOOL
#undef ADVGRID_VP_INT
#undef ADVGRID_VP_ENUM
#undef ADVGRID_VP_FONT

// The reader takes the two grid-line colours right after the search
// footer's colours, before the grouping colours.
constexpr std::array<int, 69> AdvGridVisualReadOrder = [] {
    std::array<int, 69> order{};
    int k = 0;
    for (int i = 0; i <= 48; ++i) order[size_t(k++)] = i; // up to "SearchFooter.ColorTo"
    order[size_t(k++)] = 61;                              // "GridLineColor"
    order[size_t(k++)] = 62;                              // "GridFixedLineColor"
    for (int i = 49; i <= 60; ++i) order[size_t(k++)] = i;
    for (int i = 63; i < 69; ++i) order[size_t(k++)] = i;
    return order;
}();

// The value after the first "=" of the first line whose key matches without
// regard to case; empty when there is none.
QString AdvGridVisualValue(const QStringList& lines, const QString& key)
{
    for (const QString& line : lines) {
        const int eq = line.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? line : line.left(eq);
        if (name.compare(key, Qt::CaseInsensitive) == 0) return eq < 0 ? QString() : line.mid(eq + 1);
    }
    return QString();
}

} // namespace

void TAdvStringGrid::SaveVisualProps(const QString& FileName)
{
    QString text;
    for (const AdvGridVisualEntry& e : AdvGridVisualTable)
        text += QLatin1String(e.Key) + QLatin1Char('=') + e.Write(this) + QStringLiteral("\r\n");
    if (!WriteTextFile(FileName, text, TTextEncoding::Ansi)) throw Exception(AdvGridLayoutTexts::CannotCreate(FileName));
}

void TAdvStringGrid::LoadVisualProps(const QString& FileName)
{
    QStringList lines;
    try {
        if (!QFileInfo(FileName).isFile()) throw EFOpenError(FileName);
        lines = SplitLines(ReadTextFile(FileName, TReadKind::GridImport).Text);
    } catch (const std::exception&) {
        throw Exception(AdvGridLayoutTexts::CannotOpen(FileName));
    }
    // A bad integer or colour raises; the entries before it stay applied.
    for (int i : AdvGridVisualReadOrder) {
        const AdvGridVisualEntry& e = AdvGridVisualTable[size_t(i)];
        // The balloon's background is looked up in the reader's own spelling.
        const QString key = QLatin1String(e.Key) == QLatin1String("Balloon.BackgroundColor")
                                ? QStringLiteral("Balloon.BackGroundColor")
                                : QLatin1String(e.Key);
        e.Read(this, AdvGridVisualValue(lines, key));
    }
    Invalidate();
}
