#include "UProfinetXML.h"

#include "UComon.h"
#include "UDescriptionFiles.h"

int Gsdml_NB_In = 1438;
int Gsdml_NB_Out = 1438;
QString Gsdml_Station_Name = QStringLiteral("SERIAL");

namespace {

constexpr int Default_Length = 1438;
const QString Default_Station = QStringLiteral("SERIAL");

// One line: its leading whitespace as runs ("3t 2b": three tabs, two
// blanks; "" none) and its text. {VENDOR}, {STATION}, {OUT} and {IN} stand
// for the values.
struct TGsdmlLine {
    const char* Indent;
    const char* Text;
};

// The text entries of the primary language; three of them put the value
// first.
struct TGsdmlText {
    const char* Indent;
    const char* Id;
    const char* Value;
    bool ValueFirst;
};

const TGsdmlLine Head_Lines[] = {
    {"", R"(<?xml version="1.0" encoding="UTF-8"?>)"},
    {"", R"(<!-- A fieldbus integration example. -->)"},
    {"", R"(<ISO15745Profile xmlns="http://www.profibus.com/GSDML/2003/11/DeviceProfile" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:schemaLocation="http://www.profibus.com/GSDML/2003/11/DeviceProfile ..\xsd\GSDML-DeviceProfile-v2.31.xsd">)"},
    {"1t", R"(<ProfileHeader>)"},
    {"2t", R"(<ProfileIdentification>PROFINET Device Profile</ProfileIdentification>)"},
    {"2t", R"(<ProfileRevision>1.00</ProfileRevision>)"},
    {"2t", R"(<ProfileName>Device Profile for PROFINET Devices</ProfileName>)"},
    {"2t", R"(<ProfileSource>PROFIBUS Nutzerorganisation e. V. (PNO)</ProfileSource>)"},
    {"2t", R"(<ProfileClassID>Device</ProfileClassID>)"},
    {"2t", R"(<ISO15745Reference>)"},
    {"3t", R"(<ISO15745Part>4</ISO15745Part>)"},
    {"3t", R"(<ISO15745Edition>1</ISO15745Edition>)"},
    {"3t", R"(<ProfileTechnology>GSDML</ProfileTechnology>)"},
    {"2t", R"(</ISO15745Reference>)"},
    {"1t", R"(</ProfileHeader>)"},
    {"1t", R"(<ProfileBody>)"},
    {"2t", R"(<DeviceIdentity VendorID="0xD3C7" DeviceID="0x0C5F">)"},
    {"3t", R"(<InfoText TextId="IDT_INFO_Device"/>)"},
    {"3t", R"(<VendorName Value="{VENDOR}"/>)"},
    {"2t", R"(</DeviceIdentity>)"},
    {"2t", R"(<DeviceFunction>)"},
    {"3t", R"(<Family MainFamily="Gateway" ProductFamily="GW52116"/>)"},
    {"2t", R"(</DeviceFunction>)"},
    {"2t", R"(<ApplicationProcess>)"},
    {"3t", R"(<DeviceAccessPointList>)"},
    {"3t 2b", R"(<DeviceAccessPointItem PNIO_Version="V2.3" RequiredSchemaVersion="V2.25" ID="IDD_1" PhysicalSlots="0..4" ModuleIdentNumber="0x00000001" MinDeviceInterval="64" ImplementationType="{STATION}" DNS_CompatibleName="{STATION}" FixedInSlots="0" ObjectUUID_LocalIndex="1" MultipleWriteSupported="true" MaxSupportedRecordSize="8192" ParameterizationSpeedupSupported="true" PowerOnToCommReady="350" DeviceAccessSupported="true" SharedDeviceSupported="true" CheckDeviceID_Allowed="false" NameOfStationNotTransferable="true">)"},
    {"5t", R"(<ModuleInfo>)"},
    {"6t", R"(<Name TextId="IDT_NAME_DAP1"/>)"},
    {"6t", R"(<InfoText TextId="IDT_INFO_DAP1"/>)"},
    {"6t", R"(<VendorName Value="{VENDOR}"/>)"},
    {"6t", R"(<OrderNumber Value="GW52116"/>)"},
    {"5t", R"(</ModuleInfo>)"},
    {"5t", R"(<SubslotList>)"},
    {"6t", R"(<SubslotItem SubslotNumber="0" TextId="IDT_SUBSLOT_1"/>)"},
    {"6t", R"(<SubslotItem SubslotNumber="32768" TextId="IDT_SUBSLOT_Interface"/>)"},
    {"6t", R"(<SubslotItem SubslotNumber="32769" TextId="IDT_SUBSLOT_Port1"/>)"},
    {"6t", R"(<SubslotItem SubslotNumber="32770" TextId="IDT_SUBSLOT_Port2"/>)"},
    {"5t", R"(</SubslotList>)"},
    {"5t", R"(<IOConfigData MaxInputLength="1440" MaxOutputLength="1440" MaxDataLength="2880"/>)"},
    {"5t", R"(<UseableModules>)"},
    {"6t", R"(<ModuleItemRef ModuleItemTarget="IDM_1" FixedInSlots="1"/>)"},
    {"5t", R"(</UseableModules>)"},
    {"5t", R"(<VirtualSubmoduleList>)"},
    {"6t", R"(<VirtualSubmoduleItem ID="IDS_V1" SubmoduleIdentNumber="0x00000000" >)"},
    {"5t 4b", R"(<IOData IOPS_Length="1" IOCS_Length="1"/>)"},
    {"7t", R"(<ModuleInfo>)"},
    {"8t", R"(<Name TextId="IDT_NAME_VS1"/>)"},
    {"8t", R"(<InfoText TextId="IDT_INFO_VS1"/>)"},
    {"7t", R"(</ModuleInfo>)"},
    {"6t", R"(</VirtualSubmoduleItem>)"},
    {"5t", R"(</VirtualSubmoduleList>)"},
    {"5t", R"(<SystemDefinedSubmoduleList>)"},
    {"6t", R"(<InterfaceSubmoduleItem ID="IDS_I" SubmoduleIdentNumber="0x00000001" SubslotNumber="32768" TextId="IDT_NAME_IS" SupportedRT_Classes="RT_CLASS_1" SupportedProtocols="SNMP;LLDP" SupportedMibs="MIB2">)"},
    {"7t", R"(<ApplicationRelations>)"},
    {"8t", R"(<TimingProperties SendClock="32" ReductionRatio="1 2 4 8 16 32 64 128 256 512"/>)"},
    {"7t", R"(</ApplicationRelations>)"},
    {"6t", R"(</InterfaceSubmoduleItem>)"},
    {"6t", R"(<PortSubmoduleItem ID="IDS_P1" SubmoduleIdentNumber="0x00000002" SubslotNumber="32769" TextId="IDT_NAME_PS1" MaxPortRxDelay="350" MaxPortTxDelay="160"/>)"},
    {"6t", R"(<PortSubmoduleItem ID="IDS_P2" SubmoduleIdentNumber="0x00000002" SubslotNumber="32770" TextId="IDT_NAME_PS2" MaxPortRxDelay="350" MaxPortTxDelay="160"/>)"},
    {"5t", R"(</SystemDefinedSubmoduleList>)"},
    {"5t", R"(<!-- This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). -->)"},
    {"5t", R"(<!-- FieldbusIntegrationSlots MaxSupported="127" Range="100..9999"/-->)"},
    {"4t", R"(</DeviceAccessPointItem>)"},
    {"3t", R"(</DeviceAccessPointList>)"},
    {"3t", R"(<ModuleList>)"},
    {"4t", R"(<!-- The "normal" module carrying the FAP. -->)"},
    {"4t", R"(<ModuleItem ID="IDM_1" ModuleIdentNumber="0x00000001">)"},
    {"5t", R"(<ModuleInfo>)"},
    {"6t", R"(<Name TextId="IDT_NAME_M1"/>)"},
    {"6t", R"(<InfoText TextId="IDT_INFO_M1"/>)"},
    {"6t", R"(<OrderNumber Value="12345-0040-M"/>)"},
    {"5t", R"(</ModuleInfo>)"},
    {"5t", R"(<VirtualSubmoduleList>)"},
    {"3t 2b 2t", R"(<VirtualSubmoduleItem ID="IDM_1" SubmoduleIdentNumber="0x00000001" >)"},
    {"3t 2b 2t 2b", R"(<IOData IOPS_Length="1" IOCS_Length="1" >)"},
    {"3b 3t 2b 2t 5b", R"(<Input> <DataItem DataType="OctetString" Length="{OUT}" TextId="IDT_Input_1"/> </Input>)"},
    {"3t 2b 2t 5b", R"(<Output><DataItem DataType="OctetString" Length="{IN}" TextId="IDT_Output_1"/></Output>)"},
    {"3t 2b 2t 2b", R"(</IOData>)"},
    {"3t 2b 1t 3b 1t 2b", R"(<RecordDataList>)"},
    {"44b", R"(<ParameterRecordDataItem Index="128" Length="2" >)"},
    {"6t", R"(<Name TextId="IDT_NAME_M1_IDT_REF_channel"/>)"},
    {"48b", R"(<Const ByteOffset="0" Data="0x00,0x00"/>)"},
    {"48b", R"(<Ref TextId="IDT_REF_reaction_to_cpu_stop" Visible="true" DataType="BitArea" ByteOffset="0" BitOffset="0" BitLength="2" DefaultValue="2" AllowedValues="0..2" ValueItemTarget="IDV_reaction_to_cpu_stop" ID="IDT_REF_reaction_to_cpu_stop" />)"},
    {"47b", R"(<MenuList>)"},
    {"22b 3t 10b", R"(<MenuItem ID="IDT_NAME_M1_IDT_REF_channel">)"},
    {"7t", R"(<Name TextId="IDT_NAME_M1_IDT_REF_channel"/>)"},
    {"7t", R"(<MenuRef MenuTarget="IDT_NAME_M1_Base_Parameters"/>)"},
    {"6t 2b", R"(</MenuItem>)"},
    {"6t 2b", R"(<MenuItem ID="IDT_NAME_M1_Base_Parameters">)"},
    {"7t", R"(<Name TextId="IDT_NAME_M1_Base_Parameters"/>)"},
    {"7t", R"(<ParameterRef ParameterTarget="IDT_REF_reaction_to_cpu_stop"/>)"},
    {"6t 2b", R"(</MenuItem>)"},
    {"5t 7b", R"(</MenuList>)"},
    {"43b", R"(</ParameterRecordDataItem>)"},
    {"38b", R"(</RecordDataList>)"},
    {"3t 2b 1t 4b", R"(<ModuleInfo>)"},
    {"3t 2b 1t 2b 1t 2b", R"(<Name TextId="IDT_NAME_M1"/>)"},
    {"3t 2b 2t 4b", R"(<InfoText TextId="IDT_INFO_M1"/>)"},
    {"1t 3b 2t 2b 1t 2b", R"(</ModuleInfo>)"},
    {"2t 5b 2t", R"(</VirtualSubmoduleItem>)"},
    {"5t", R"(</VirtualSubmoduleList>)"},
    {"4t", R"(</ModuleItem>)"},
    {"3t", R"(</ModuleList>)"},
    {"9b", R"(<ValueList>)"},
    {"4t 1b", R"(<ValueItem ID="IDV_reaction_to_cpu_stop">)"},
    {"5t", R"(<Assignments>)"},
    {"6t", R"(<Assign TextId="IDT_ASSIGN_do_set_substitude_values" Content="0"/>)"},
    {"6t", R"(<Assign TextId="IDT_ASSIGN_do_values_will_hold" Content="1"/>)"},
    {"6t", R"(<Assign TextId="IDT_ASSIGN_do_continue_counting" Content="2"/>)"},
    {"5t", R"(</Assignments>)"},
    {"3t 8b", R"(</ValueItem>)"},
    {"9b", R"(</ValueList>)"},
    {"3t", R"(<CategoryList>)"},
    {"4t", R"(<CategoryItem ID="IDC_DI" TextId="IDT_CATEGORY_DI">)"},
    {"5t", R"(<InfoText TextId="IDT_INFO_DI"/>)"},
    {"4t", R"(</CategoryItem>)"},
    {"4t", R"(<CategoryItem ID="IDC_DO" TextId="IDT_CATEGORY_DO">)"},
    {"5t", R"(<InfoText TextId="IDT_INFO_DO"/>)"},
    {"4t", R"(</CategoryItem>)"},
    {"3t", R"(</CategoryList>)"},
    {"3t", R"(<ExternalTextList>)"},
    {"4t", R"(<PrimaryLanguage>)"},
};
static_assert(std::size(Head_Lines) == 122, "lines 1 to 122");

const TGsdmlText Text_Lines[] = {
    {"5t", "IDT_INFO_Device", "Kestro Gateways", false},
    {"5t", "IDT_NAME_DAP1", "R7ARIRMaster", false},
    {"5t", "IDT_INFO_DAP1", "Profinet R7ARIR Adapter", false},
    {"5t", "IDT_SUBSLOT_1", "Subslot 1", false},
    {"5t", "IDT_SUBSLOT_Interface", "Interface", false},
    {"5t", "IDT_SUBSLOT_Port1", "Port 1", false},
    {"5t", "IDT_SUBSLOT_Port2", "Port 2", false},
    {"5t", "IDT_RECORD_NAME_Head", "Parameters of head module", false},
    {"5t", "IDT_REF_Power", "Percent power", false},
    {"5t", "IDT_NAME_VS1", "Submodule V1", false},
    {"5t", "IDT_INFO_VS1", "Description of submodule V1", false},
    {"5t", "IDT_NAME_IS", "I", false},
    {"5t", "IDT_NAME_PS1", "P1", false},
    {"5t", "IDT_NAME_PS2", "P2", false},
    {"5t", "IDT_NAME_M1", "Module", false},
    {"5t", "IDT_INFO_M1", "master R7ARIR", false},
    {"5t", "IDT_NAME_FAP", "FAP for R7ARIR", false},
    {"5t", "IDT_INFO_FAP", "Description of FAP for R7ARIR", false},
    {"5t", "IDT_RECORD_NAME_SlotCluster", "Parameters of the FAP", false},
    {"5t", "IDT_REF_SlotClusterBegin", "Beginning of slot cluster", false},
    {"5t", "IDT_NAME_M_PB1", "R7ARIR Master ", false},
    {"5t", "IDT_INFO_M_PB1", "Description of R7ARIR", false},
    {"5t", "IDT_NAME_S_PB1", "Module of a R7ARIR", false},
    {"5t", "IDT_INFO_S_PB1", "Description of module of a R7ARIR", false},
    {"5t", "IDT_PB_Input", "Digital input R7ARIRCLIENT", false},
    {"5t", "IDT_PB_InputBit0", "Digital input bit R7ARIR", false},
    {"5t", "IDT_NAME_S1", "Submodule 1", false},
    {"5t", "IDT_INFO_S1", "Description of submodule 1", false},
    {"5t", "IDT_Input_1", "Input byte", false},
    {"5t", "IDT_Output_1", "Output word", false},
    {"5t", "IDT_CATEGORY_DI", "Digital Input", false},
    {"5t", "IDT_INFO_DI", "Description of digital input", false},
    {"5t", "IDT_CATEGORY_DO", "Digital output", false},
    {"5t", "IDT_INFO_DO", "Description of digital output", false},
    {"5t", "IDT_NAME_M1_IDT_REF_channel", "Canale x", false},
    {"20b", "IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP", false},
    {"20b", "IDT_NAME_M1_Base_Parameters", "Base Parameters", false},
    {"20b", "IDT_ASSIGN_do_set_substitude_values", "Output substitute value", true},
    {"5t", "IDT_ASSIGN_do_values_will_hold", "Keep last value", true},
    {"5t", "IDT_ASSIGN_do_continue_counting", "Continue operation", true},
};
static_assert(std::size(Text_Lines) == 40, "lines 123 to 162");

const TGsdmlLine Tail_Lines[] = {
    {"4t", "</PrimaryLanguage>"},
    {"3t", "</ExternalTextList>"},
    {"2t", "</ApplicationProcess>"},
    {"1t", "</ProfileBody>"},
    {"", "</ISO15745Profile>"},
};

// "3t 2b" -> three tabs and two blanks.
QString Indent(const char* runs)
{
    QString out;
    for (const QString& run : QString::fromLatin1(runs).split(u' ', Qt::SkipEmptyParts)) {
        const QChar c = run.back() == u't' ? QChar(u'\t') : QChar(u' ');
        out += QString(run.chopped(1).toInt(), c);
    }
    return out;
}

// Text in an attribute value between double quotes.
QString AttributeText(const QString& s)
{
    QString out = s;
    out.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"))
        .replace(u'"', QStringLiteral("&quot;"));
    return out;
}

}  // namespace

QString GsdmlPath(const QString& chosen, const QString& name)
{
    const int slash = chosen.lastIndexOf(u'/');
    return (slash >= 0 ? chosen.left(slash) : QStringLiteral(".")) + u'/' + name;
}

void LoadGsdmlParameters()
{
    Gsdml_NB_In = Default_Length;
    Gsdml_NB_Out = Default_Length;
    Gsdml_Station_Name = Default_Station;
    const TProjectInput parGen(ParGen_File);
    Gsdml_NB_In = parGen.IntOr(QStringLiteral("PROFINET_NB_IN"), Default_Length);
    Gsdml_NB_Out = parGen.IntOr(QStringLiteral("PROFINET_NB_OUT"), Default_Length);
    Gsdml_Station_Name = parGen.ValueOr(QStringLiteral("PROFINET_NAME_STA"), Default_Station);
    if (Gsdml_Station_Name.trimmed().isEmpty()) Gsdml_Station_Name = Default_Station;
}

QStringList GsdmlLines()
{
    QStringList out;
    for (const TGsdmlLine& l : Head_Lines) {
        QString text = QString::fromUtf8(l.Text);
        text.replace(QStringLiteral("{VENDOR}"), AttributeText(Vendor_Name))
            .replace(QStringLiteral("{STATION}"), AttributeText(Gsdml_Station_Name))
            .replace(QStringLiteral("{OUT}"), QString::number(Gsdml_NB_Out))
            .replace(QStringLiteral("{IN}"), QString::number(Gsdml_NB_In));
        out << Indent(l.Indent) + text;
    }
    for (const TGsdmlText& t : Text_Lines) {
        const QString id = QStringLiteral("TextId=\"") + QString::fromUtf8(t.Id) + u'"';
        const QString value = QStringLiteral("Value=\"") + QString::fromUtf8(t.Value) + u'"';
        out << Indent(t.Indent) + QStringLiteral("<Text ") + (t.ValueFirst ? value + u' ' + id : id + u' ' + value) +
                   QStringLiteral("/>");
    }
    for (const TGsdmlLine& l : Tail_Lines) out << Indent(l.Indent) + QString::fromUtf8(l.Text);
    return out;
}

bool WriteGsdmlFile(const QString& path)
{
    return GenerateDescriptionFile(path, TTextEncoding::Utf8Bom, [] {
        LoadGsdmlParameters();
        return GsdmlLines();
    });
}

void CreateGsdmlFile(const QString& name)
{
    TSaveDialog dialog;
    dialog.SetFilter(QStringLiteral("PROFINET XML (*.xml)|") + name);
    dialog.SetFileName(name);
    const std::optional<QString> chosen = ChooseDescriptionFile(dialog);
    if (!chosen) return;
    const QString path = GsdmlPath(*chosen, name);
    if (!MayWriteFile(path, 2811, mbYesNo)) return;
    WriteGsdmlFile(path);
}
