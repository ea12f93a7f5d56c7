#include "SerialPorts.h"

#include "Files.h"
#include "Services.h"
#include "SysUtils.h"

#include <QFileInfo>

TSysfsSerialPortProbe::TSysfsSerialPortProbe(const QString& root) : FRoot(root) {}

QList<int> TSysfsSerialPortProbe::PresentPorts(int maxNumber)
{
    QList<int> ports;
    for (int n = 1; n <= maxNumber; ++n) {
        const QString dir = FRoot + QStringLiteral("/ttyS") + QString::number(n - 1);
        if (!QFileInfo::exists(dir + QStringLiteral("/device")))
            continue;
        QByteArray type;
        try {
            type = ReadFileBytes(dir + QStringLiteral("/type"));
        } catch (const Exception&) {
            // No type to tell: the port counts.
        }
        if (type.trimmed() == "0")
            continue;
        ports.append(n);
    }
    return ports;
}

QList<int> PresentSerialPorts(int maxNumber)
{
    const auto& probe = Services().SerialProbe;
    return probe ? probe->PresentPorts(maxNumber) : QList<int>();
}
