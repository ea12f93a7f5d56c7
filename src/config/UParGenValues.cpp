#include "UParGenValues.h"

#include "SysFormat.h"
#include "XmlDoc.h"

namespace {

using K = TParGenKind;

// Indexed by TParGenField: the file's order.
const TParGenFieldInfo Fields[ParGenFieldCount] = {
    {"S7_Protocol_IP1", K::Text, "192", 0},
    {"S7_Protocol_IP2", K::Text, "168", 0},
    {"S7_Protocol_IP3", K::Text, "0", 0},
    {"S7_Protocol_IP4", K::Text, "5", 0},
    {"S7_Protocol_SM1", K::Text, "255", 0},
    {"S7_Protocol_SM2", K::Text, "255", 0},
    {"S7_Protocol_SM3", K::Text, "255", 0},
    {"S7_Protocol_SM4", K::Text, "0", 0},
    {"S7_Protocol_GAT1", K::Text, "192", 0},
    {"S7_Protocol_GAT2", K::Text, "168", 0},
    {"S7_Protocol_GAT3", K::Text, "0", 0},
    {"S7_Protocol_GAT4", K::Text, "1", 0},
    {"S7_Protocol_EN_GAT", K::Check, "0", 0},
    {"S7_Protocol_TimeOut", K::Text, "100", 0},
    {"S7_Protocol_Enable_Reset_TimeOut", K::Check, "0", 0},
    {"S7_Protocol_Reset_TimeOut", K::Text, "100", 0},
    {"Eth_Conn_Device_Name", K::Text, "", 0},
    {"Eth_Conn_DHCP_Cable", K::Check, "0", 0},
    {"Eth_Conn_DHCP_WiFi", K::Check, "0", 0},
    {"Eth_Conn_Enable_DNS", K::Check, "0", 0},
    {"Eth_Conn_Primary_DNS1", K::Text, "8", 0},
    {"Eth_Conn_Primary_DNS2", K::Text, "8", 0},
    {"Eth_Conn_Primary_DNS3", K::Text, "8", 0},
    {"Eth_Conn_Primary_DNS4", K::Text, "8", 0},
    {"Eth_Conn_Secondary_DNS1", K::Text, "8", 0},
    {"Eth_Conn_Secondary_DNS2", K::Text, "8", 0},
    {"Eth_Conn_Secondary_DNS3", K::Text, "8", 0},
    {"Eth_Conn_Secondary_DNS4", K::Text, "8", 0},
    {"SERIAL_SERIAL", K::List, "0", 2},
    {"SERIAL_BAUDRATE", K::List, "7", 8},
    {"SERIAL_PARITY", K::List, "0", 3},
    {"SERIAL_STOPBITS", K::List, "0", 2},
};

const char* const RootName = "Par_Gen";
const char* const VersionComment = "SW_VERSION = 1.000";

// The reasons a file is refused; the window puts them into its message.
const char* const NoRootReason = "it holds no element";

// A range check of Controllo_Dati: `count` fields from `first`, each read as
// an integer, must lie in [min, max] while `condition` (a check box, or -1
// for always) is ticked; the i-th field's failure is entry `message` + i.
struct TRangeCheck {
    int First;
    int Count;
    int Condition;
    int Min;
    int Max;
    int Message;
};

const TRangeCheck RangeChecks[] = {
    {pgPriDns1, 4, pgEnableDns, 0, 255, 948},
    {pgSecDns1, 4, pgEnableDns, 0, 255, 952},
    {pgS7_IP1, 4, -1, 0, 255, 451},
    {pgS7_SM1, 4, -1, 0, 255, 455},
    {pgS7_GAT1, 4, pgS7_EnGat, 0, 255, 459},
    {pgS7_TimeOut, 1, -1, 1, 60000, 958},
    {pgS7_ResetTimeOut, 1, pgS7_EnResetTimeOut, 10, 3600, 962},
};

// Two stop bits need parity NONE.
const int StopBitsParityMessage = 488;

}  // namespace

const TParGenFieldInfo& ParGenFieldInfo(int field)
{
    return Fields[field];
}

QStringList ParGenListItems(int field)
{
    switch (field) {
    case pgSerial:
        return {QStringLiteral("RS232"), QStringLiteral("RS485")};
    case pgBaudrate:
        return {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
                QStringLiteral("57600"), QStringLiteral("115200")};
    case pgParity:
        return {QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")};
    case pgStopBits:
        return {QStringLiteral("1 Stop Bits"), QStringLiteral("2 Stop Bits")};
    default:
        return {};
    }
}

TParGenValues::TParGenValues()
{
    for (int f = 0; f < ParGenFieldCount; ++f)
        FValues[size_t(f)] = QString::fromLatin1(Fields[f].Default);
}

int TParGenValues::Index(int field) const
{
    int v = -1;
    if (TryStrToInt(FValues[size_t(field)], v) && v >= 0 && v < Fields[field].ListCount)
        return v;
    return QByteArray(Fields[field].Default).toInt();
}

void TParGenValues::ReadElements(const TXmlNode& root)
{
    for (int f = 0; f < ParGenFieldCount; ++f) {
        const std::optional<QString> found = root.ChildText(QLatin1String(Fields[f].Element));
        if (!found)
            continue;
        const QString& text = *found;
        switch (Fields[f].Kind) {
        case K::Text:
            FValues[size_t(f)] = text;
            break;
        case K::Check:
            SetChecked(f, text == QStringLiteral("1"));
            break;
        case K::List:
            FValues[size_t(f)] = text;
            SetIndex(f, Index(f));  // out of the list: the default
            break;
        }
    }
}

TParGenLoad LoadParGenFile(TXmlDocument& doc, const QString& path)
{
    TParGenLoad load;
    if (path.isEmpty() || !FileExists(path))
        return load;
    const TXmlLoadResult r = doc.LoadFromFile(path);
    if (!r) {
        load.Ok = false;
        load.Reason = r.Reason();
        return load;
    }
    // The document element, not merely the first node: a declaration or a
    // comment in front of the root must not hide the values.
    const TXmlNode root = doc.DocumentElement();
    if (root.IsNull()) {
        load.Ok = false;
        load.Reason = QString::fromLatin1(NoRootReason);
        return load;
    }
    load.Values.ReadElements(root);
    return load;
}

void BuildParGenDocument(TXmlDocument& doc, const TParGenValues& values)
{
    doc.ClearDocument();
    TXmlNode root = doc.AddChild(QLatin1String(RootName));
    doc.AddComment(QLatin1String(VersionComment));
    for (int f = 0; f < ParGenFieldCount; ++f)
        root.AddChild(QLatin1String(Fields[f].Element)).SetText(values[f]);
}

TWriteResult SaveParGenFile(TXmlDocument& doc, const QString& path, const TParGenValues& values)
{
    BuildParGenDocument(doc, values);
    return doc.SaveToFile(path);
}

int ParGenFirstFault(const TParGenValues& values)
{
    for (const TRangeCheck& c : RangeChecks) {
        if (c.Condition >= 0 && !values.Checked(c.Condition))
            continue;
        for (int i = 0; i < c.Count; ++i) {
            const int v = StrToIntDef(values[c.First + i], -1);
            if (v < c.Min || v > c.Max)
                return c.Message + i;
        }
    }
    if (values.Index(pgStopBits) >= 1 && values.Index(pgParity) >= 1)
        return StopBitsParityMessage;
    return 0;
}
