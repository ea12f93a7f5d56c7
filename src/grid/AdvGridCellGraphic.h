#pragma once
// The object a string-grid cell carries beside its text (TCellGraphic) and
// three small option objects of the grid: the look of node rows
// (TCellNode), growing cells while typing (TSizeWhileTyping) and where
// column widths are kept and which column stretches (TColumnSize).
//
// A cell graphic holds one typed payload (a bitmap, icon, picture, file
// picture, string list, integer list, interfaced object or a colour pair);
// FCellCreated says the cell owns that payload and frees it with itself.
// The balloon list, the check-box glyph and the greyed state of the row
// check box are members of their own.

#include "AdvObj.h"
#include "BaseGrid.h"
#include "Graphics.h"
#include "Persistence.h"
#include "StdCtrls.h"

#include <QVariant>
#include <functional>

enum TCellType {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
    ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
    ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand
};

enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

// What the payload of a cell graphic is.
enum TCellPayloadKind { pkNone, pkBitmap, pkIcon, pkPicture, pkFilePicture, pkStrings, pkIntList, pkInterface, pkColor };

// A cell object that draws and measures itself. A ctInterface cell's object
// is asked for it with dynamic_cast.
class ICellGraphicObject {
public:
    virtual ~ICellGraphicObject() = default;
    virtual void Draw(TCanvas* Canvas, const TRect& R, int Col, int Row, bool Selected, TBaseGrid* Grid) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
};

class TCellGraphic : public TPersistent {
public:
    DECLARE_CLASSNAME(TCellGraphic)
    TCellGraphic() = default;
    ~TCellGraphic() override;

    // Copies kind, alignments, index, transparency, value, angle, flag, error
    // span and text; never the payload or its ownership. Another class goes
    // to the platform's assignment error.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

    void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding, TCellHAlign hal,
                    TCellVAlign val);
    void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                        TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int Idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int Idx, TCellHAlign hal, TCellVAlign val);
    // An owned index list for the cell (Col, Row); Notifier is its change event.
    void SetMultiImage(int Col, int Row, int Dir, TCellHAlign hal, TCellVAlign val, TImageChangeEvent Notifier);
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    // The size packs as height x 65536 + (width and 0xFFFF).
    void SetButton(int bw, int bh, const QString& Caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(int bw, int bh, const QString& Caption, TBitmap* Glyph, TCellHAlign hal, TCellVAlign val);
    // Into 0..360 (360 stays 360).
    void SetAngle(int AAngle);
    void SetInterfacedCell(TPersistent* AObject);

    // The size a ctPicture or ctFilePicture is drawn at in a cell of
    // cw x rh; false (nothing written) for other kinds.
    bool GetPictureSize(int cw, int rh, bool HasText, int& W, int& H) const;

    // ---- payload
    TCellPayloadKind PayloadKind() const { return FPayloadKind; }
    TObject* Payload() const { return FPayload; }
    // Replaces the payload (an owned old one is freed); Owned sets FCellCreated.
    void SetPayload(TCellPayloadKind Kind, TObject* Obj, bool Owned);
    // Gives up the payload without freeing it.
    TObject* ReleasePayload();
    TBitmap* CellBitmap() const;
    TIcon* CellIcon() const;
    TPicture* CellPicture() const;
    TFilePicture* CellFilePicture() const;
    TStrings* CellStrings() const;
    TIntList* CellIntList() const;
    TPersistent* CellInterface() const;
    // Colour payload: two colour values.
    void SetCellColors(TColor AColor, TColor AColorTo);
    TColor CellColor() const { return FCellColor; }
    TColor CellColorTo() const { return FCellColorTo; }

    // ---- the separate members of the check and radio kinds
    // An owned balloon list attached to a check box or radio button.
    TStrings* BalloonList() const { return FBalloonList; }
    void SetBalloonList(TStrings* v);  // takes ownership
    // An owned glyph of a check box.
    TBitmap* CheckGlyph() const { return FCheckGlyph; }
    void SetCheckGlyph(TBitmap* v);  // takes ownership
    // The greyed state of the row check box.
    bool Greyed() const { return FGreyed; }
    void SetGreyed(bool v) { FGreyed = v; }

    // ---- fields
    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType v) { FCellType = v; }
    TCellVAlign CellVAlign() const { return FCellVAlign; }
    void SetCellVAlign(TCellVAlign v) { FCellVAlign = v; }
    TCellHAlign CellHAlign() const { return FCellHAlign; }
    void SetCellHAlign(TCellHAlign v) { FCellHAlign = v; }
    int CellIndex() const { return FCellIndex; }
    void SetCellIndex(int v) { FCellIndex = v; }
    bool CellTransparent() const { return FCellTransparent; }
    void SetCellTransparent(bool v) { FCellTransparent = v; }
    bool CellCreated() const { return FCellCreated; }
    void SetCellCreated(bool v) { FCellCreated = v; }
    bool CellBoolean() const { return FCellBoolean; }
    void SetCellBoolean(bool v) { FCellBoolean = v; }
    int CellAngle() const { return FCellAngle; }
    void SetCellAngle(int v) { FCellAngle = v; }
    double CellValue() const { return FCellValue; }
    void SetCellValue(double v) { FCellValue = v; }
    int CellErrFrom() const { return FCellErrFrom; }
    void SetCellErrFrom(int v) { FCellErrFrom = v; }
    int CellErrLen() const { return FCellErrLen; }
    void SetCellErrLen(int v) { FCellErrLen = v; }
    QString CellText() const { return FCellText; }
    void SetCellText(const QString& v) { FCellText = v; }
    QVariant CellVar() const { return FCellVar; }
    void SetCellVar(const QVariant& v) { FCellVar = v; }
    TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
    void SetCellCheckBoxState(TCheckBoxState v) { FCellCheckBoxState = v; }

