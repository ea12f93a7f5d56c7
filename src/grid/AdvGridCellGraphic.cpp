#include "AdvGridCellGraphic.h"

#include "AdvGrid.h"
#include "AdvGridSort.h"
#include "ImgList.h"

#include "SysFormat.h"

namespace {

const QStringList& CellGraphicHAlignNames()
{
    static const QStringList names{QStringLiteral("haLeft"),       QStringLiteral("haRight"),
                                   QStringLiteral("haCenter"),     QStringLiteral("haBeforeText"),
                                   QStringLiteral("haAfterText"),  QStringLiteral("haFull")};
    return names;
}

const QStringList& CellGraphicVAlignNames()
{
    static const QStringList names{QStringLiteral("vaTop"),       QStringLiteral("vaBottom"),
                                   QStringLiteral("vaCenter"),    QStringLiteral("vaUnderText"),
                                   QStringLiteral("vaAboveText"), QStringLiteral("vaFull")};
    return names;
}

} // namespace

// ---- TCellGraphic -----------------------------------------------------------------

TCellGraphic::~TCellGraphic()
{
    FreePayload();
    Free(FBalloonList);
    Free(FCheckGlyph);
}

void TCellGraphic::FreePayload()
{
    // Image lists and balloons always belong to their cell; the others when
    // the cell made them. Colours and interfaced objects are never freed.
    const bool owned = FCellCreated || FCellType == ctImages || FCellType == ctBalloon;
    TObject* p = FPayload;
    const TCellPayloadKind kind = FPayloadKind;
    FPayload = nullptr;
    FPayloadKind = pkNone;
    if (p && owned && kind != pkInterface && kind != pkColor) Free(p);
    FCellCreated = false;
}

void TCellGraphic::SetPayload(TCellPayloadKind Kind, TObject* Obj, bool Owned)
{
    if (Obj != FPayload) FreePayload();
    FPayload = Obj;
    FPayloadKind = Obj || Kind == pkColor ? Kind : pkNone;
    FCellCreated = Owned && Obj;
}

TObject* TCellGraphic::ReleasePayload()
{
    TObject* p = FPayload;
    FPayload = nullptr;
    FPayloadKind = pkNone;
    FCellCreated = false;
    return p;
}

TBitmap* TCellGraphic::CellBitmap() const { return FPayloadKind == pkBitmap ? static_cast<TBitmap*>(FPayload) : nullptr; }
TIcon* TCellGraphic::CellIcon() const { return FPayloadKind == pkIcon ? static_cast<TIcon*>(FPayload) : nullptr; }

TPicture* TCellGraphic::CellPicture() const
{
    return FPayloadKind == pkPicture ? static_cast<TPicture*>(FPayload) : nullptr;
}

TFilePicture* TCellGraphic::CellFilePicture() const
{
    return FPayloadKind == pkFilePicture ? static_cast<TFilePicture*>(FPayload) : nullptr;
}

TStrings* TCellGraphic::CellStrings() const
{
    return FPayloadKind == pkStrings ? static_cast<TStrings*>(FPayload) : nullptr;
}

TIntList* TCellGraphic::CellIntList() const
{
    return FPayloadKind == pkIntList ? static_cast<TIntList*>(FPayload) : nullptr;
}

TPersistent* TCellGraphic::CellInterface() const
{
    return FPayloadKind == pkInterface ? static_cast<TPersistent*>(FPayload) : nullptr;
}

void TCellGraphic::SetCellColors(TColor AColor, TColor AColorTo)
{
    SetPayload(pkColor, nullptr, false);
    FCellColor = AColor;
    FCellColorTo = AColorTo;
}

void TCellGraphic::SetBalloonList(TStrings* v)
{
    if (v == FBalloonList) return;
    Free(FBalloonList);
    FBalloonList = v;
}

void TCellGraphic::SetCheckGlyph(TBitmap* v)
{
    if (v == FCheckGlyph) return;
    Free(FCheckGlyph);
    FCheckGlyph = v;
}

