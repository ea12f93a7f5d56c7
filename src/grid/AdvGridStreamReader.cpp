#include "AdvGridStreamReader.h"

#include <QStringList>

namespace {

enum GridStreamKind { gskInt, gskBool, gskText, gskBytes, gskList };

struct GridStreamField {
    const char* Name;
    GridStreamKind Kind;
};

// The fixed-layout records and their properties in stream order.
const GridStreamField GridStreamHeaderFields[] = {{"ColCount", gskInt},  {"RowCount", gskInt}, {"ColWidths", gskText},
                                                  {"RowHeights", gskText}, {"FullGrid", gskBool}, {"ID", gskInt},
                                                  {"Version", gskInt}};
const GridStreamField GridStreamCellFields[] = {{"Col", gskInt}, {"Row", gskInt}, {"Cell", gskText}, {"HasProp", gskBool}};

struct GridStreamPictureKind {
    int CellType;
    const char* ClassName;
};
const GridStreamPictureKind GridStreamPictureKinds[] = {
    {GridStreamCellTypes::Bitmap, "TGridBMPIO"},   {GridStreamCellTypes::BitButton, "TGridBMPIO"},
    {GridStreamCellTypes::Icon, "TGridIconIO"},    {GridStreamCellTypes::Radio, "TGridSLIO"},
    {GridStreamCellTypes::Images, "TGridSLIO"},    {GridStreamCellTypes::Picture, "TGridPicIO"},
    {GridStreamCellTypes::FilePicture, "TGridFilePicIO"}};

[[noreturn]] void GridStreamInvalid() { throw EComponentStreamError(StreamFormatErrorText()); }

bool GridStreamKindMatches(const TStreamValue& v, GridStreamKind k)
{
    switch (k) {
    case gskInt: return std::holds_alternative<int>(v);
    case gskBool: return std::holds_alternative<bool>(v);
    case gskText: return std::holds_alternative<QString>(v);
    case gskBytes: return std::holds_alternative<QByteArray>(v);
    case gskList: return std::holds_alternative<QStringList>(v);
    }
    return false;
}

template <size_t N>
void GridStreamCheckFields(const TStreamRecord& rec, const char* cls, const GridStreamField (&fields)[N])
{
    if (rec.ClassName != QLatin1String(cls)) GridStreamInvalid();
    for (const auto& [name, value] : rec.Properties) {
        const GridStreamField* f = nullptr;
        for (const GridStreamField& g : fields)
            if (name.compare(QLatin1String(g.Name), Qt::CaseInsensitive) == 0) f = &g;
        if (!f) throw EComponentStreamError(StreamPropertyMissingText(rec.ClassName, name));
        if (!GridStreamKindMatches(value, f->Kind))
            throw EComponentStreamError(StreamPropertyValueText(rec.ClassName, name));
    }
}

// Names under a dotted prefix (the nested object) plus the listed plain ones.
void GridStreamCheckNested(const TStreamRecord& rec, const char* cls, const QString& prefix, const char* plain)
{
    if (rec.ClassName != QLatin1String(cls)) GridStreamInvalid();
    for (const auto& [name, value] : rec.Properties) {
        if (plain && name.compare(QLatin1String(plain), Qt::CaseInsensitive) == 0) {
            if (!std::holds_alternative<bool>(value)) throw EComponentStreamError(StreamPropertyValueText(rec.ClassName, name));
            continue;
        }
        if (!name.startsWith(prefix, Qt::CaseInsensitive) || name.size() == prefix.size())
            throw EComponentStreamError(StreamPropertyMissingText(rec.ClassName, name));
    }
}

// Strict "a,b,c" of exactly Count integers within 0..MaxSize.
QList<int> GridStreamSizes(const TStreamRecord& rec, const QString& name, int count)
{
    const QString text = GridStreamValue<QString>(rec, name, QString());
    const QStringList items = text.isEmpty() ? QStringList() : text.split(u',');
    if (items.size() < count) throw EComponentStreamError(StreamPropertyValueText(rec.ClassName, name));
    QList<int> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        const int v = items[i].toInt(&ok);
        if (!ok || v < 0 || v > GridImportLimits::MaxExtent)
            throw EComponentStreamError(StreamPropertyValueText(rec.ClassName, name));
        out << v;
    }
    return out;
}

