#include "Names.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QMimeData>
#include <QMutex>
#include <QMutexLocker>
#include <vector>

namespace {

constexpr unsigned FirstRegisteredId = 0xC000;

struct NameTable {
    QMutex Lock;
    QHash<QString, unsigned> ByFoldedName;
    std::vector<QString> Names;  // index = id - FirstRegisteredId
    QHash<unsigned, QEvent::Type> EventTypes;
};

NameTable& Table()
{
    static NameTable t;
    return t;
}

unsigned Register(const QString& name)
{
    if (name.isEmpty())
        return 0;
    NameTable& t = Table();
    QMutexLocker lock(&t.Lock);
    const QString key = name.toCaseFolded();
    auto it = t.ByFoldedName.constFind(key);
    if (it != t.ByFoldedName.cend())
        return *it;
    const unsigned id = FirstRegisteredId + unsigned(t.Names.size());
    t.Names.push_back(name);
    t.ByFoldedName.insert(key, id);
    return id;
}

void CopyFormats(const QMimeData* from, QMimeData* to)
{
    if (!from)
        return;
    for (const QString& f : from->formats())
        to->setData(f, from->data(f));
}

}  // namespace

unsigned RegisterWindowMessage(const QString& name)
{
    return Register(name);
}

unsigned RegisterClipboardFormat(const QString& name)
{
    return Register(name);
}

QString RegisteredName(unsigned id)
{
    NameTable& t = Table();
    QMutexLocker lock(&t.Lock);
    if (id < FirstRegisteredId || id - FirstRegisteredId >= t.Names.size())
        return QString();
    return t.Names[id - FirstRegisteredId];
}

QEvent::Type WindowMessageEventType(unsigned msg)
{
    if (RegisteredName(msg).isEmpty())
        return QEvent::None;
    NameTable& t = Table();
    QMutexLocker lock(&t.Lock);
    auto it = t.EventTypes.constFind(msg);
    if (it != t.EventTypes.cend())
        return *it;
    const auto type = QEvent::Type(QEvent::registerEventType());
    t.EventTypes.insert(msg, type);
    return type;
}

QString MimeForFormatName(const QString& name)
{
    static const struct {
        const char* Name;
        const char* Mime;
    } known[] = {
        {"Rich Text Format", "text/rtf"},
        {"HTML Format", "text/html"},
        {"UniformResourceLocator", "text/uri-list"},
    };
    for (const auto& k : known)
        if (name.compare(QLatin1String(k.Name), Qt::CaseInsensitive) == 0)
            return QLatin1String(k.Mime);
    QString n = name.toLower();
    n.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QStringLiteral("application/x-") + n;
}

QString ClipboardFormatMime(unsigned format)
{
    if (format == CF_TEXT || format == CF_UNICODETEXT)
        return QStringLiteral("text/plain");
    const QString name = RegisteredName(format);
    return name.isEmpty() ? QString() : MimeForFormatName(name);
}

// ---------------------------------------------------------------------------

TClipboard::TClipboard() = default;
TClipboard::~TClipboard() = default;

const QMimeData* TClipboard::Current() const
{
    if (FPending)
        return FPending.get();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::clipboard()->mimeData();
}

void TClipboard::Open()
{
    if (FOpenCount++ == 0)
        FPending.reset();
}

void TClipboard::Close()
{
    if (FOpenCount == 0 || --FOpenCount > 0)
        return;
    if (FPending && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->setMimeData(FPending.release());
    FPending.reset();
}

void TClipboard::Clear()
{
    if (FOpenCount > 0) {
        FPending = std::make_unique<QMimeData>();
        return;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->clear();
}

void TClipboard::Write(const QString& mime, const QByteArray& bytes, bool keepOthers)
{
    if (FOpenCount > 0) {
        // The first write of a group empties the clipboard, later ones add.
        if (!FPending) {
            FPending = std::make_unique<QMimeData>();
            if (keepOthers)
                CopyFormats(Current(), FPending.get());
        }
        FPending->setData(mime, bytes);
        return;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    auto data = std::make_unique<QMimeData>();
    if (keepOthers)
        CopyFormats(QGuiApplication::clipboard()->mimeData(), data.get());
    data->setData(mime, bytes);
    QGuiApplication::clipboard()->setMimeData(data.release());
}

bool TClipboard::HasFormat(unsigned format) const
{
    const QString mime = ClipboardFormatMime(format);
    const QMimeData* d = Current();
    return !mime.isEmpty() && d && d->hasFormat(mime);
}

QString TClipboard::AsText() const
{
    const QMimeData* d = Current();
    return d ? d->text() : QString();
}

void TClipboard::SetAsText(const QString& text)
{
    Write(QStringLiteral("text/plain"), text.toUtf8(), false);
}

QByteArray TClipboard::GetData(unsigned format) const
{
    const QString mime = ClipboardFormatMime(format);
    const QMimeData* d = Current();
    return (mime.isEmpty() || !d) ? QByteArray() : d->data(mime);
}

bool TClipboard::WriteFormat(unsigned format, const QByteArray& bytes, bool keepOthers)
{
    const QString mime = ClipboardFormatMime(format);
    if (mime.isEmpty())
        return false;
    Write(mime, bytes, keepOthers);
    return true;
}

bool TClipboard::SetData(unsigned format, const QByteArray& bytes)
{
    return WriteFormat(format, bytes, false);
}

bool TClipboard::AddData(unsigned format, const QByteArray& bytes)
{
    return WriteFormat(format, bytes, true);
}

bool TClipboard::SetFormats(const QList<QPair<unsigned, QByteArray>>& formats)
{
    for (const auto& f : formats)
        if (ClipboardFormatMime(f.first).isEmpty())
            return false;
    Open();
    Clear();
    for (const auto& f : formats)
        AddData(f.first, f.second);
    Close();
    return true;
}

TClipboard& Clipboard()
{
    static TClipboard c;
    return c;
}
