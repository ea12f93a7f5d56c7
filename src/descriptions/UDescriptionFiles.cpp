#include "UDescriptionFiles.h"

#include "Files.h"
#include "SysFormat.h"
#include "TextFiles.h"
#include "UComon.h"
#include "UFormLook.h"

namespace DescriptionMessages {

QString GsdTooManyModules()
{
    return QStringLiteral(
        "Error! The input and output lengths of the general parameters need more than 255 GSD modules; "
        "no file was written.");
}

QString InputNotReadable(const QString& path, const QString& reason)
{
    return QStringLiteral("Error! The file ") + path + QStringLiteral(" cannot be read: ") + reason +
           QStringLiteral(". No description file was written.");
}

QString GsdmlUserPartRefused()
{
    return QStringLiteral(
        "Error! The user part of the file name may not contain / \\ : * ? \" < > | or control characters.");
}

}  // namespace DescriptionMessages

// ---------------------------------------------------------------------------
// Reading

TProjectInput::TProjectInput(const QString& path)
{
    if (path.isEmpty() || !FileExists(path)) return;
    const TXmlLoadResult r = FDoc.LoadFromFile(path);
    if (!r) throw EDescriptionInput(DescriptionMessages::InputNotReadable(path, r.Reason()));
    FExists = true;
    FRoot = FDoc.DocumentElement();
}

std::optional<QString> TProjectInput::Value(const QString& name) const
{
    return FRoot.ChildText(name);
}

QString TProjectInput::ValueOr(const QString& name, const QString& def) const
{
    return Value(name).value_or(def);
}

int TProjectInput::IntOr(const QString& name, int def) const
{
    const std::optional<QString> text = Value(name);
    return text ? StrToIntDef(*text, def) : def;
}

QList<TXmlNode> TProjectInput::Rows(const QString& section) const
{
    QList<TXmlNode> rows;
    const TXmlNode s = FRoot.ChildElement(section);
    const int n = s.ChildElementCount();
    rows.reserve(n);
    for (int i = 0; i < n; ++i) rows << s.ChildElementAt(i);
    return rows;
}

QString RowText(const TXmlNode& row, const QString& name)
{
    return row.AttributeOr(name, QString());
}

int RowIntOr(const TXmlNode& row, const QString& name, int def)
{
    return StrToIntDef(RowText(row, name), def);
}

int RowInt(const TXmlNode& row, const QString& name)
{
    return StrToInt(RowText(row, name));
}

// ---------------------------------------------------------------------------
// Saving

QString JoinDescriptionLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

bool GenerateDescriptionFile(const QString& path, TTextEncoding encoding,
                             const std::function<QStringList()>& build)
{
    QStringList lines;
    try {
        lines = build();
    } catch (const EDescriptionInput& e) {
        ShowDescriptionError(e.Message());
        return false;
    } catch (const EConvertError& e) {
        ShowDescriptionError(e.Message());
        return false;
    }
    const TWriteResult w = WriteTextFile(path, JoinDescriptionLines(lines), encoding);
    if (!w) {
        ShowDescriptionError(FileCreateErrorText(path, w.Error));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Dialogs

std::optional<QString> ChooseDescriptionFile(TSaveDialog& dialog)
{
    dialog.SetInitialDir(Project_Path);
    if (!dialog.Execute()) return std::nullopt;
    return dialog.FileName();
}

bool MayWriteFile(const QString& path, int questionEntry, TMsgDlgButtons buttons)
{
    if (!FileExists(path)) return true;
    return MessageDlg(LangText(questionEntry), mtConfirmation, buttons) == mrYes;
}

void ShowDescriptionError(const QString& text)
{
    MessageDlg(text, mtError, TMsgDlgButtons{mbOK});
}
