// The column grid's persistence: the column items as a stream, and the
// order of the columns in an INI file.

#include "AdvCGrid.h"

#include "IniFiles.h"
#include "Menus.h"

#include <QDataStream>
#include <QIODevice>
#include <vector>

namespace {

// Error texts of the unit.
const char* const SColumnStreamDamaged = "The column stream is damaged or of an unknown kind";

constexpr quint32 ColumnStreamMagic = 0x41434743;  // "ACGC"
constexpr quint16 ColumnStreamVersion = 1;

// How an object property travels.
enum class TObjKind : quint8 { None = 0, Strings = 1, Font = 2, Pen = 3 };

[[noreturn]] void Damaged()
{
    throw EStreamError(QString::fromLatin1(SColumnStreamDamaged));
}

void CheckStream(const QDataStream& ds)
{
    if (ds.status() != QDataStream::Ok) Damaged();
}

void WriteObject(QDataStream& ds, TObject* o)
{
    if (auto* s = dynamic_cast<TStrings*>(o)) {
        ds << quint8(TObjKind::Strings) << qint32(s->Count());
        for (int i = 0; i < s->Count(); ++i) ds << s->Strings(i);
    } else if (auto* f = dynamic_cast<TFont*>(o)) {
        ds << quint8(TObjKind::Font) << f->Name() << qint32(f->Height()) << quint64(f->Style().Bits())
           << qint32(f->Color()) << qint32(f->Orientation()) << qint32(f->Pitch()) << qint32(f->Charset());
    } else if (auto* p = dynamic_cast<TPen*>(o)) {
        ds << quint8(TObjKind::Pen) << qint32(p->Color()) << qint32(p->Width()) << qint32(p->Style())
           << qint32(p->Mode());
    } else {
        // References to other components are the form's to restore.
        ds << quint8(TObjKind::None);
    }
}

// Reads an object property into the item's own object (o may be nil for a
// property the item does not know: the value is read and dropped).
void ReadObject(QDataStream& ds, TObject* o)
{
    quint8 kind = 0;
    ds >> kind;
    CheckStream(ds);
    switch (TObjKind(kind)) {
    case TObjKind::None:
        return;
    case TObjKind::Strings: {
        qint32 n = 0;
        ds >> n;
        CheckStream(ds);
        if (n < 0) Damaged();
        QStringList texts;
        for (qint32 i = 0; i < n; ++i) {
            QString t;
            ds >> t;
            CheckStream(ds);
            texts << t;
        }
        if (auto* s = dynamic_cast<TStrings*>(o)) {
            s->BeginUpdate();
            s->Clear();
            for (const QString& t : texts) s->Add(t);
            s->EndUpdate();
        }
        return;
    }
    case TObjKind::Font: {
        QString name;
        qint32 height = 0, color = 0, orient = 0, pitch = 0, charset = 0;
        quint64 style = 0;
        ds >> name >> height >> style >> color >> orient >> pitch >> charset;
        CheckStream(ds);
        if (auto* f = dynamic_cast<TFont*>(o)) {
            f->SetName(name);
            f->SetHeight(height);
            f->SetStyle(TFontStyles::FromBits(style));
            f->SetColor(TColor(color));
            f->SetOrientation(orient);
            f->SetPitch(TFontPitch(std::clamp<int>(pitch, fpDefault, fpFixed)));
            f->SetCharset(charset);
        }
        return;
    }
    case TObjKind::Pen: {
        qint32 color = 0, width = 0, style = 0, mode = 0;
        ds >> color >> width >> style >> mode;
        CheckStream(ds);
        if (auto* p = dynamic_cast<TPen*>(o)) {
            p->SetColor(TColor(color));
            p->SetWidth(width);
            p->SetStyle(TPenStyle(std::clamp<int>(style, psSolid, psInsideFrame)));
            p->SetMode(TPenMode(std::clamp<int>(mode, pmBlack, pmNotXor)));
        }
        return;
    }
    }
    Damaged();
}

void WriteItem(QDataStream& ds, const TGridColumnItem* item)
{
    const TPropertyList& list = TGridColumnItem::Properties();
    ds << qint32(list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        const TPropertyInfo& p = list.Items(i);
        const TPropertyValue v = p.Get(item);
        ds << p.Name << quint8(p.Type);
        switch (p.Type) {
        case TPropertyType::ptBoolean:
            ds << std::get<bool>(v);
            break;
        case TPropertyType::ptDouble:
            ds << std::get<double>(v);
            break;
        case TPropertyType::ptString:
            ds << std::get<QString>(v);
            break;
        case TPropertyType::ptObject:
            WriteObject(ds, std::get<TObject*>(v));
            break;
        default:
            ds << qint32(std::get<int>(v));
            break;
        }
    }
}

void ReadItem(QDataStream& ds, TGridColumnItem* item)
{
    const TPropertyList& list = TGridColumnItem::Properties();
    qint32 n = 0;
    ds >> n;
    CheckStream(ds);
    if (n < 0) Damaged();
    for (qint32 i = 0; i < n; ++i) {
        QString name;
        quint8 type = 0;
        ds >> name >> type;
        CheckStream(ds);
        const TPropertyInfo* p = list.Find(name);
        if (p && quint8(p->Type) != type) Damaged();
        TPropertyValue v;
        switch (TPropertyType(type)) {
        case TPropertyType::ptBoolean: {
            bool b = false;
            ds >> b;
            v = b;
            break;
        }
        case TPropertyType::ptDouble: {
            double d = 0;
            ds >> d;
            v = d;
            break;
        }
        case TPropertyType::ptString: {
            QString s;
            ds >> s;
            v = s;
            break;
        }
        case TPropertyType::ptObject:
            ReadObject(ds, p ? std::get<TObject*>(p->Get(item)) : nullptr);
            continue;
        case TPropertyType::ptInteger:
        case TPropertyType::ptColor:
        case TPropertyType::ptEnum:
        case TPropertyType::ptSet: {
            qint32 k = 0;
            ds >> k;
            v = int(k);
            break;
        }
        default:
            Damaged();
        }
        CheckStream(ds);
        if (p && p->Set) p->Set(item, v);
    }
}

}  // namespace