private:
    void FreePayload();
    void SetKind(TCellType Type, TCellHAlign hal, TCellVAlign val);
    void SetPictureKind(TCellType Type, TCellPayloadKind Kind, TObject* APicture, bool Transparent,
                        TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val);
    void SetCheckKind(TCellType Type, bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);

    TCellType FCellType = ctNone;
    TCellPayloadKind FPayloadKind = pkNone;
    TObject* FPayload = nullptr;
    TColor FCellColor = clNone;
    TColor FCellColorTo = clNone;
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    int FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    int FCellAngle = 0;
    double FCellValue = 0;
    int FCellErrFrom = 0;
    int FCellErrLen = 0;
    QString FCellText;
    QVariant FCellVar;
    TCheckBoxState FCellCheckBoxState = cbUnchecked;
    TStrings* FBalloonList = nullptr;
    TBitmap* FCheckGlyph = nullptr;
    bool FGreyed = false;
};

// ---------------------------------------------------------------------------

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

class TCellNode : public TPersistent {
public:
    DECLARE_CLASSNAME(TCellNode)
    explicit TCellNode(TBaseGrid* AOwner);
    ~TCellNode() override;
    TPersistent* GetOwner() override { return FOwner; }

    // From another TCellNode; other sources are ignored.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    TColor NodeColor() const { return FNodeColor; }
    void SetNodeColor(TColor v) { FNodeColor = v; }
    bool ExpandOne() const { return FExpandOne; }
    void SetExpandOne(bool v) { FExpandOne = v; }
    // These repaint the grid on a change.
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType v);
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool v);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool v);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor v);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int v);
    // Owned; writing copies the bitmap, without a repaint.
    TBitmap* ExpandGlyph() const { return FExpandGlyph; }
    void SetExpandGlyph(TBitmap* v);
    TBitmap* ContractGlyph() const { return FContractGlyph; }
    void SetContractGlyph(TBitmap* v);

private:
    template <class T>
    void StoreAndRepaint(T& f, T v);

    TColor FColor = TColor(0xC0C0C0);
    TNodeType FNodeType = cnXP;
    TColor FNodeColor = 0;
    TBitmap* FExpandGlyph;
    bool FExpandOne = false;
    TBitmap* FContractGlyph;
    TBaseGrid* FOwner;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    int FNodeIndent = 12;
    TColor FTreeColor = TColor(0x808080);
};

class TSizeWhileTyping : public TPersistent {
public:
    DECLARE_CLASSNAME(TSizeWhileTyping)
    TSizeWhileTyping() = default;

    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

    bool Height() const { return FHeight; }
    void SetHeight(bool v) { FHeight = v; }
    bool Width() const { return FWidth; }
    void SetWidth(bool v) { FWidth = v; }

private:
    bool FHeight = false;
    bool FWidth = false;
};

enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed };

class TColumnSize : public TPersistent {
public:
    DECLARE_CLASSNAME(TColumnSize)
    explicit TColumnSize(TComponent* AOwner) : FOwner(AOwner) {}
    TPersistent* GetOwner() override { return FOwner; }

    // From another TColumnSize; other sources are ignored.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

    bool Save() const { return FSave; }
    void SetSave(bool v) { FSave = v; }
    QString Key() const { return FKey; }
    void SetKey(const QString& v) { FKey = v; }
    QString Section() const { return FSection; }
    void SetSection(const QString& v) { FSection = v; }
    // Stores; when the grid shows on a parent, stretches StretchColumn (OnStretch).
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    int StretchColumn() const { return FStretchColumn; }
    void SetStretchColumn(int v) { FStretchColumn = v; }
    bool SynchWithGrid() const { return FSynchWithGrid; }
    void SetSynchWithGrid(bool v) { FSynchWithGrid = v; }
    bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
    void SetSynchNormalCellsOnly(bool v) { FSynchNormalCellsOnly = v; }
    TColumnSizeLocation Location() const { return FLocation; }
    void SetLocation(TColumnSizeLocation v) { FLocation = v; }
    TAutoSizeRows Rows() const { return FRows; }
    void SetRows(TAutoSizeRows v) { FRows = v; }

    // Set by the grid: stretches a column (the argument) when its window shows.
    std::function<void(int)> OnStretch;

private:
    TComponent* FOwner;
    bool FSave = false;
    QString FKey;
    QString FSection;
    bool FStretch = false;
    int FStretchColumn = -1;
    bool FSynchWithGrid = false;
    bool FSynchNormalCellsOnly = false;
    TColumnSizeLocation FLocation = clRegistry;
    TAutoSizeRows FRows = arAll;
};
