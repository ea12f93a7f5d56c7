#include "asgdd.h"

#include "CodePages.h"

#include <QMimeData>
#include <QUrl>
#include <QtEndian>

// ---- formats ----------------------------------------------------------------------

namespace {

struct RegisteredFormats {
    unsigned RTF, GridColumn, GridCells, URL;
    RegisteredFormats()
        : RTF(RegisterClipboardFormat(QStringLiteral("Rich Text Format"))),
          GridColumn(RegisterClipboardFormat(QStringLiteral("Grid Column"))),
          GridCells(RegisterClipboardFormat(QStringLiteral("TAdvStringGrid Cells"))),
          URL(RegisterClipboardFormat(QStringLiteral("UniformResourceLocator")))
    {
    }
};

// Registered once, when the module starts (or first asked, whichever is
// earlier), so a drag never offers a format numbered 0.
const RegisteredFormats& Formats()
{
    static const RegisteredFormats f;
    return f;
}
const bool FormatsAtStart = (Formats(), true);

bool RTFEnabled = false;

QByteArray Int32Block(int32_t v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<int32_t>(v, b.data());
    return b;
}

QByteArray CellsBlock(const QByteArray& data)
{
    QByteArray b(8, '\0');
    qToLittleEndian<uint32_t>(uint32_t(data.size()), b.data());
    return b + data;
}

QByteArray AnsiZ(const QString& s)
{
    return UnicodeToAnsi(s) + '\0';
}

}  // namespace

unsigned CF_RTF() { return Formats().RTF; }
unsigned CF_GRIDCOLUMN() { return Formats().GridColumn; }
unsigned CF_GRIDCELLS() { return Formats().GridCells; }
unsigned CF_URL() { return Formats().URL; }

void SetOleRTFEnabled(bool Enabled) { RTFEnabled = Enabled; }
bool OleRTFEnabled() { return RTFEnabled; }

// ---- TEnumFormats ---------------------------------------------------------------------

TEnumFormats::TEnumFormats(const QMimeData* DataObject) : FDataObject(DataObject)
{
    Formats();
}

bool TEnumFormats::HasFormat(unsigned Format) const
{
    if (!FDataObject)
        return false;
    if (Format == CF_HDROP || Format == CF_URL()) {
        // Local files are the file list; any other URL is a URL.
        for (const QUrl& u : FDataObject->urls())
            if (u.isLocalFile() == (Format == CF_HDROP))
                return true;
        return false;
    }
    if (Format == CF_TEXT || Format == CF_UNICODETEXT)
        return FDataObject->hasText();
    const QString mime = ClipboardFormatMime(Format);
    return !mime.isEmpty() && FDataObject->hasFormat(mime);
}

QByteArray TEnumFormats::Block(unsigned Format) const
{
    if (!HasFormat(Format))
        return QByteArray();
    return FDataObject->data(ClipboardFormatMime(Format));
}

int TEnumFormats::ReadInteger(unsigned Format) const
{
    const QByteArray b = Block(Format);
    if (b.size() < 4)
        return -1;
    return qFromLittleEndian<int32_t>(b.constData());
}

std::unique_ptr<QBuffer> TEnumFormats::ReadStream(unsigned Format) const
{
    const QByteArray b = Block(Format);
    if (b.size() < 8)
        return nullptr;
    const uint32_t n = qFromLittleEndian<uint32_t>(b.constData());
    if (n > uint32_t(b.size() - 8))
        return nullptr;
    auto stream = std::make_unique<QBuffer>();
    stream->setData(b.mid(8, qsizetype(n)));
    stream->open(QIODevice::ReadWrite);
    return stream;
}

