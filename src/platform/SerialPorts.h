#pragma once
// Which serial ports the machine has, without opening any of them (opening
// a tty raises DTR and RTS and can reset the hardware attached to it).

#include <QList>
#include <QString>

class ISerialPortProbe {
public:
    virtual ~ISerialPortProbe() = default;
    // The numbers n (1 to maxNumber, ascending) of the ports COM<n> present.
    virtual QList<int> PresentPorts(int maxNumber) = 0;
};

// COM<n> is /dev/ttyS<n-1>. It is present when <root>/ttyS<n-1>/device
// exists and <root>/ttyS<n-1>/type, when there is one, is not "0" (the
// kernel's "no UART"). USB adapters (ttyUSB*, ttyACM*) have no COM number
// and are not listed.
class TSysfsSerialPortProbe : public ISerialPortProbe {
public:
    explicit TSysfsSerialPortProbe(const QString& root = QStringLiteral("/sys/class/tty"));
    QList<int> PresentPorts(int maxNumber) override;
    const QString& Root() const { return FRoot; }

private:
    QString FRoot;
};

// The ports of the installed probe (none when no probe is installed).
QList<int> PresentSerialPorts(int maxNumber);
