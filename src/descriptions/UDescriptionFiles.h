#pragma once
// What the five device-description writers share: the vendor's name and
// contact lines, the reading of the project's XML files, the save dialog
// and overwrite question of a run, and the saving of the finished text.
//
// A generation reads all of its inputs before it creates its file: an input
// file that exists but does not parse, or a value that must be a number and
// is none, ends the run with one error dialog and leaves the disk unchanged.

#include "Dialogs.h"
#include "SysUtils.h"
#include "TextEncoding.h"
#include "XmlDoc.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The vendor every description file names, and its contact lines.
inline const QString Vendor_Name = QStringLiteral("Kestro");
inline const QString Vendor_Street = QStringLiteral("Example Street 1");
inline const QString Vendor_Town = QStringLiteral("00000 Example Town");
inline const QString Vendor_Country = QStringLiteral("Example Country");
inline const QString Vendor_Phone = QStringLiteral("Tel. +00 000 0000000");
inline const QString Vendor_Fax = QStringLiteral("Fax +00 000 0000001");
inline const QString Vendor_Email = QStringLiteral("E-mail: info@kestro.example");

// The texts of the generators that no language entry words.
namespace DescriptionMessages {
QString GsdTooManyModules();
// path and the parse error's reason (with its line and column).
QString InputNotReadable(const QString& path, const QString& reason);
QString GsdmlUserPartRefused();
}  // namespace DescriptionMessages

// Raised while the inputs of a run are read; the message is shown as it is.
DECLARE_EXCEPTION(EDescriptionInput, Exception)

// A project file (ParGen.xml or a table file) read for one run, in a
// document of its own. A file that does not exist gives an input with no
// root, whose every read gives the caller's default or no rows.
class TProjectInput {
public:
    // Raises EDescriptionInput when the file exists and cannot be parsed.
    explicit TProjectInput(const QString& path);
    TProjectInput(const TProjectInput&) = delete;
    TProjectInput& operator=(const TProjectInput&) = delete;

    bool Exists() const { return FExists; }
    TXmlNode Root() const { return FRoot; }

    // The text of the root's child element of that name; nothing when the
    // file or the element is missing.
    std::optional<QString> Value(const QString& name) const;
    QString ValueOr(const QString& name, const QString& def) const;
    // The value read as an integer; def when it is missing or no integer.
    int IntOr(const QString& name, int def) const;

    // Every child element of the root's section of that name, in file
    // order; none when the file or the section is missing.
    QList<TXmlNode> Rows(const QString& section) const;

private:
    TXmlDocument FDoc;
    TXmlNode FRoot;
    bool FExists = false;
};

// A row's attribute: empty when it is missing.
QString RowText(const TXmlNode& row, const QString& name);
// A row's attribute as an integer; def when it is missing or no integer.
int RowIntOr(const TXmlNode& row, const QString& name, int def);
// A row's attribute as an integer; raises EConvertError when it is none.
int RowInt(const TXmlNode& row, const QString& name);

// The lines joined by CR LF, with CR LF after the last one too.
QString JoinDescriptionLines(const QStringList& lines);

// One generation: build reads the inputs and returns the lines, then the
// file is saved in the encoding given. An EDescriptionInput or
// EConvertError from build, or a failed save (the file-creation text), is
// shown as an error dialog. True when the file was written.
bool GenerateDescriptionFile(const QString& path, TTextEncoding encoding,
                             const std::function<QStringList()>& build);

// Runs a save dialog from Project_Path; the chosen name, or nothing when the
// user cancelled.
std::optional<QString> ChooseDescriptionFile(TSaveDialog& dialog);

// True when path does not exist, or when the user answers Yes to the
// language entry asked with the buttons given.
bool MayWriteFile(const QString& path, int questionEntry, TMsgDlgButtons buttons);

// An error dialog with one OK button.
void ShowDescriptionError(const QString& text);