void TCellGraphic::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TCellGraphic*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FCellType = s->FCellType;
    FCellVAlign = s->FCellVAlign;
    FCellHAlign = s->FCellHAlign;
    FCellIndex = s->FCellIndex;
    FCellTransparent = s->FCellTransparent;
    FCellValue = s->FCellValue;
    FCellAngle = s->FCellAngle;
    FCellBoolean = s->FCellBoolean;
    FCellErrFrom = s->FCellErrFrom;
    FCellErrLen = s->FCellErrLen;
    FCellText = s->FCellText;
}

const TPropertyList& TCellGraphic::Properties()
{
    using P = TCellGraphic;
    static const TPropertyList list =
        TPropertyList()
            .Enum<P, TCellType>(QStringLiteral("CellType"), &P::CellType, &P::SetCellType)
            .Enum<P, TCellVAlign>(QStringLiteral("CellVAlign"), &P::CellVAlign, &P::SetCellVAlign,
                                  CellGraphicVAlignNames())
            .Enum<P, TCellHAlign>(QStringLiteral("CellHAlign"), &P::CellHAlign, &P::SetCellHAlign,
                                  CellGraphicHAlignNames())
            .Integer<P>(QStringLiteral("CellIndex"), &P::CellIndex, &P::SetCellIndex)
            .Boolean<P>(QStringLiteral("CellTransparent"), &P::CellTransparent, &P::SetCellTransparent)
            .Boolean<P>(QStringLiteral("CellCreated"), &P::CellCreated, &P::SetCellCreated)
            .Boolean<P>(QStringLiteral("CellBoolean"), &P::CellBoolean, &P::SetCellBoolean)
            .Integer<P>(QStringLiteral("CellAngle"), &P::CellAngle, &P::SetCellAngle)
            .Double<P>(QStringLiteral("CellValue"), &P::CellValue, &P::SetCellValue)
            .Integer<P>(QStringLiteral("CellErrFrom"), &P::CellErrFrom, &P::SetCellErrFrom)
            .Integer<P>(QStringLiteral("CellErrLen"), &P::CellErrLen, &P::SetCellErrLen)
            .String<P>(QStringLiteral("CellText"), &P::CellText, &P::SetCellText)
            .Enum<P, TCheckBoxState>(QStringLiteral("CellCheckBoxState"), &P::CellCheckBoxState,
                                     &P::SetCellCheckBoxState,
                                     {QStringLiteral("cbUnchecked"), QStringLiteral("cbChecked"),
                                      QStringLiteral("cbGrayed")})
            .NotStored(QStringLiteral("CellCreated"));
    return list;
}

void TCellGraphic::SetKind(TCellType Type, TCellHAlign hal, TCellVAlign val)
{
    FCellType = Type;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    SetKind(ctBitmap, hal, val);
    SetPayload(pkBitmap, ABmp, false);
    FCellTransparent = Transparent;
}

void TCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    SetKind(ctIcon, hal, val);
    SetPayload(pkIcon, AIcon, false);
}

void TCellGraphic::SetPictureKind(TCellType Type, TCellPayloadKind Kind, TObject* APicture, bool Transparent,
                                  TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val)
{
    SetKind(Type, hal, val);
    SetPayload(Kind, APicture, false);
    FCellTransparent = Transparent;
    FCellAngle = int(StretchMode);
    FCellIndex = Padding;
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                              TCellHAlign hal, TCellVAlign val)
{
    SetPictureKind(ctPicture, pkPicture, APicture, Transparent, StretchMode, Padding, hal, val);
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                                  TCellHAlign hal, TCellVAlign val)
{
    SetPictureKind(ctFilePicture, pkFilePicture, APicture, Transparent, StretchMode, Padding, hal, val);
}

void TCellGraphic::SetImageIdx(int Idx, TCellHAlign hal, TCellVAlign val)
{
    SetKind(ctImageList, hal, val);
    FCellIndex = Idx;
}

void TCellGraphic::SetDataImage(int Idx, TCellHAlign hal, TCellVAlign val)
{
    SetKind(ctDataImage, hal, val);
    FCellIndex = Idx;
}