// ---- the item's published properties, in stream order -------------------------------

const TPropertyList& TGridColumnItem::Properties()
{
    using C = TGridColumnItem;
    static const QStringList align = {"taLeftJustify", "taRightJustify", "taCenter"};
    static const QStringList borders = {"cbTop", "cbLeft", "cbRight", "cbBottom"};
    auto bordersGet = [](const C& c) { return int(c.Borders().Bits()); };
    auto bordersSet = [](C& c, int v) { c.SetBorders(TCellBorders::FromBits(quint64(unsigned(v)))); };
    auto printBordersGet = [](const C& c) { return int(c.PrintBorders().Bits()); };
    auto printBordersSet = [](C& c, int v) { c.SetPrintBorders(TCellBorders::FromBits(quint64(unsigned(v)))); };
    static const TPropertyList list =
        TPropertyList()
            .Integer<C>("AutoMinSize", &C::AutoMinSize, &C::SetAutoMinSize)
            .Integer<C>("AutoMaxSize", &C::AutoMaxSize, &C::SetAutoMaxSize)
            .Enum<C, TAlignment>("Alignment", &C::Alignment, &C::SetAlignment, align)
            .Set<C, int>("Borders", bordersGet, bordersSet, borders)
            .Object<C, TPen>("BorderPen", &C::BorderPen, &C::SetBorderPen)
            .String<C>("CheckFalse", &C::CheckFalse, &C::SetCheckFalse)
            .String<C>("CheckTrue", &C::CheckTrue, &C::SetCheckTrue)
            .Color<C>("Color", &C::Color, &C::SetColor)
            .Object<C, TPopupMenu>("ColumnPopup", &C::ColumnPopup, &C::SetColumnPopup)
            .Enum<C, TColumnPopupType>("ColumnPopupType", &C::ColumnPopupType, &C::SetColumnPopupType,
                                       {"cpFixedCellsRClick", "cpFixedCellsLClick", "cpNormalCellsRClick",
                                        "cpNormalCellsLClick", "cpAllCellsRClick", "cpAllCellsLClick"})
            .Object<C, TStrings>("ComboItems", &C::ComboItems, &C::SetComboItems)
            .Integer<C>("DropDownCount", &C::DropDownCount, &C::SetDropDownCount)
            .Integer<C>("EditLength", &C::EditLength, &C::SetEditLength)
            .Object<C, TComponent>("EditLink", &C::EditLink, &C::SetEditLink)
            .String<C>("EditMask", &C::EditMask, &C::SetEditMask)
            .Enum<C, TEditorType>("Editor", &C::Editor, &C::SetEditor)
            .Object<C, TStrings>("Filter", &C::Filter, &C::SetFilter)
            .Boolean<C>("FilterCaseSensitive", &C::FilterCaseSensitive, &C::SetFilterCaseSensitive)
            .Boolean<C>("Fixed", &C::Fixed, &C::SetFixed)
            .String<C>("FloatFormat", &C::FloatFormat, &C::SetFloatFormat)
            .Object<C, TFont>("Font", &C::Font, &C::SetFont)
            .String<C>("Header", &C::Header, &C::SetHeader)
            .Enum<C, TAlignment>("HeaderAlignment", &C::HeaderAlignment, &C::SetHeaderAlignment, align)
            .Object<C, TFont>("HeaderFont", &C::HeaderFont, &C::SetHeaderFont)
            .Integer<C>("MinSize", &C::MinSize, &C::SetMinSize)
            .Integer<C>("MaxSize", &C::MaxSize, &C::SetMaxSize)
            .String<C>("Name", &C::Name, &C::SetName)
            .Boolean<C>("Password", &C::Password, &C::SetPassword)
            .Boolean<C>("PrintBorderCustom", &C::PrintBorderCustom, &C::SetPrintBorderCustom)
            .Set<C, int>("PrintBorders", printBordersGet, printBordersSet, borders)
            .Object<C, TPen>("PrintBorderPen", &C::PrintBorderPen, &C::SetPrintBorderPen)
            .Color<C>("PrintColor", &C::PrintColor, &C::SetPrintColor)
            .Boolean<C>("PrintFontCustom", &C::PrintFontCustom, &C::SetPrintFontCustom)
            .Object<C, TFont>("PrintFont", &C::PrintFont, &C::SetPrintFont)
            .Boolean<C>("ReadOnly", &C::ReadOnly, &C::SetReadOnly)
            .Boolean<C>("ShowBands", &C::ShowBands, &C::SetShowBands)
            .Enum<C, TSortStyle>("SortStyle", &C::SortStyle, &C::SetSortStyle)
            .String<C>("SortPrefix", &C::SortPrefix, &C::SetSortPrefix)
            .String<C>("SortSuffix", &C::SortSuffix, &C::SetSortSuffix)
            .Integer<C>("SpinMax", &C::SpinMax, &C::SetSpinMax)
            .Integer<C>("SpinMin", &C::SpinMin, &C::SetSpinMin)
            .Integer<C>("SpinStep", &C::SpinStep, &C::SetSpinStep)
            .Integer<C>("Tag", &C::Tag, &C::SetTag)
            .Integer<C>("Width", &C::Width, &C::SetWidth);
    return list;
}

