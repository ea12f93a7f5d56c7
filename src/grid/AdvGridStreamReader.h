#pragma once
// The binary grid stream read into plain records: the header, then every
// cell with its property, cell-object and picture records. Nothing from
// QtWidgets, so that the fuzz build compiles it alone. The whole input is
// read and checked before a grid sees any of it: a truncated or lying
// stream raises EComponentStreamError and the caller changes nothing.

#include "AdvGridReaders.h"
#include "ComponentStream.h"

#include <QList>
#include <vector>

// The stream's layout revision, written in the header; a stream of a later
// revision is refused.
constexpr int GridStreamVersion = 1;

// Cell positions travel as 16-bit values; counts and sizes keep the
// importers' limits (GridImportLimits).
constexpr int GridStreamMaxPosition = 65535;

// The cell-object kinds that carry a picture record (ordinals of TCellType).
namespace GridStreamCellTypes {
constexpr int Bitmap = 0, Icon = 1, Radio = 9, Images = 11, Picture = 12, FilePicture = 13, BitButton = 18;
}

struct TGridStreamHeader {
    int ColCount = 0;
    int RowCount = 0;
    QList<int> ColWidths;
    QList<int> RowHeights;
    bool FullGrid = false;
    int ID = 0;
    int Version = GridStreamVersion;
};

struct TGridStreamCell {
    int Col = 0;
    int Row = 0;
    QString Cell;
    bool HasProp = false;
    // Present when HasProp: the TGridCellPropIO record.
    TStreamRecord Props;
    bool HasGraphic = false;
    // Present when HasGraphic: the TGridGraphicIO record and the picture
    // record its type asks for (ClassName empty when none).
    TStreamRecord Graphic;
    TStreamRecord Picture;
};

struct TGridStreamImage {
    TGridStreamHeader Header;
    std::vector<TGridStreamCell> Cells;
};

// Reads the stream that starts at Pos up to the end of Data.
TGridStreamImage ReadGridStreamImage(const QByteArray& Data, qsizetype Pos = 0);

// The header record and the cell record as the writer fills them.
TStreamRecord GridStreamHeaderRecord(const TGridStreamHeader& Header);
TStreamRecord GridStreamCellRecord(int Col, int Row, const QString& Cell, bool HasProp);

// The class of the picture record that follows a cell object of that type,
// empty for none.
QString GridStreamPictureClass(int CellType);

// The record's property of that name as the type T; raises the reader's
// value error for another type.
template <class T>
T GridStreamValue(const TStreamRecord& Rec, const QString& Name, T Default)
{
    const TStreamValue* v = Rec.Find(Name);
    if (!v) return Default;
    if (const T* t = std::get_if<T>(v)) return *t;
    throw EComponentStreamError(StreamPropertyValueText(Rec.ClassName, Name));
}