TGridStreamHeader GridStreamReadHeader(const TStreamRecord& rec)
{
    GridStreamCheckFields(rec, "TGridPropIO", GridStreamHeaderFields);
    TGridStreamHeader h;
    h.ColCount = GridStreamValue<int>(rec, QStringLiteral("ColCount"), 0);
    h.RowCount = GridStreamValue<int>(rec, QStringLiteral("RowCount"), 0);
    h.FullGrid = GridStreamValue<bool>(rec, QStringLiteral("FullGrid"), false);
    h.ID = GridStreamValue<int>(rec, QStringLiteral("ID"), 0);
    h.Version = GridStreamValue<int>(rec, QStringLiteral("Version"), GridStreamVersion);
    if (h.Version < 1 || h.Version > GridStreamVersion) GridStreamInvalid();
    if (h.ColCount < 0 || h.RowCount < 0 || h.ColCount > GridImportLimits::MaxCols ||
        h.RowCount > GridImportLimits::MaxRows)
        GridStreamInvalid();
    // A whole grid sizes the target from these: they must read completely.
    if (h.FullGrid) {
        if (h.ColCount < 1 || h.RowCount < 1) GridStreamInvalid();
        h.ColWidths = GridStreamSizes(rec, QStringLiteral("ColWidths"), h.ColCount);
        h.RowHeights = GridStreamSizes(rec, QStringLiteral("RowHeights"), h.RowCount);
    }
    return h;
}

}  // namespace

QString GridStreamPictureClass(int CellType)
{
    for (const GridStreamPictureKind& p : GridStreamPictureKinds)
        if (p.CellType == CellType) return QLatin1String(p.ClassName);
    return QString();
}

TGridStreamImage ReadGridStreamImage(const QByteArray& Data, qsizetype Pos)
{
    TGridStreamImage img;
    img.Header = GridStreamReadHeader(ReadStreamRecord(Data, Pos));
    while (Data.size() - Pos >= 2) {
        TGridStreamCell cell;
        const TStreamRecord rec = ReadStreamRecord(Data, Pos);
        GridStreamCheckFields(rec, "TGridCellIO", GridStreamCellFields);
        cell.Col = GridStreamValue<int>(rec, QStringLiteral("Col"), 0);
        cell.Row = GridStreamValue<int>(rec, QStringLiteral("Row"), 0);
        if (cell.Col < 0 || cell.Row < 0 || cell.Col > GridStreamMaxPosition ||
            cell.Row > GridStreamMaxPosition)
            throw EComponentStreamError(StreamPropertyValueText(rec.ClassName, QStringLiteral("Col")));
        cell.Cell = GridStreamValue<QString>(rec, QStringLiteral("Cell"), QString());
        cell.HasProp = GridStreamValue<bool>(rec, QStringLiteral("HasProp"), false);
        if (cell.HasProp) {
            cell.Props = ReadStreamRecord(Data, Pos);
            GridStreamCheckNested(cell.Props, "TGridCellPropIO", QStringLiteral("CellProperties."), "HasGraphic");
            cell.HasGraphic = GridStreamValue<bool>(cell.Props, QStringLiteral("HasGraphic"), false);
        }
        if (cell.HasGraphic) {
            cell.Graphic = ReadStreamRecord(Data, Pos);
            GridStreamCheckNested(cell.Graphic, "TGridGraphicIO", QStringLiteral("CellGraphic."), nullptr);
            const QString pic =
                GridStreamPictureClass(GridStreamValue<int>(cell.Graphic, QStringLiteral("CellGraphic.CellType"), -1));
            if (!pic.isEmpty()) {
                cell.Picture = ReadStreamRecord(Data, Pos);
                if (cell.Picture.ClassName != pic) GridStreamInvalid();
            }
        }
        img.Cells.push_back(std::move(cell));
    }
    // The writer writes every cell of the rectangle: a header that claims
    // more (or fewer) would make a paste grow or insert for cells that are
    // not there.
    if (qint64(img.Header.ColCount) * img.Header.RowCount != qint64(img.Cells.size())) GridStreamInvalid();
    return img;
}

TStreamRecord GridStreamHeaderRecord(const TGridStreamHeader& Header)
{
    auto join = [](const QList<int>& l) {
        QStringList s;
        for (int v : l) s << QString::number(v);
        return s.join(u',');
    };
    TStreamRecord rec;
    rec.ClassName = QStringLiteral("TGridPropIO");
    rec.Add(QStringLiteral("ColCount"), Header.ColCount);
    rec.Add(QStringLiteral("RowCount"), Header.RowCount);
    // Strings only when not empty.
    if (!Header.ColWidths.isEmpty()) rec.Add(QStringLiteral("ColWidths"), join(Header.ColWidths));
    if (!Header.RowHeights.isEmpty()) rec.Add(QStringLiteral("RowHeights"), join(Header.RowHeights));
    rec.Add(QStringLiteral("FullGrid"), Header.FullGrid);
    rec.Add(QStringLiteral("ID"), Header.ID);
    rec.Add(QStringLiteral("Version"), Header.Version);
    return rec;
}

TStreamRecord GridStreamCellRecord(int Col, int Row, const QString& Cell, bool HasProp)
{
    TStreamRecord rec;
    rec.ClassName = QStringLiteral("TGridCellIO");
    rec.Add(QStringLiteral("Col"), Col);
    rec.Add(QStringLiteral("Row"), Row);
    if (!Cell.isEmpty()) rec.Add(QStringLiteral("Cell"), Cell);
    rec.Add(QStringLiteral("HasProp"), HasProp);
    return rec;
}
