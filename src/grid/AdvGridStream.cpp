// The binary grid stream: a rectangle of cells with their properties, cell
// objects and pictures, written as component records and read back all or
// nothing.
#include "AdvGrid.h"
#include "AdvGridFilesKit.h"
#include "AdvGridStreamReader.h"

#include "ComponentStream.h"
#include "Files.h"
#include "Persistence.h"

#include <QBuffer>
#include <QIODevice>
#include <QRandomGenerator>
#include <algorithm>
#include <memory>

// The reader knows the picture-carrying kinds by ordinal.
static_assert(GridStreamCellTypes::Bitmap == ctBitmap && GridStreamCellTypes::Icon == ctIcon &&
              GridStreamCellTypes::Radio == ctRadio && GridStreamCellTypes::Images == ctImages &&
              GridStreamCellTypes::Picture == ctPicture && GridStreamCellTypes::FilePicture == ctFilePicture &&
              GridStreamCellTypes::BitButton == ctBitButton);

namespace {

// The error texts of this unit.
const char* const kGridStreamBeyond = "Cells beyond column or row 65535 cannot be written to a grid stream";

const QString GridStreamPropPrefix = QStringLiteral("CellProperties.");
const QString GridStreamGraphicPrefix = QStringLiteral("CellGraphic.");

// Largest ordinal of the enumerations listed without names.
struct GridStreamEnumRange {
    const char* Name;
    int Max;
};
const GridStreamEnumRange GridStreamEnumRanges[] = {{"CellType", ctExpand}, {"Editor", edMaskEditBtn}};

bool GridStreamIsCheckType(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
           t == ctTriStateCheckBox;
}

int GridStreamEnumMax(const TPropertyInfo& info)
{
    if (info.Type == TPropertyType::ptSet) return info.EnumNames.isEmpty() ? 0xFFFF : (1 << info.EnumNames.size()) - 1;
    if (!info.EnumNames.isEmpty()) return int(info.EnumNames.size()) - 1;
    for (const GridStreamEnumRange& r : GridStreamEnumRanges)
        if (info.Name == QLatin1String(r.Name)) return r.Max;
    return 255;
}

// Published, stored properties under the prefix: integers, enumerations,
// sets and Booleans always, texts when not empty, floats when not 0.
void GridStreamAddPublished(TStreamRecord& rec, const TObject* obj, const TPropertyList& list, const QString& prefix)
{
    for (int i = 0; i < list.Count(); ++i) {
        const TPropertyInfo& info = list.Items(i);
        if (!info.Stored || info.Type == TPropertyType::ptObject) continue;
        const TPropertyValue v = info.Get(obj);
        const QString name = prefix + info.Name;
        if (const int* n = std::get_if<int>(&v)) rec.Add(name, *n);
        else if (const bool* b = std::get_if<bool>(&v)) rec.Add(name, *b);
        else if (const double* d = std::get_if<double>(&v)) {
            if (*d != 0) rec.Add(name, *d);
        } else if (const QString* s = std::get_if<QString>(&v)) {
            if (!s->isEmpty()) rec.Add(name, *s);
        }
    }
}

// Writes the record's properties under the prefix into obj; names outside
// the list and values of the wrong type or range raise the reader's errors.
void GridStreamApplyPublished(const TStreamRecord& rec, TObject* obj, const TPropertyList& list, const QString& prefix)
{
    for (const auto& [name, value] : rec.Properties) {
        if (!name.startsWith(prefix, Qt::CaseInsensitive)) continue;
        const TPropertyInfo* info = list.Find(name.mid(prefix.size()));
        if (!info || !info->Stored || info->ReadOnly() || info->Type == TPropertyType::ptObject)
            throw EComponentStreamError(StreamPropertyMissingText(rec.ClassName, name));
        const auto bad = [&] { throw EComponentStreamError(StreamPropertyValueText(rec.ClassName, name)); };
        TPropertyValue v;
        switch (info->Type) {
        case TPropertyType::ptBoolean:
            if (!std::holds_alternative<bool>(value)) bad();
            v = std::get<bool>(value);
            break;
        case TPropertyType::ptDouble:
            if (const int* n = std::get_if<int>(&value)) v = double(*n);
            else if (const double* d = std::get_if<double>(&value)) v = *d;
            else bad();
            break;
        case TPropertyType::ptString:
            if (!std::holds_alternative<QString>(value)) bad();
            v = std::get<QString>(value);
            break;
        default: {
            if (!std::holds_alternative<int>(value)) bad();
            const int n = std::get<int>(value);
            if ((info->Type == TPropertyType::ptEnum || info->Type == TPropertyType::ptSet) &&
                (n < 0 || n > GridStreamEnumMax(*info)))
                bad();
            v = n;
        }
        }
        info->Set(obj, v);
    }
}

// The cell object's payload as its record.
TStreamRecord GridStreamPictureRecord(TCellGraphic* g)
{
    TStreamRecord rec;
    rec.ClassName = GridStreamPictureClass(g->CellType());
    const auto addBytes = [&](const char* name, const QByteArray& b) {
        if (!b.isEmpty()) rec.Add(QLatin1String(name), b);
    };
    switch (g->CellType()) {
    case ctBitmap:
    case ctBitButton:
        if (TBitmap* b = g->CellBitmap(); b && !b->Empty()) addBytes("Bitmap", b->SaveToBytes());
        break;
    case ctIcon:
        if (TIcon* i = g->CellIcon(); i && !i->Empty()) addBytes("Icon", i->SaveToBytes());
        break;
    case ctPicture:
        if (TPicture* p = g->CellPicture(); p && p->Graphic() && !p->Graphic()->Empty())
            addBytes("Picture", p->Graphic()->SaveToBytes());
        break;
    case ctFilePicture:
        if (TFilePicture* f = g->CellFilePicture()) {
            if (!f->Filename().isEmpty()) rec.Add(QStringLiteral("Picture.Filename"), f->Filename());
            rec.Add(QStringLiteral("Picture.Width"), f->Width());
            rec.Add(QStringLiteral("Picture.Height"), f->Height());
        }
        break;
    case ctRadio:
        rec.Add(QStringLiteral("Strings"), g->CellStrings() ? g->CellStrings()->ToStringList() : QStringList());
        break;
    case ctImages: {
        // The index list as comma text, one item each.
        const QString text = g->CellIntList() ? g->CellIntList()->StrValue() : QString();
        rec.Add(QStringLiteral("Strings"), text.isEmpty() ? QStringList() : text.split(u','));
        break;
    }
    default: break;
    }
    return rec;
}

// A read cell, checked and decoded, ready to be applied.
struct GridStreamPrepared {
    TCellPayloadKind Kind = pkNone;
    std::unique_ptr<TObject> Payload;
};

template <class T>
std::unique_ptr<T> GridStreamDecode(const TStreamRecord& rec, const char* name)
{
    auto obj = std::make_unique<T>();
    const QByteArray bytes = GridStreamValue<QByteArray>(rec, QLatin1String(name), QByteArray());
    if (bytes.isEmpty()) return obj;
    try {
        obj->LoadFromBytes(bytes);
    } catch (const Exception&) {
        throw EComponentStreamError(StreamPropertyValueText(rec.ClassName, QLatin1String(name)));
    }
    return obj;
}

// Checks the cell's records against the real classes (on scratch objects)
// and decodes its picture; raises the reader's errors.
GridStreamPrepared GridStreamPrepare(const TGridStreamCell& cell, int c, int r)
{
    GridStreamPrepared out;
    if (cell.HasProp) {
        // No owner: the check repaints nothing.
        TCellProperties scratch(nullptr, -1, -1);
        GridStreamApplyPublished(cell.Props, &scratch, TCellProperties::Properties(), GridStreamPropPrefix);
    }
    if (!cell.HasGraphic) return out;
    TCellGraphic g;
    GridStreamApplyPublished(cell.Graphic, &g, TCellGraphic::Properties(), GridStreamGraphicPrefix);
    const TStreamRecord& pic = cell.Picture;
    for (const auto& [name, value] : pic.Properties) {
        static const char* const known[] = {"Bitmap", "Icon", "Picture", "Strings", "Picture.Filename",
                                            "Picture.Width", "Picture.Height"};
        bool ok = false;
        for (const char* k : known) ok = ok || name == QLatin1String(k);
        if (!ok) throw EComponentStreamError(StreamPropertyMissingText(pic.ClassName, name));
        (void)value;
    }
    switch (g.CellType()) {
    case ctBitmap:
    case ctBitButton:
        out.Kind = pkBitmap;
        out.Payload = GridStreamDecode<TBitmap>(pic, "Bitmap");
        break;
    case ctIcon:
        out.Kind = pkIcon;
        out.Payload = GridStreamDecode<TIcon>(pic, "Icon");
        break;
    case ctPicture: out.Kind = pkPicture; out.Payload = GridStreamDecode<TPicture>(pic, "Picture"); break;
    case ctFilePicture: {
        // Name and size as stored: a stream never makes the grid read a file.
        auto f = std::make_unique<TFilePicture>();
        f->SetStoredFile(GridStreamValue<QString>(pic, QStringLiteral("Picture.Filename"), QString()),
                         GridStreamValue<int>(pic, QStringLiteral("Picture.Width"), 0),
                         GridStreamValue<int>(pic, QStringLiteral("Picture.Height"), 0));
        out.Kind = pkFilePicture;
        out.Payload = std::move(f);
        break;
    }
    case ctRadio: {
        auto sl = std::make_unique<TStringList>();
        for (const QString& s : GridStreamValue<QStringList>(pic, QStringLiteral("Strings"), QStringList())) sl->Add(s);
        out.Kind = pkStrings;
        out.Payload = std::move(sl);
        break;
    }
    case ctImages: {
        auto il = std::make_unique<TIntList>(c, r);
        const QStringList items = GridStreamValue<QStringList>(pic, QStringLiteral("Strings"), QStringList());
        for (const QString& s : items) {
            bool ok = false;
            il->Add(s.trimmed().toInt(&ok));
            if (!ok) throw EComponentStreamError(StreamPropertyValueText(pic.ClassName, QStringLiteral("Strings")));
        }
        out.Kind = pkIntList;
        out.Payload = std::move(il);
        break;
    }
    default: break;
    }
    return out;
}

// Merge data that would point outside the grid (a block pasted near its
// edge, or a stream that lies) is cut back to the grid or dropped.
void GridStreamKeepMergeInside(TCellProperties* p, int c, int r, int cols, int rows)
{
    const int sx = p->CellSpanX(), sy = p->CellSpanY();
    if (!p->IsBaseCell()) {
        if (sx == -1 || sy == -1) return;
        if (sx < 0 || sy < 0 || sx > c || sy > r) {
            p->SetIsBaseCell(true);
            p->SetCellSpanX(-1);
            p->SetCellSpanY(-1);
        }
        return;
    }
    p->SetCellSpanX(std::clamp(sx, -1, cols - 1 - c));
    p->SetCellSpanY(std::clamp(sy, -1, rows - 1 - r));
}

}  // namespace