QString TEnumFormats::ReadUnicodeText(unsigned Format) const
{
    if (!FDataObject || !HasFormat(Format))
        return QString();
    QString text;
    if (Format == CF_TEXT || Format == CF_UNICODETEXT) {
        text = FDataObject->text();  // UTF-8 on Linux, decoded by Qt
    } else {
        const QByteArray b = Block(Format);
        text.resize(b.size() / 2);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(qFromLittleEndian<char16_t>(b.constData() + 2 * i));
    }
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString TEnumFormats::ReadAnsiText(unsigned Format) const
{
    if (Format == CF_TEXT || Format == CF_UNICODETEXT)
        return ReadUnicodeText(Format);
    const QByteArray b = Block(Format);
    const qsizetype nul = b.indexOf('\0');
    return AnsiToUnicode(nul < 0 ? b : b.left(nul));
}

bool TEnumFormats::ReadFileList(QStringList& List)
{
    FFiles.clear();
    if (FDataObject)
        for (const QUrl& u : FDataObject->urls())
            if (u.isLocalFile())
                FFiles << u.toLocalFile();
    List << FFiles;
    return !List.isEmpty();
}

// ---- TASGDropTarget -------------------------------------------------------------------

uint32_t TASGDropTarget::DropEffectFor(uint32_t KeyState, uint32_t Allowed)
{
    if (KeyState & MK_CONTROL)
        return DROPEFFECT_COPY;
    if (Allowed & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    return DROPEFFECT_COPY;
}

HRESULT TASGDropTarget::DragEnter(const QMimeData* DataObject, uint32_t KeyState, TPoint, uint32_t& Effect)
{
    const TEnumFormats f(DataObject);
    const bool text = f.HasText(), files = f.HasFile(), rtf = f.HasRTF(), col = f.HasCol(), url = f.HasURL(),
               cells = f.HasGridCells();
    FOk = (text && FAcceptText) || (files && FAcceptFiles) || (rtf && RTFEnabled && FAcceptText) ||
          (col && FAcceptCols) || (url && FAcceptURLs) || cells;
    FDropFormats = TDropFormats();
    if (text) FDropFormats += dfText;
    if (files) FDropFormats += dfFile;
    if (rtf) FDropFormats += dfRTF;
    if (col) FDropFormats += dfCol;
    if (url) FDropFormats += dfURL;
    if (cells) FDropFormats += dfGridCells;
    Effect = FOk ? DropEffectFor(KeyState, Effect) : DROPEFFECT_NONE;
    DragMouseEnter();
    return S_OK;
}

HRESULT TASGDropTarget::DragOver(uint32_t KeyState, TPoint Pt, uint32_t& Effect)
{
    Effect = FOk ? DropEffectFor(KeyState, Effect) : DROPEFFECT_NONE;
    bool allow = Effect != DROPEFFECT_NONE;
    DragMouseMove(Pt, allow, FDropFormats);
    if (!allow)
        Effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TASGDropTarget::DragLeave()
{
    DragMouseLeave();
    return S_OK;
}

HRESULT TASGDropTarget::Drop(const QMimeData* DataObject, uint32_t KeyState, TPoint Pt, uint32_t& Effect)
{
    if (!FOk) {
        Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    TEnumFormats f(DataObject);
    // A format whose block cannot be read counts as not offered.
    const int col = f.Col();
    if (col != -1) {
        DropCol(Pt, col);
    } else {
        std::unique_ptr<QBuffer> stream = f.HasGridCells() ? f.Stream() : nullptr;
        if (stream)
            DropStream(Pt, std::move(stream));
        else if (f.HasRTF() && RTFEnabled)
            DropRTF(Pt, f.RTF());
        else if (f.HasText())
            DropText(Pt, f.Text());
        if (f.HasFile()) {
            QStringList files;
            f.ReadFileList(files);
            DropFiles(Pt, files);
        }
        if (f.HasURL())
            DropURL(Pt, f.Text());
    }
    Effect = DropEffectFor(KeyState, Effect);
    return S_OK;
}

// ---- TASGDropSource -----------------------------------------------------------------

HRESULT TASGDropSource::QueryContinueDrag(bool EscapePressed, uint32_t KeyState)
{
    HRESULT r = S_OK;
    if (EscapePressed) {
        EndDragDrop();
        r = DRAGDROP_S_CANCEL;
    } else if (!(KeyState & MK_LBUTTON)) {
        EndDragDrop();
        r = DRAGDROP_S_DROP;
    }
    QueryDrag();
    return r;
}

HRESULT TASGDropSource::GiveFeedback(uint32_t Effect)
{
    FNoAccept = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---- TSourceEnumFormatEtc --------------------------------------------------------------

TSourceEnumFormatEtc::TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, int Index)
    : FIndex(Index), FHasCol(HasCol), FHasGridCells(HasGridCells)
{
}

int TSourceEnumFormatEtc::Size() const
{
    return 3 + int(FHasCol) + int(FHasGridCells);
}

HRESULT TSourceEnumFormatEtc::Next(uint32_t Count, TFormatEtc* Array, uint32_t* Fetched)
{
    std::vector<unsigned> list = {CF_TEXT, CF_UNICODETEXT, CF_RTF()};
    if (FHasCol)
        list.push_back(CF_GRIDCOLUMN());
    if (FHasGridCells)
        list.push_back(CF_GRIDCELLS());
    uint32_t n = 0;
    while (n < Count && FIndex < int(list.size())) {
        if (Array)
            Array[n] = TFormatEtc{list[size_t(FIndex)], DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        ++n;
        ++FIndex;
    }
    if (Fetched)
        *Fetched = n;
    return n == Count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(uint32_t Count)
{
    const int64_t next = int64_t(FIndex) + Count;
    if (next > Size()) {
        FIndex = Size();
        return S_FALSE;
    }
    FIndex = int(next);
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset()
{
    FIndex = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(std::unique_ptr<TSourceEnumFormatEtc>& Enum) const
{
    Enum = std::make_unique<TSourceEnumFormatEtc>(FHasCol, FHasGridCells, FIndex);
    return S_OK;
}

// ---- TSourceDataObject ----------------------------------------------------------------

TSourceDataObject::TSourceDataObject(const QString& Text, QBuffer* Stream, int ColumnIndex, const QString& RTF)
    : FText(Text), FRTF(RTF), FColumn(ColumnIndex), FStream(Stream)
{
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& Format) const
{
    if (Format.dwAspect != DVASPECT_CONTENT || Format.tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    const unsigned f = Format.cfFormat;
    if (!FText.isEmpty() && (f == CF_TEXT || f == CF_UNICODETEXT || (f == CF_RTF() && RTFEnabled)))
        return S_OK;
    if (FStream && f == CF_GRIDCELLS())
        return S_OK;
    if (FColumn != -1 && f == CF_GRIDCOLUMN())
        return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& Format, QByteArray& Medium) const
{
    const HRESULT q = QueryGetData(Format);
    if (q != S_OK)
        return q;
    const unsigned f = Format.cfFormat;
    if (f == CF_TEXT) {
        Medium = AnsiZ(FText);
    } else if (f == CF_UNICODETEXT) {
        Medium = QByteArray(FText.size() * 2 + 2, '\0');
        for (qsizetype i = 0; i < FText.size(); ++i)
            qToLittleEndian<char16_t>(FText[i].unicode(), Medium.data() + 2 * i);
    } else if (f == CF_RTF()) {
        Medium = AnsiZ(FRTF);
    } else if (f == CF_GRIDCELLS()) {
        Medium = CellsBlock(FStream->data());
    } else {
        Medium = Int32Block(FColumn);
    }
    return S_OK;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& Out) const
{
    Out = TFormatEtc();  // no target device
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::EnumFormatEtc(uint32_t Direction, std::unique_ptr<TSourceEnumFormatEtc>& Enum) const
{
    if (Direction != DATADIR_GET)
        return E_NOTIMPL;
    Enum = std::make_unique<TSourceEnumFormatEtc>(FColumn != -1, FStream != nullptr);
    return S_OK;
}

std::unique_ptr<QMimeData> TSourceDataObject::MakeMimeData() const
{
    auto m = std::make_unique<QMimeData>();
    if (!FText.isEmpty()) {
        m->setText(FText);
        if (RTFEnabled)
            m->setData(ClipboardFormatMime(CF_RTF()), UnicodeToAnsi(FRTF));
    }
    if (FColumn != -1)
        m->setData(ClipboardFormatMime(CF_GRIDCOLUMN()), Int32Block(FColumn));
    if (FStream)
        m->setData(ClipboardFormatMime(CF_GRIDCELLS()), CellsBlock(FStream->data()));
    return m;
}