// ---- column stream ----------------------------------------------------------------------

void TAdvColumnGrid::SaveColumnsToStream(QIODevice* st)
{
    if (!st || !FColumnCollection) return;
    QDataStream ds(st);
    ds.setVersion(QDataStream::Qt_6_0);
    ds << ColumnStreamMagic << ColumnStreamVersion << qint32(FColumnCollection->Count());
    for (int i = 0; i < FColumnCollection->Count(); ++i) WriteItem(ds, FColumnCollection->Items(i));
    if (ds.status() != QDataStream::Ok) throw EStreamError(QString::fromLatin1(SColumnStreamDamaged));
}

void TAdvColumnGrid::LoadColumnsFromStream(QIODevice* st)
{
    if (!st || !FColumnCollection) return;
    QDataStream ds(st);
    ds.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint16 version = 0;
    qint32 count = 0;
    ds >> magic >> version >> count;
    CheckStream(ds);
    if (magic != ColumnStreamMagic || version != ColumnStreamVersion || count < 0) Damaged();
    // Everything is read into a holder first: a damaged stream changes
    // nothing.
    auto io = std::unique_ptr<TAdvColumnGridIO>(new TAdvColumnGridIO(this));
    TGridColumnCollection* items = io->Items();
    items->BeginUpdate();
    for (qint32 i = 0; i < count; ++i) ReadItem(ds, items->Add());
    items->EndUpdate();
    // The widths were written to this grid by the reading; the holder's
    // items keep them in their fields.
    std::vector<int> widths;
    for (int i = 0; i < items->Count(); ++i) widths.push_back(items->Items(i)->StoredWidth());
    Quietly([&] {
        FColumnCollection->Assign(items);
        for (int i = 0; i < FColumnCollection->Count() && i < items->Count(); ++i) {
            TGridColumnItem* dst = FColumnCollection->Items(i);
            const TGridColumnItem* src = items->Items(i);
            dst->SetWidth(widths[size_t(i)]);
            // Assign leaves these to the item; the stream carries them.
            dst->SetColumnPopupType(src->ColumnPopupType());
            dst->SetPrintBorderCustom(src->PrintBorderCustom());
            dst->SetPrintFontCustom(src->PrintFontCustom());
        }
        // A stream of another width still leaves one item per real column.
        SynchColumns();
    });
    UpdateColumnHeaders();
    Invalidate();
}