int TAdvStringGrid::StreamID()
{
    while (FStreamID == 0) FStreamID = int(QRandomGenerator::global()->generate());
    return FStreamID;
}

QByteArray TAdvStringGrid::BinStreamOfRect(const TGridRect& Rect)
{
    if (Rect.Left < 0 || Rect.Top < 0 || Rect.Right > GridStreamMaxPosition ||
        Rect.Bottom > GridStreamMaxPosition)
        throw EAdvGridError(QString::fromLatin1(kGridStreamBeyond));
    TGridStreamHeader h;
    h.ColCount = std::max(0, Rect.Right - Rect.Left + 1);
    h.RowCount = std::max(0, Rect.Bottom - Rect.Top + 1);
    for (int c = Rect.Left; c <= Rect.Right; ++c) h.ColWidths << ColWidths(c);
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) h.RowHeights << RowHeights(r);
    h.FullGrid = SaveFixedCells() ? (h.ColCount == ColCount() && h.RowCount == RowCount())
                                  : (h.ColCount == ColCount() - FixedCols() && h.RowCount == RowCount() - FixedRows());
    h.ID = StreamID();
    QByteArray out;
    WriteStreamRecord(out, GridStreamHeaderRecord(h));
    ExportNotification(esExportStart, Rect.Top);
    TFileProgress progress(this);
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = Rect.Left; c <= Rect.Right; ++c) {
            // Positions are the shown ones; the cells those of the shown columns.
            const int rc = c < ColCount() ? RealColIndex(c) : c;
            const bool hasProp = HasCellProperties(rc, r) && c < ColCount() && r < RowCount();
            WriteStreamRecord(out, GridStreamCellRecord(c, r, Cells(rc, r), hasProp));
            if (!hasProp) continue;
            TCellGraphic* g = GetCellGraphic(rc, r);
            bool hasGraphic = g && g->CellType() != ctEmpty;
            if (hasGraphic && !GridStreamPictureClass(g->CellType()).isEmpty()) hasGraphic = g->CellCreated();
            TStreamRecord prop;
            prop.ClassName = QStringLiteral("TGridCellPropIO");
            GridStreamAddPublished(prop, CellProperties(rc, r), TCellProperties::Properties(), GridStreamPropPrefix);
            prop.Add(QStringLiteral("HasGraphic"), hasGraphic);
            WriteStreamRecord(out, prop);
            if (!hasGraphic) continue;
            // The record's copy: no cell text, and the greyed state of a
            // check box travels as angle 1.
            TCellGraphic copy;
            copy.Assign(g);
            copy.SetCellText(QString());
            if (GridStreamIsCheckType(g->CellType())) copy.SetCellAngle(g->Greyed() ? 1 : 0);
            TStreamRecord graphic;
            graphic.ClassName = QStringLiteral("TGridGraphicIO");
            GridStreamAddPublished(graphic, &copy, TCellGraphic::Properties(), GridStreamGraphicPrefix);
            WriteStreamRecord(out, graphic);
            if (!GridStreamPictureClass(g->CellType()).isEmpty()) WriteStreamRecord(out, GridStreamPictureRecord(g));
        }
        progress.Report(r, std::max(1, Rect.Bottom - Rect.Top));
    }
    ExportNotification(esExportDone, -1);
    return out;
}

