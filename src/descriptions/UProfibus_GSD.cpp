#include "UProfibus_GSD.h"

#include "Files.h"
#include "UComon.h"
#include "UDescriptionFiles.h"
#include "UFormLook.h"

#include <memory>

int Gsd_NB_In = 0;
int Gsd_NB_Out = 0;

namespace {

constexpr int ModuleBytes = 64;
constexpr int BoxTextWidth = 82;

// ";*", the text padded to 82 characters, "*".
QString BoxLine(const QString& text = QString())
{
    return QStringLiteral(";*") + text.leftJustified(BoxTextWidth, u' ') + u'*';
}

QString Repeat(QChar c, int n)
{
    return QString(std::max(0, n), c);
}

void AddBanner(QStringList& out, int width, const QString& title)
{
    const QString rule = u';' + Repeat(u'=', width - 1);
    const QString head = QStringLiteral(";==== ") + title + u' ';
    out << rule << head + Repeat(u'=', width - int(head.size())) << rule;
}

QString Hex2(int v)
{
    return QStringLiteral("0x") + QString::number(v, 16).toUpper().rightJustified(2, u'0');
}

struct TPrmText {
    const char* Header;
    std::initializer_list<const char*> Lines;
};

void AddHeader(QStringList& out)
{
    const QString rule80 = u' ' + Repeat(u'=', 80) + u' ';
    const QString indent = Repeat(u' ', 11);
    out << QStringLiteral(";")
        << QStringLiteral(";******************* S7 Protocol / PROFIBUS Slave - Converter ***********************")
        << BoxLine(rule80) << BoxLine() << BoxLine(QStringLiteral(" Vendor:   ") + Vendor_Name);
    for (const QString& contact :
         {Vendor_Street, Vendor_Town, Vendor_Country, Vendor_Phone, Vendor_Fax, Vendor_Email})
        out << BoxLine(indent + contact);
    out << BoxLine() << BoxLine(rule80) << BoxLine()
        << BoxLine(QStringLiteral(" Function:       S7 Protocol / PROFIBUS Slave - Converter")) << BoxLine()
        << BoxLine() << BoxLine(QStringLiteral(" Order Number : GW52102")) << BoxLine() << BoxLine()
        << u';' + Repeat(u'*', 84) << QString() << QString();
}

void AddParameterTexts(QStringList& out)
{
    AddBanner(out, 85, QStringLiteral("Prm-Text-Def-List"));
    out << QString();
    const TPrmText texts[] = {
        {"PrmText=1", {"Text(0)=\"disable\"", "Text(1)=\"enable\""}},
        {"PrmText  = 2", {"Text(0)  = \"clock up\"", "Text(1)  = \"clock down\""}},
        {"PrmText  = 3",
         {"Text(1)  = \"10\"", "Text(2)  = \"20\"", "Text(3)  = \"30\"", "Text(4)  = \"40\"", "Text(5)  = \"50\""}},
    };
    for (const TPrmText& t : texts) {
        out << QString::fromUtf8(t.Header);
        for (const char* line : t.Lines) out << QString::fromUtf8(line);
        out << QStringLiteral("EndPrmText") << QString();
    }
    out << QString();

    AddBanner(out, 86, QStringLiteral("Ext-User-Prm-Data-Def-List"));
    out << QString();
    const TPrmText blocks[] = {
        {"ExtUserPrmData=1 \"[SlotNumber]\"", {"Unsigned8 0 0-32"}},
        {"ExtUserPrmData=2 \"Diagnostic Alarm\"", {"Bit(0) 0 0-1", "Prm_Text_Ref=1"}},
        {"ExtUserPrmData=3 \"Process Alarm\"", {"Bit(1) 0 0-1", "Prm_Text_Ref=1"}},
        {"ExtUserPrmData=4 \"Counter mode\"", {"Unsigned8 0 0-1", "Prm_Text_Ref=2"}},
        {"ExtUserPrmData=5 \"Counter timebase (ms)\"", {"Unsigned8 1 1-5", "Prm_Text_Ref=3"}},
        {"ExtUserPrmData=6 \"Counter high-limit\"", {"Unsigned16 65535 0-65535"}},
        {"ExtUserPrmData=7 \"Counter low-limit\"", {"Unsigned16 0 0-65535"}},
    };
    for (const TPrmText& b : blocks) {
        out << QString::fromUtf8(b.Header);
        for (const char* line : b.Lines) out << QString::fromUtf8(line);
        out << QStringLiteral("EndExtUserPrmData") << QString();
    }
    out << QString();
}

void AddKeywords(QStringList& out, int diModules, int doModules)
{
    const QString q = QStringLiteral("\"");
    AddBanner(out, 86, QStringLiteral("General DP Keywords"));
    out << QString() << QStringLiteral("GSD_Revision = 5") << QStringLiteral("Vendor_Name = ") + q + Vendor_Name + q
        << QStringLiteral("Model_Name = \"GW52102\"") << QStringLiteral("Revision = \"1.00\"")
        << QStringLiteral("Ident_Number = 0xE94B") << QStringLiteral("Protocol_Ident = 0")
        << QStringLiteral("Station_Type = 0") << QStringLiteral("FMS_supp = 0")
        << QStringLiteral("Hardware_Release = \"V1.00\"") << QStringLiteral("Software_Release = \"V1.00\"")
        << QStringLiteral("Redundancy = 0") << QStringLiteral("Repeater_Ctrl_Sig = 2") << QStringLiteral("24V_Pins = 0")
        << QString() << QString();

    AddBanner(out, 79, QStringLiteral("Supported baudrates"));
    out << QString();
    const char* const rates[] = {"9.6", "19.2", "45.45", "93.75", "187.5", "500", "1.5M", "3M", "6M", "12M"};
    const int tsdr[] = {15, 15, 15, 15, 15, 15, 20, 35, 50, 95};
    for (const char* r : rates) out << QString::fromUtf8(r) + QStringLiteral("_supp = 1");
    out << QString();
    for (int i = 0; i < 10; ++i)
        out << QStringLiteral("MaxTsdr_") + QString::fromUtf8(rates[i]) + u'=' + QString::number(tsdr[i]);
    out << QString() << QString();

    AddBanner(out, 79, QStringLiteral("Slave specific values"));
    out << QString() << QStringLiteral("OrderNumber=\"GW52102\"")
        << QStringLiteral("Slave_Family = 9@") + Vendor_Name + QStringLiteral("@GW52102")
        << QStringLiteral("Implementation_Type = \"VPC3+\"")
        << QStringLiteral("Info_Text=\"") + Vendor_Name + QStringLiteral(": S7 Protocol / PROFIBUS Slave - Converter\"")
        << QStringLiteral("Bitmap_Device = \"DPV0_1N\"") << QStringLiteral("Bitmap_SF=\"DPV0_1S\"") << QString()
        << QStringLiteral("Freeze_Mode_supp=1") << QStringLiteral("Sync_Mode_supp=1") << QStringLiteral("Fail_Safe=1")
        << QStringLiteral("Auto_Baud_supp=1") << QStringLiteral("Set_Slave_Add_supp=0") << QString()
        << QStringLiteral("Min_Slave_Intervall=6") << QString() << QStringLiteral("Modular_Station=1")
        << QStringLiteral("Max_Module=") + QString::number(diModules + doModules)
        << QStringLiteral("Modul_Offset=1") << QStringLiteral("Max_Input_Len=") + QString::number(Gsd_NB_Out)
        << QStringLiteral("Max_Output_Len=") + QString::number(Gsd_NB_In)
        << QStringLiteral("Max_Data_Len=") + QString::number(qint64(Gsd_NB_Out) + Gsd_NB_In)
        << QStringLiteral("Max_Diag_Data_Len=15") << QString() << QStringLiteral("WD_Base_1ms_supp = 1")
        << QStringLiteral("Publisher_supp = 1") << QString();

    AddBanner(out, 79, QStringLiteral("User-Prm-Data"));
    out << QString() << QStringLiteral("Max_User_Prm_Data_Len = 12")
        << QStringLiteral("Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00") << QString();

    AddBanner(out, 79, QStringLiteral("Modulstatus"));
    out << QString();
    for (int slot : {1, 2}) {
        const QString s = QStringLiteral("Slot ") + QString::number(slot);
        const int first = 22 + 2 * slot;
        out << QStringLiteral("Unit_Diag_Area = %1 - %2").arg(first).arg(first + 1)
            << QStringLiteral("Value(1)= \"") + s + QStringLiteral(": Module error\"")
            << QStringLiteral("Value(2)= \"") + s + QStringLiteral(": Wrong module\"")
            << QStringLiteral("Value(3)= \"") + s + QStringLiteral(": No module\"") << QStringLiteral("Unit_Diag_Area_End");
    }
    out << QString() << QString();
}

// The modules of one kind: full ones of 64 bytes, the last with the rest.
void AddModules(QStringList& out, const QString& kind, int identifier, int length, int& n)
{
    const int count = GsdModuleCount(length);
    for (int m = 0; m < count; ++m) {
        ++n;
        const int bytes = m + 1 < count ? ModuleBytes : length - m * ModuleBytes;
        out << QStringLiteral("Module=\"") + kind + QStringLiteral("  (PORT") + QString::number(n) +
                   QStringLiteral(")    \" ") + Hex2(identifier) + u',' + Hex2(bytes - 1) + u',' + Hex2(0) + u',' +
                   Hex2(n)
            << QString::number(n) << QStringLiteral("EndModule");
    }
}

}  // namespace