void TCellGraphic::SetMultiImage(int Col, int Row, int Dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent Notifier)
{
    SetKind(ctImages, hal, val);
    FCellBoolean = Dir == 0;
    auto* list = new TIntList(Col, Row);
    list->OnChange = std::move(Notifier);
    SetPayload(pkIntList, list, true);
}

void TCellGraphic::SetCheckKind(TCellType Type, bool Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    SetKind(Type, hal, val);
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    SetCheckKind(Data ? ctDataCheckBox : ctCheckBox, Value, Flat, hal, val);
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    SetCheckKind(ctTriStateCheckBox, false, Flat, hal, val);
    FCellCheckBoxState = Value;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    SetCheckKind(ctRadioButton, Value, Flat, hal, val);
}

void TCellGraphic::SetButton(int bw, int bh, const QString& Caption, TCellHAlign hal, TCellVAlign val)
{
    SetKind(ctButton, hal, val);
    FCellIndex = int(uint32_t(bh) * 65536u + (uint32_t(bw) & 0xFFFFu));
    FCellBoolean = false;
    FCellText = Caption;
}

void TCellGraphic::SetBitButton(int bw, int bh, const QString& Caption, TBitmap* Glyph, TCellHAlign hal,
                                TCellVAlign val)
{
    SetButton(bw, bh, Caption, hal, val);
    FCellType = ctBitButton;
    SetPayload(pkBitmap, Glyph, false);
}

void TCellGraphic::SetAngle(int AAngle)
{
    FCellType = ctRotated;
    while (AAngle < 0) AAngle += 360;
    while (AAngle > 360) AAngle -= 360;
    FCellAngle = AAngle;
}

void TCellGraphic::SetInterfacedCell(TPersistent* AObject)
{
    FCellType = ctInterface;
    SetPayload(pkInterface, AObject, false);
}

bool TCellGraphic::GetPictureSize(int cw, int rh, bool, int& W, int& H) const
{
    int w, h;
    if (FCellType == ctPicture && CellPicture()) {
        w = CellPicture()->Width();
        h = CellPicture()->Height();
    } else if (FCellType == ctFilePicture && CellFilePicture()) {
        w = CellFilePicture()->Width();
        h = CellFilePicture()->Height();
    } else {
        return false;
    }
    const int a = cw - FCellIndex, b = rh - FCellIndex;
    auto aspect = [&](bool cap) {
        double sx = w <= 0 ? 1.0 : double(a) / w;
        double sy = h <= 0 ? 1.0 : double(b) / h;
        if (cap) {
            sx = std::min(sx, 1.0);
            sy = std::min(sy, 1.0);
        }
        if (sx >= sy) {
            W = int(Round(w * sy));
            H = cap ? int(Round(h * sy)) : b;
        } else {
            W = cap ? int(Round(w * sx)) : a;
            H = int(Round(h * sx));
        }
    };
    switch (TStretchMode(FCellAngle)) {
    case Stretch:
        W = a;
        H = b;
        break;
    case StretchWithAspectRatio: aspect(false); break;
    case Shrink:
        if (w > a || h > b) {
            W = a;
            H = b;
        } else {
            W = w;
            H = h;
        }
        break;
    case ShrinkWithAspectRatio:
        if (w <= a && h <= b) {
            W = w;
            H = h;
        } else {
            aspect(true);
        }
        break;
    default:
        W = w;
        H = h;
        break;
    }
    return true;
}

// ---- TCellNode --------------------------------------------------------------------

TCellNode::TCellNode(TBaseGrid* AOwner)
    : FExpandGlyph(new TBitmap), FContractGlyph(new TBitmap), FOwner(AOwner)
{
}

TCellNode::~TCellNode()
{
    Free(FExpandGlyph);
    Free(FContractGlyph);
}

template <class T>
void TCellNode::StoreAndRepaint(T& f, T v)
{
    if (f == v) return;
    f = v;
    if (FOwner) FOwner->Invalidate();
}

