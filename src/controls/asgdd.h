#pragma once
// Drag and drop of the grid over Qt's drag and drop: a reader of a dragged
// object's formats, a drop target and a drop source whose hooks the grid
// overrides, the data object of a drag with its format list, and the two
// functions that start a drag.
//
// Formats and their blocks: CF_TEXT (ANSI text and a NUL), CF_UNICODETEXT
// (UTF-16 and a NUL), CF_HDROP (files; read only), "Rich Text Format" (ANSI
// and a NUL), "Grid Column" (a 32-bit column index), "TAdvStringGrid Cells"
// (4-byte little-endian N, 4 zero bytes, N bytes), "UniformResourceLocator"
// (presence only). On Linux a drag carries them as the MIME types of the
// registered-names table; files and URLs come as "text/uri-list". Every read
// of dropped data is bounded by its block: data from other programs is never
// trusted.

#include "HResult.h"
#include "Messages.h"  // MK_ key states
#include "Names.h"  // CF_TEXT, CF_UNICODETEXT, the registered formats
#include "Sets.h"
#include "Types.h"

#include <QBuffer>
#include <QString>
#include <QStringList>
#include <Qt>
#include <functional>
#include <memory>

class QImage;
class QMimeData;
class TWinControl;

// ---- formats and codes -----------------------------------------------------------

inline constexpr unsigned CF_HDROP = 15;
// The registered formats (registered when the module starts).
unsigned CF_RTF();
unsigned CF_GRIDCOLUMN();
unsigned CF_GRIDCELLS();
unsigned CF_URL();

inline constexpr uint32_t DROPEFFECT_NONE = 0;
inline constexpr uint32_t DROPEFFECT_COPY = 1;
inline constexpr uint32_t DROPEFFECT_MOVE = 2;
inline constexpr uint32_t DROPEFFECT_LINK = 4;


inline constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
inline constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
inline constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
inline constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064u);
inline constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003u);

inline constexpr uint32_t DVASPECT_CONTENT = 1;
inline constexpr uint32_t TYMED_HGLOBAL = 1;
inline constexpr uint32_t DATADIR_GET = 1;
inline constexpr uint32_t DATADIR_SET = 2;

// A format description: format, aspect, index, medium.
struct TFormatEtc {
    unsigned cfFormat = 0;
    uint32_t dwAspect = DVASPECT_CONTENT;
    int32_t lindex = -1;
    uint32_t tymed = TYMED_HGLOBAL;
    friend bool operator==(const TFormatEtc&, const TFormatEtc&) = default;
};

// Rich text is offered and accepted only while this module-wide switch is
// on (off at start).
void SetOleRTFEnabled(bool Enabled);
bool OleRTFEnabled();

enum TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
using TDropFormats = TSet<TDropFormat>;

// ---- reading a dragged object ------------------------------------------------------

class TEnumFormats {
public:
    explicit TEnumFormats(const QMimeData* DataObject);

    bool HasFormat(unsigned Format) const;
    // -1 when the format is absent or its block is shorter than 4 bytes.
    int ReadInteger(unsigned Format) const;
    // The N bytes after the 8-byte head, in a new buffer at position 0; none
    // when absent or when the block is shorter than 8 + N.
    std::unique_ptr<QBuffer> ReadStream(unsigned Format) const;
    // Up to the first NUL or the block's end (an odd last byte of UTF-16 is
    // dropped); empty when absent.
    QString ReadUnicodeText(unsigned Format) const;
    QString ReadAnsiText(unsigned Format) const;

    int Col() const { return ReadInteger(CF_GRIDCOLUMN()); }
    std::unique_ptr<QBuffer> Stream() const { return ReadStream(CF_GRIDCELLS()); }
    QString RTF() const { return ReadAnsiText(CF_RTF()); }
    QString Text() const { return ReadUnicodeText(CF_UNICODETEXT); }

    bool HasText() const { return HasFormat(CF_UNICODETEXT); }
    bool HasRTF() const { return HasFormat(CF_RTF()); }
    bool HasCol() const { return HasFormat(CF_GRIDCOLUMN()); }
    bool HasFile() const { return HasFormat(CF_HDROP); }
    bool HasURL() const { return HasFormat(CF_URL()); }
    bool HasGridCells() const { return HasFormat(CF_GRIDCELLS()); }
    // The dropped local files in their order; true when List is not empty.
    bool ReadFileList(QStringList& List);

private:
    QByteArray Block(unsigned Format) const;
    const QMimeData* FDataObject;
    QStringList FFiles;
};

// ---- drop target -------------------------------------------------------------------

class TASGDropTarget {
public:
    TASGDropTarget() = default;
    virtual ~TASGDropTarget() = default;

