#include "UComonSettings.h"

#include "UComon.h"
#include "XmlDoc.h"

#include <optional>

namespace {

const QString DefaultIpAddress = QStringLiteral("192.168.2.205");
const QString DefaultLanguage = QStringLiteral("English");

// The text of root/parent/child, or nothing when either element is missing.
std::optional<QString> ChildText(const TXmlNode& root, const char* parent, const char* child)
{
    return root.ChildElement(QLatin1String(parent)).ChildText(QLatin1String(child));
}

// On only when the text is exactly "1": no trimming, no other spelling.
bool FlagOf(const TXmlNode& root, const char* child)
{
    std::optional<QString> text = ChildText(root, "lastinternet", child);
    return text && *text == QLatin1String("1");
}

void AddValue(TXmlNode parent, const char* name, const QString& value)
{
    parent.AddChild(QLatin1String(name)).SetText(value);
}

QString FlagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

QString SettingsFileName()
{
    return Exe_Dir + QStringLiteral("/Calyptor.xml");
}

void ReadSettingsFile()
{
    Project_Name.clear();
    Last_IP_Address = DefaultIpAddress;
    Language_Name = DefaultLanguage;
    Opt_Enable_Internet = false;
    Opt_Enable_Update = false;
    Opt_Jump_Field_Tables = false;
    Opt_Double_Click_Auto_Size = false;

    const QString path = SettingsFileName();
    TXmlDocument doc;
    if (Exe_Dir.isEmpty() || !FileExists(path) || !doc.LoadFromFile(path)) {
        // A missing or broken file: the defaults stand, the next save replaces it.
        Project_Path.clear();
        return;
    }
    // The document element, so a declaration or comment at the top is harmless.
    const TXmlNode root = doc.DocumentElement();
    if (std::optional<QString> v = ChildText(root, "lastproj", "projectname"))
        Project_Name = IsValidProjectName(*v) ? *v : QString();
    if (std::optional<QString> v = ChildText(root, "lastipadd", "ipaddress"))
        Last_IP_Address = *v;
    if (std::optional<QString> v = ChildText(root, "lastlang", "language"))
        Language_Name = IsValidProjectName(*v) ? *v : DefaultLanguage;
    Opt_Enable_Internet = FlagOf(root, "enable_internet");
    Opt_Enable_Update = FlagOf(root, "enable_update");
    Opt_Jump_Field_Tables = FlagOf(root, "enable_jump_field_tables");
    Opt_Double_Click_Auto_Size = FlagOf(root, "Double_Click_Auto_Size");
}

TWriteResult WriteSettingsFile()
{
    TXmlDocument doc;
    TXmlNode root = doc.AddChild(QStringLiteral("Conf_Settings"));
    AddValue(root.AddChild(QStringLiteral("lastproj")), "projectname", Project_Name);
    AddValue(root.AddChild(QStringLiteral("lastipadd")), "ipaddress", Last_IP_Address);
    AddValue(root.AddChild(QStringLiteral("lastlang")), "language", Language_Name);
    TXmlNode options = root.AddChild(QStringLiteral("lastinternet"));
    AddValue(options, "enable_internet", FlagText(Opt_Enable_Internet));
    AddValue(options, "enable_update", FlagText(Opt_Enable_Update));
    AddValue(options, "enable_jump_field_tables", FlagText(Opt_Jump_Field_Tables));
    AddValue(options, "Double_Click_Auto_Size", FlagText(Opt_Double_Click_Auto_Size));

    if (Exe_Dir.isEmpty())
        return {false, QStringLiteral("The program folder is not set; the settings cannot be saved."), QString()};
    const QString path = SettingsFileName();
    TWriteResult result = doc.SaveToFile(path);
    if (!result)
        result.Error = FileCreateErrorText(path, result.Error);
    return result;
}