void TCellNode::SetNodeType(TNodeType v) { StoreAndRepaint(FNodeType, v); }
void TCellNode::SetShowTree(bool v) { StoreAndRepaint(FShowTree, v); }
void TCellNode::SetShowTreeFull(bool v) { StoreAndRepaint(FShowTreeFull, v); }
void TCellNode::SetTreeColor(TColor v) { StoreAndRepaint(FTreeColor, v); }
void TCellNode::SetNodeIndent(int v) { StoreAndRepaint(FNodeIndent, v); }
void TCellNode::SetExpandGlyph(TBitmap* v) { FExpandGlyph->Assign(v); }
void TCellNode::SetContractGlyph(TBitmap* v) { FContractGlyph->Assign(v); }

void TCellNode::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TCellNode*>(Source);
    if (!s) return;
    FColor = s->FColor;
    FExpandOne = s->FExpandOne;
    FNodeType = s->FNodeType;
    FNodeColor = s->FNodeColor;
    FNodeIndent = s->FNodeIndent;
    FExpandGlyph->Assign(s->FExpandGlyph);
    FContractGlyph->Assign(s->FContractGlyph);
    FShowTree = s->FShowTree;
    FShowTreeFull = s->FShowTreeFull;
    FTreeColor = s->FTreeColor;
}

const TPropertyList& TCellNode::Properties()
{
    using P = TCellNode;
    static const TPropertyList list =
        TPropertyList()
            .Color<P>(QStringLiteral("Color"), &P::Color, &P::SetColor)
            .Enum<P, TNodeType>(QStringLiteral("NodeType"), &P::NodeType, &P::SetNodeType,
                                {QStringLiteral("cnFlat"), QStringLiteral("cn3D"), QStringLiteral("cnGlyph"),
                                 QStringLiteral("cnLeaf"), QStringLiteral("cnXP")})
            .Color<P>(QStringLiteral("NodeColor"), &P::NodeColor, &P::SetNodeColor)
            .Object<P, TBitmap>(QStringLiteral("ExpandGlyph"), &P::ExpandGlyph, &P::SetExpandGlyph)
            .Boolean<P>(QStringLiteral("ExpandOne"), &P::ExpandOne, &P::SetExpandOne)
            .Object<P, TBitmap>(QStringLiteral("ContractGlyph"), &P::ContractGlyph, &P::SetContractGlyph)
            .Boolean<P>(QStringLiteral("ShowTree"), &P::ShowTree, &P::SetShowTree)
            .Boolean<P>(QStringLiteral("ShowTreeFull"), &P::ShowTreeFull, &P::SetShowTreeFull)
            .Integer<P>(QStringLiteral("NodeIndent"), &P::NodeIndent, &P::SetNodeIndent)
            .Color<P>(QStringLiteral("TreeColor"), &P::TreeColor, &P::SetTreeColor);
    return list;
}

// ---- TSizeWhileTyping -------------------------------------------------------------

void TSizeWhileTyping::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TSizeWhileTyping*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FHeight = s->FHeight;
    FWidth = s->FWidth;
}

const TPropertyList& TSizeWhileTyping::Properties()
{
    using P = TSizeWhileTyping;
    static const TPropertyList list = TPropertyList()
                                          .Boolean<P>(QStringLiteral("Height"), &P::Height, &P::SetHeight)
                                          .Boolean<P>(QStringLiteral("Width"), &P::Width, &P::SetWidth);
    return list;
}

// ---- TColumnSize ------------------------------------------------------------------

void TColumnSize::SetStretch(bool v)
{
    FStretch = v;
    if (OnStretch) OnStretch(FStretchColumn);
}

void TColumnSize::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TColumnSize*>(Source);
    if (!s) return;
    FRows = s->FRows;
    FSave = s->FSave;
    FKey = s->FKey;
    FSection = s->FSection;
    FStretch = s->FStretch;
    FStretchColumn = s->FStretchColumn;
    FSynchWithGrid = s->FSynchWithGrid;
    FSynchNormalCellsOnly = s->FSynchNormalCellsOnly;
    FLocation = s->FLocation;
}