void TAdvStringGrid::SaveRectToBinStream(const TGridRect& Rect, QIODevice* Stream)
{
    const QByteArray bytes = BinStreamOfRect(Rect);
    if (Stream->write(bytes) != bytes.size()) throw EStreamError(QStringLiteral("Stream write error"));
}

void TAdvStringGrid::SaveToBinStream(QIODevice* Stream)
{
    SaveRectToBinStream(TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, Stream);
}

void TAdvStringGrid::SaveToBinFile(const QString& FileName)
{
    const QByteArray bytes = BinStreamOfRect(TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()});
    const TWriteResult w = SafeWriteFile(FileName, bytes);
    if (!w) RaiseGridWriteError(FileName, w.Error);
}

void TAdvStringGrid::LoadAtPointFromBinStream(TPoint Point, QIODevice* Stream)
{
    const qint64 start = Stream->pos();
    const QByteArray data = Stream->readAll();
    std::vector<GridStreamPrepared> prepared;
    TGridStreamImage img;
    // Everything is read and checked before the grid changes.
    try {
        img = ReadGridStreamImage(data);
        int x0 = 0, y0 = 0;
        if (!img.Header.FullGrid && !img.Cells.empty()) {
            x0 = img.Cells.front().Col;
            y0 = img.Cells.front().Row;
        }
        prepared.reserve(img.Cells.size());
        for (const TGridStreamCell& cell : img.Cells)
            prepared.push_back(GridStreamPrepare(cell, cell.Col + Point.X - x0, cell.Row + Point.Y - y0));
    } catch (...) {
        Stream->seek(start);
        throw;
    }
    const TGridStreamHeader& h = img.Header;
    if (h.FullGrid) {
        Clear();
        SetRowCount(h.RowCount);
        SetColCount(h.ColCount);
        for (int c = 0; c < h.ColCount; ++c) SetColWidths(c, h.ColWidths[c]);
        for (int r = 0; r < h.RowCount; ++r) SetRowHeights(r, h.RowHeights[r]);
    }
    int x0 = 0, y0 = 0;
    if (!h.FullGrid && !img.Cells.empty()) {
        x0 = img.Cells.front().Col;
        y0 = img.Cells.front().Row;
    }
    TFileProgress progress(this);
    int lastRow = -1;
    for (size_t i = 0; i < img.Cells.size(); ++i) {
        const TGridStreamCell& cell = img.Cells[i];
        const int c = cell.Col + Point.X - x0;
        const int r = cell.Row + Point.Y - y0;
        // Nothing is written outside the grid, where hidden columns live.
        if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) continue;
        // Shown positions: a hidden column keeps its cells.
        const int rc = RealColIndex(c);
        SetCells(rc, r, cell.Cell);
        if (r != lastRow) {
            lastRow = r;
            progress.Report(r, std::max(1, RowCount()));
        }
        if (!cell.HasProp) continue;
        TCellProperties* p = GetCellProperties(rc, r);
        GridStreamApplyPublished(cell.Props, p, TCellProperties::Properties(), GridStreamPropPrefix);
        p->SetOwnerCol(rc);
        p->SetOwnerRow(r);
        GridStreamKeepMergeInside(p, c, r, ColCount(), RowCount());
        if (!cell.HasGraphic) continue;
        TCellGraphic* g = CreateCellGraphic(rc, r);
        GridStreamApplyPublished(cell.Graphic, g, TCellGraphic::Properties(), GridStreamGraphicPrefix);
        g->SetCellText(QString());
        if (GridStreamIsCheckType(g->CellType())) {
            g->SetGreyed(g->CellAngle() == 1);
            g->SetCellAngle(0);
        }
        if (prepared[i].Payload) g->SetPayload(prepared[i].Kind, prepared[i].Payload.release(), true);
    }
    Invalidate();
}

void TAdvStringGrid::LoadFromBinStream(QIODevice* Stream)
{
    LoadAtPointFromBinStream(TPoint(0, 0), Stream);
    int nodes = 0;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (TCellGraphic* g = GetCellGraphic(0, r); g && g->CellType() == ctNode) ++nodes;
    FNumNodes = nodes;
    if (nodes > 0) Invalidate();
}

void TAdvStringGrid::LoadFromBinFile(const QString& FileName)
{
    QByteArray bytes = ReadFileBytes(FileName, TReadKind::GridImport);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    LoadFromBinStream(&buffer);
}
