#pragma once
// Registered names: window messages and clipboard formats share one
// process-wide table, as on Windows. The same name in any letter case gives
// the same number, from 0xC000 up.
//
// The clipboard service puts numbered formats on the system clipboard as
// MIME types.

#include <QByteArray>
#include <QEvent>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>

class QMimeData;

constexpr unsigned CF_TEXT = 1;
constexpr unsigned CF_UNICODETEXT = 13;

// The number of a name, registering it on first use; 0 for an empty name.
unsigned RegisterWindowMessage(const QString& name);
unsigned RegisterClipboardFormat(const QString& name);

// The name a number was registered with ("" when none).
QString RegisteredName(unsigned id);

// The Qt event type a window-message number is posted as; each number has
// its own, registered with Qt on first use. QEvent::None for numbers below
// 0xC000 that were never registered here.
QEvent::Type WindowMessageEventType(unsigned msg);

// The MIME type of a clipboard format: CF_TEXT and CF_UNICODETEXT give
// "text/plain"; registered names their table entry or "application/x-" and
// the name in lower case with blanks as "-"; "" for an unknown number.
QString ClipboardFormatMime(unsigned format);
QString MimeForFormatName(const QString& name);

// The system clipboard in numbered formats. The bytes of the text formats
// are UTF-8.
//
// A write outside a group replaces what the clipboard holds. Between Open()
// and the matching Close() writes are collected (the first one empties the
// clipboard) and reach the clipboard together at Close().
class TClipboard {
public:
    TClipboard();
    ~TClipboard();
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    void Open();
    void Close();
    void Clear();

    bool HasFormat(unsigned format) const;
    QString AsText() const;
    void SetAsText(const QString& text);
    QByteArray GetData(unsigned format) const;
    // False for a format with no MIME type.
    bool SetData(unsigned format, const QByteArray& bytes);
    // Adds a format to what the clipboard already holds, without emptying it.
    bool AddData(unsigned format, const QByteArray& bytes);
    // Puts several formats on the clipboard at once (replacing its content).
    bool SetFormats(const QList<QPair<unsigned, QByteArray>>& formats);

private:
    void Write(const QString& mime, const QByteArray& bytes, bool keepOthers);
    bool WriteFormat(unsigned format, const QByteArray& bytes, bool keepOthers);
    const QMimeData* Current() const;

    int FOpenCount = 0;
    std::unique_ptr<QMimeData> FPending;
};

// The process-wide clipboard object.
TClipboard& Clipboard();