const TPropertyList& TColumnSize::Properties()
{
    using P = TColumnSize;
    static const TPropertyList list =
        TPropertyList()
            .Boolean<P>(QStringLiteral("Save"), &P::Save, &P::SetSave)
            .String<P>(QStringLiteral("Key"), &P::Key, &P::SetKey)
            .String<P>(QStringLiteral("Section"), &P::Section, &P::SetSection)
            .Boolean<P>(QStringLiteral("Stretch"), &P::Stretch, &P::SetStretch)
            .Integer<P>(QStringLiteral("StretchColumn"), &P::StretchColumn, &P::SetStretchColumn)
            .Boolean<P>(QStringLiteral("SynchWithGrid"), &P::SynchWithGrid, &P::SetSynchWithGrid)
            .Boolean<P>(QStringLiteral("SynchNormalCellsOnly"), &P::SynchNormalCellsOnly,
                        &P::SetSynchNormalCellsOnly)
            .Enum<P, TColumnSizeLocation>(QStringLiteral("Location"), &P::Location, &P::SetLocation,
                                          {QStringLiteral("clRegistry"), QStringLiteral("clIniFile")})
            .Enum<P, TAutoSizeRows>(QStringLiteral("Rows"), &P::Rows, &P::SetRows,
                                    {QStringLiteral("arAll"), QStringLiteral("arNormal"),
                                     QStringLiteral("arFixed")});
    return list;
}

// ---- the grid's cell objects --------------------------------------------------------

TCellGraphic* TAdvStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    RemoveCellGraphic(ACol, ARow);
    auto* g = new TCellGraphic;
    SetGraphicObjectEx(ACol, ARow, g);
    if (NumHiddenColumns() > 0 && DisplColIndex(ACol) != ACol) RepaintCell(DisplColIndex(ACol), ARow);
    return g;
}

bool TAdvStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    TCellProperties* p = GridObjects(ACol, ARow);
    if (!p || !p->GraphicObject()) return false;
    TObject* obj = p->GraphicObject();
    p->SetGraphicObject(nullptr);
    auto* g = dynamic_cast<TCellGraphic*>(obj);
    // The shared row and virtual check boxes belong to the grid.
    const bool shared = g && (g == FCellGraphic || g->CellType() == ctVirtCheckBox || g->CellType() == ctRowCheckBox);
    if (!shared) Free(obj);
    if (!HasState(csDestroying)) RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

bool TAdvStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType CellType)
{
    if (GetCellType(ACol, ARow) != CellType) return false;
    return RemoveCellGraphic(ACol, ARow);
}

TCellType TAdvStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return ctEmpty;
    TObject* obj = GetGraphicObjectEx(ACol, ARow);
    if (obj && !dynamic_cast<TCellGraphic*>(obj)) return ctEmpty;
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) return ctRowCheckBox;
    auto* g = static_cast<TCellGraphic*>(obj);
    return g ? g->CellType() : ctEmpty;
}

TCellGraphic* TAdvStringGrid::GetCellGraphic(int ACol, int ARow)
{
    TObject* obj = ACol >= 0 && ARow >= 0 ? GetGraphicObjectEx(ACol, ARow) : nullptr;
    if (obj && !dynamic_cast<TCellGraphic*>(obj)) return nullptr;
    if (ACol == 0 && ARow >= 0 && FMouseActions->HotmailRowSelect()) {
        TCellGraphic* g = FCellGraphic;
        g->SetCellType(ctRowCheckBox);
        const int normal = RowCount() - TBaseGrid::FixedRows();
        if (ARow == 0) {
            const int selected = RowSelectCount();
            g->SetGreyed(selected > 0 && selected < normal);
            g->SetCellBoolean(selected >= normal);
        } else {
            g->SetGreyed(false);
            const int real = RealRowIndex(ARow);
            g->SetCellBoolean(real < TotalRowCount() && RowSelect(real));
        }
        g->SetCellTransparent(ControlStyleFlat());
        return g;
    }
    return static_cast<TCellGraphic*>(obj);
}

TIntList* TAdvStringGrid::GetCellImages(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctImages ? g->CellIntList() : nullptr;
}