// ---- column positions -------------------------------------------------------------------------

namespace {

QString PositionKey(int i)
{
    return QStringLiteral("CP") + QString::number(i);
}

}  // namespace

void TAdvColumnGrid::SaveColumnPositions(const QString& Key, const QString& Section)
{
    if (!FColumnCollection) return;
    TMemIniFile ini(Key);
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        ini.WriteInteger(Section, PositionKey(i), FColumnCollection->Items(i)->DefIdx());
    ini.UpdateFile();
}

void TAdvColumnGrid::LoadColumnPositions(const QString& Key, const QString& Section)
{
    if (!FColumnCollection) return;
    const int n = FColumnCollection->Count();
    TMemIniFile ini(Key);
    // The file is used only when it names every position exactly once.
    std::vector<int> values(size_t(n), -1);
    std::vector<bool> seen(size_t(n), false);
    for (int j = 0; j < n; ++j) {
        const int v = ini.ReadInteger(Section, PositionKey(j), -1);
        if (v < 0 || v >= n || seen[size_t(v)]) return;
        seen[size_t(v)] = true;
        values[size_t(j)] = v;
    }
    ResetColumnOrder();
    for (int j = 0; j < n; ++j) FColumnCollection->Items(values[size_t(j)])->SetDefIdx(j);
    FColumnCollection->ResetOrganization();
    for (int i = 0; i < n; ++i) FColumnCollection->Items(i)->SetDefIdx(values[size_t(i)]);
}

void TAdvColumnGrid::SaveColPositions()
{
    if (ColumnSize()->Location() == clIniFile)
        SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
    else
        TAdvStringGrid::SaveColPositions();
}

void TAdvColumnGrid::LoadColPositions()
{
    if (ColumnSize()->Location() == clIniFile)
        LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
    else
        TAdvStringGrid::LoadColPositions();
}