int GsdModuleCount(int length)
{
    return length > 0 ? int((qint64(length) + ModuleBytes - 1) / ModuleBytes) : 0;
}

QString GsdFileName(const QString& chosen)
{
    return chosen.endsWith(QStringLiteral(".gsd"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".gsd");
}

QStringList GsdLines()
{
    const int diModules = GsdModuleCount(Gsd_NB_Out);
    const int doModules = GsdModuleCount(Gsd_NB_In);
    QStringList out;
    AddHeader(out);
    out << QStringLiteral("#Profibus_DP") << QString() << QString();
    AddParameterTexts(out);
    AddKeywords(out, diModules, doModules);

    AddBanner(out, 79, QStringLiteral("Module-Definition-List"));
    out << QString();
    int n = 0;
    AddModules(out, QStringLiteral("DI"), 0x42, Gsd_NB_Out, n);
    AddModules(out, QStringLiteral("DO"), 0x82, Gsd_NB_In, n);
    out << QString() << QString() << QString();

    out << QStringLiteral("SlotDefinition");
    for (int i = 1; i <= n; ++i) {
        const QString s = QString::number(i);
        out << QStringLiteral("Slot(") + s + QStringLiteral(") = \"Slot ") + s + QStringLiteral("\" ") + s + u' ' + s;
    }
    out << QStringLiteral("EndSlotDefinition") << QString() << QString() << QString() << QString();
    return out;
}

bool WriteGsdFile(const QString& name)
{
    return GenerateDescriptionFile(name, TTextEncoding::Ansi, [] { return GsdLines(); });
}

void CreateGsdFile()
{
    if (!FileExists(ParGen_File)) {
        ShowDescriptionError(LangText(1104));
        return;
    }
    try {
        const TProjectInput parGen(ParGen_File);
        Gsd_NB_In = parGen.IntOr(QStringLiteral("PROFINET_NB_IN"), 0);
        Gsd_NB_Out = parGen.IntOr(QStringLiteral("PROFINET_NB_OUT"), 0);
    } catch (const EDescriptionInput& e) {
        ShowDescriptionError(e.Message());
        return;
    }
    // Hand-edited lengths could ask for millions of modules, which the one
    // byte of the module number cannot tell apart anyway.
    if (GsdModuleCount(Gsd_NB_In) + GsdModuleCount(Gsd_NB_Out) > Gsd_Max_Modules) {
        ShowDescriptionError(DescriptionMessages::GsdTooManyModules());
        return;
    }
    TSaveDialog dialog;
    dialog.SetFilter(QStringLiteral("Generic Station Description (*.gsd)|*.gsd"));
    const std::optional<QString> chosen = ChooseDescriptionFile(dialog);
    if (!chosen) return;
    const QString name = GsdFileName(*chosen);
    if (!MayWriteFile(name, 1103, mbYesNo)) return;
    WriteGsdFile(name);
}