intptr_t TAdvStringGrid::GetCellImageKey(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return -1;
    switch (g->CellType()) {
    case ctBitmap: return reinterpret_cast<intptr_t>(g->CellBitmap());
    case ctIcon: return reinterpret_cast<intptr_t>(g->CellIcon());
    case ctImageList: return g->CellIndex();
    default: return -1;
    }
}

namespace {

bool CellGraphicBeside(TCellHAlign h) { return h == haBeforeText || h == haAfterText; }
bool CellGraphicAboveBelow(TCellVAlign v) { return v == vaUnderText || v == vaAboveText; }

} // namespace

TPoint TAdvStringGrid::CalcCellGraphicSize(int ACol, int ARow, int ReserveY)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return TPoint(0, 0);
    const bool hasText = !GetCellEx(ACol, ARow).isEmpty();
    int w = 0, h = 0;
    TCustomImageList* images = GetImageList();
    switch (g->CellType()) {
    case ctIcon:
        if (TIcon* i = g->CellIcon()) {
            if (CellGraphicBeside(g->CellHAlign()) || !hasText) w = i->Width();
            h = i->Height();
        }
        break;
    case ctBitmap:
        if (TBitmap* b = g->CellBitmap()) {
            if (CellGraphicBeside(g->CellHAlign()) || !hasText) w = b->Width();
            if (CellGraphicAboveBelow(g->CellVAlign()) || !hasText) h = b->Height();
        }
        break;
    case ctImageList:
    case ctDataImage:
        if (images) {
            if (CellGraphicBeside(g->CellHAlign()) || !hasText) w = images->Width();
            if (CellGraphicAboveBelow(g->CellVAlign()) || !hasText) h = images->Height();
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint cs = CellSize(DisplColIndex(ACol), ARow);
        g->GetPictureSize(cs.X - 1 - GetTotalXOffset(), cs.Y - 1 - GetTotalYOffset() - ReserveY, hasText, w, h);
        break;
    }
    case ctButton:
    case ctBitButton:
        w = g->CellIndex() & 0xFFFF;
        h = (g->CellIndex() >> 16) & 0xFFFF;
        if (hasText) {
            if (g->CellHAlign() == haCenter) w = 0;
            if (g->CellHAlign() == haFull) w = Canvas()->TextWidth(g->CellText()) + 4;
            if (CellGraphicAboveBelow(g->CellVAlign())) w = 0;
            else h = 0;
        } else if (g->CellHAlign() == haFull) {
            Canvas()->Font()->Assign(Font());
            w = Canvas()->TextWidth(g->CellText()) + 4;
        }
        break;
    case ctInterface: {
        auto* i = dynamic_cast<ICellGraphicObject*>(g->CellInterface());
        if (i) {
            w = i->GetWidth();
            h = i->GetHeight();
        }
        if (w == 0 || h == 0) {
            const TPoint cs = CellSize(DisplColIndex(ACol), ARow);
            w = cs.X;
            h = cs.Y;
        }
        break;
    }
    case ctProgressPie: w = h = 20; break;
    case ctRadioButton: w = h = RadioSizeSetting(); break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: w = h = CheckSizeSetting(); break;
    case ctRadio:
        if (TStrings* s = g->CellStrings()) {
            const int th = Canvas()->TextHeight(QStringLiteral("gh"));
            if (g->CellBoolean()) {
                for (int k = 0; k < s->Count(); ++k) w += Canvas()->TextWidth(s->Strings(k)) + 12;
                h = th;
            } else {
                w = 12;
                for (int k = 0; k < s->Count(); ++k) w = std::max(w, Canvas()->TextWidth(s->Strings(k)) + 12);
                h = std::max(16, th) * s->Count();
            }
        }
        break;
    case ctImages:
        if (TIntList* l = g->CellIntList(); l && images) {
            if (g->CellBoolean()) {
                w = l->Count() * images->Width();
                h = images->Height();
            } else {
                w = images->Width();
                h = l->Count() * images->Height();
            }
        }
        break;
    case ctRating:
        w = g->CellAngle() * 18;
        h = 16;
        break;
    default: break;
    }
    const TRect cr = CellRect(DisplColIndex(ACol), ARow);
    if (g->CellVAlign() == vaFull) h = cr.Height();
    if (g->CellHAlign() == haFull && g->CellType() != ctRating
        && !((g->CellType() == ctButton || g->CellType() == ctBitButton) && !hasText && !g->CellText().isEmpty()))
        w = cr.Width();
    return TPoint(w, h);
}