    bool AcceptText() const { return FAcceptText; }
    void SetAcceptText(bool v) { FAcceptText = v; }
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool v) { FAcceptFiles = v; }
    bool AcceptCols() const { return FAcceptCols; }
    void SetAcceptCols(bool v) { FAcceptCols = v; }
    bool AcceptURLs() const { return FAcceptURLs; }
    void SetAcceptURLs(bool v) { FAcceptURLs = v; }
    TDropFormats DropFormats() const { return FDropFormats; }

    HRESULT DragEnter(const QMimeData* DataObject, uint32_t KeyState, TPoint Pt, uint32_t& Effect);
    HRESULT DragOver(uint32_t KeyState, TPoint Pt, uint32_t& Effect);
    HRESULT DragLeave();
    HRESULT Drop(const QMimeData* DataObject, uint32_t KeyState, TPoint Pt, uint32_t& Effect);
    // Copy with Ctrl; otherwise move when allowed, else copy.
    static uint32_t DropEffectFor(uint32_t KeyState, uint32_t Allowed);

    // Hooks; points are screen coordinates.
    virtual void DropText(TPoint, const QString&) {}
    // The receiver owns the stream.
    virtual void DropStream(TPoint, std::unique_ptr<QBuffer>) {}
    virtual void DropCol(TPoint, int) {}
    virtual void DropRTF(TPoint, const QString&) {}
    // The list is valid only during the call.
    virtual void DropFiles(TPoint, const QStringList&) {}
    virtual void DropURL(TPoint, const QString&) {}
    virtual void DragMouseMove(TPoint, bool& /*Allow*/, TDropFormats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

private:
    bool FOk = false;
    bool FAcceptText = true;
    bool FAcceptFiles = true;
    bool FAcceptCols = false;
    bool FAcceptURLs = true;
    TDropFormats FDropFormats;
};

// ---- drop source ---------------------------------------------------------------------

class TASGDropSource {
public:
    virtual ~TASGDropSource() = default;
    // Escape: cancel; left button released: drop; else go on. EndDragDrop
    // on the first two, QueryDrag always.
    HRESULT QueryContinueDrag(bool EscapePressed, uint32_t KeyState);
    HRESULT GiveFeedback(uint32_t Effect);
    bool NoAccept() const { return FNoAccept; }

    virtual void EndDragDrop() {}
    virtual void CurrentEffect(uint32_t) {}
    virtual void QueryDrag() {}
    // The picture that follows the pointer during the drag (none: Qt's
    // own), its top-left corner this far right of and below the pointer.
    virtual QImage DragPicture() const;
    virtual TPoint DragPictureOffset() const { return TPoint(0, 0); }

protected:
    bool FNoAccept = false;
};

// ---- the dragged data ------------------------------------------------------------------

class TSourceEnumFormatEtc {
public:
    TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, int Index = 0);
    HRESULT Next(uint32_t Count, TFormatEtc* Array, uint32_t* Fetched);
    HRESULT Skip(uint32_t Count);
    HRESULT Reset();
    HRESULT Clone(std::unique_ptr<TSourceEnumFormatEtc>& Enum) const;
    int Index() const { return FIndex; }

private:
    int Size() const;
    int FIndex = 0;
    bool FHasCol = false;
    bool FHasGridCells = false;
};

class TSourceDataObject {
public:
    // Stream is not owned; ColumnIndex -1 for none.
    TSourceDataObject(const QString& Text, QBuffer* Stream, int ColumnIndex, const QString& RTF);

    HRESULT QueryGetData(const TFormatEtc& Format) const;
    HRESULT GetData(const TFormatEtc& Format, QByteArray& Medium) const;
    HRESULT GetDataHere(const TFormatEtc&, QByteArray&) const { return DV_E_FORMATETC; }
    HRESULT SetData(const TFormatEtc&, const QByteArray&) { return DV_E_FORMATETC; }
    HRESULT GetCanonicalFormatEtc(const TFormatEtc& In, TFormatEtc& Out) const;
    HRESULT EnumFormatEtc(uint32_t Direction, std::unique_ptr<TSourceEnumFormatEtc>& Enum) const;
    HRESULT DAdvise() const { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise() const { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise() const { return OLE_E_ADVISENOTSUPPORTED; }

    // What a drag offers: exactly the formats QueryGetData accepts, the
    // bytes copied now.
    std::unique_ptr<QMimeData> MakeMimeData() const;

private:
    QString FText;
    QString FRTF;
    int FColumn = -1;
    QBuffer* FStream = nullptr;
};

// The Qt side: drag events of a control, the drag loop and starting a drag.
#include "asgddEvents.h"