TPoint TAdvStringGrid::CalcPrintCellGraphicSize(int ACol, int ARow, int MaxW, int MaxH, double Scale)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return TPoint(0, 0);
    const bool hasText = !GetCellEx(ACol, ARow).isEmpty();
    TCustomImageList* images = GetImageList();
    int w = 0, h = 0;
    switch (g->CellType()) {
    case ctIcon:
        if (TIcon* i = g->CellIcon()) w = i->Width(), h = i->Height();
        break;
    case ctBitmap:
        if (TBitmap* b = g->CellBitmap()) w = b->Width(), h = b->Height();
        break;
    case ctPicture:
    case ctFilePicture:
        if (g->GetPictureSize(MaxW, MaxH, hasText, w, h) && Scale != 0) {
            w = int(Round(w / Scale));
            h = int(Round(h / Scale));
        }
        break;
    case ctButton:
    case ctBitButton:
        w = g->CellIndex() & 0xFFFF;
        h = (g->CellIndex() >> 16) & 0xFFFF;
        break;
    case ctInterface: {
        auto* i = dynamic_cast<ICellGraphicObject*>(g->CellInterface());
        if (!i) break;
        const TRect cr = CellRect(DisplColIndex(ACol), ARow);
        w = i->GetWidth() ? i->GetWidth() : cr.Width();
        h = i->GetHeight() ? i->GetHeight() : cr.Height();
        break;
    }
    case ctDataImage:
        if (images) w = images->Width(), h = images->Height();
        break;
    case ctImageList:
        if (images) {
            if (CellGraphicBeside(g->CellHAlign()) || !hasText) w = images->Width();
            h = images->Height();
        }
        break;
    case ctRadioButton: w = h = RadioSizeSetting(); break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: w = h = CheckSizeSetting(); break;
    case ctProgressPie:
    case ctNode: w = h = 20; break;
    case ctRadio:
        if (TStrings* s = g->CellStrings()) {
            const int th = Canvas()->TextHeight(QStringLiteral("gh"));
            if (g->CellBoolean()) {
                for (int k = 0; k < s->Count(); ++k) w += Canvas()->TextWidth(s->Strings(k)) + 12;
                h = th;
            } else {
                w = 12;
                for (int k = 0; k < s->Count(); ++k) w = std::max(w, Canvas()->TextWidth(s->Strings(k)) + 12);
                h = th * s->Count();
            }
        }
        break;
    case ctImages:
        if (TIntList* l = g->CellIntList(); l && images) {
            w = g->CellBoolean() ? l->Count() * images->Width() : images->Width();
            h = g->CellBoolean() ? images->Height() : l->Count() * images->Height();
        }
        break;
    case ctProgress:
    case ctXPProgress:
        w = ColWidths(DisplColIndex(ACol));
        h = RowHeights(ARow);
        break;
    case ctShape: w = h = RowHeights(ARow) - 2 * XYOffset().Y; break;
    default: break;
    }
    return TPoint(w, h);
}

bool TAdvStringGrid::IsSortIndicatorCell(int ACol, int ARow)
{
    TSortSettings* ss = SortSettings();
    if (!ss || !ss->Show() || RowCount() <= FixedRows() + 1 || ACol < 0 || ARow < 0) return false;
    // A merged header counts by the last row of its area.
    const int row = IsMergedCell(ACol, ARow) ? FullCell(ACol, ARow).Bottom : ARow;
    return row == ss->Row();
}

int TAdvStringGrid::GetRowIndent(int ARow)
{
    if (!HasNodes() || ARow < 0) return 0;
    const TCellProperties* p = GridObjects(0, ARow);
    return p ? p->NodeLevel() * FCellNode->NodeIndent() : 0;
}
