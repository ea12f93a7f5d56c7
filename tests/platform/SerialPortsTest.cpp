// The serial-port probe over a folder tree shaped like /sys/class/tty.
#include "Fakes.h"
#include "SerialPorts.h"
#include "Services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void MakeTty(const QDir& root, const QString& name, bool device, const char* type)
{
    ASSERT_TRUE(root.mkpath(name));
    if (device) {
        ASSERT_TRUE(root.mkpath(name + QStringLiteral("/device")));
    }
    if (type) {
        QFile f(root.filePath(name + QStringLiteral("/type")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(type);
    }
}

}  // namespace

TEST(SerialPorts, PresentPortsFromTheTree)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QDir root(tmp.path());
    MakeTty(root, QStringLiteral("ttyS0"), true, "4\n");
    MakeTty(root, QStringLiteral("ttyS1"), true, "0\n");   // no UART
    MakeTty(root, QStringLiteral("ttyS2"), false, "4\n");  // no device
    MakeTty(root, QStringLiteral("ttyS3"), true, nullptr); // no type file
    MakeTty(root, QStringLiteral("ttyUSB0"), true, "4\n");
    MakeTty(root, QStringLiteral("ttyS9"), true, "4\n");

    TSysfsSerialPortProbe probe(tmp.path());
    EXPECT_EQ(probe.PresentPorts(256), (QList<int>{1, 4, 10}));
    EXPECT_EQ(probe.PresentPorts(9), (QList<int>{1, 4}));
    EXPECT_EQ(probe.PresentPorts(0), QList<int>());

    TSysfsSerialPortProbe missing(tmp.filePath(QStringLiteral("none")));
    EXPECT_EQ(missing.PresentPorts(256), QList<int>());
}

TEST(SerialPorts, FixedProbeAnswersThroughTheServices)
{
    ScopedService g(&PlatformServices::SerialProbe,
                    std::make_shared<TFixedSerialPortProbe>(QList<int>{1, 3, 200}));
    EXPECT_EQ(PresentSerialPorts(256), (QList<int>{1, 3, 200}));
    EXPECT_EQ(PresentSerialPorts(9), (QList<int>{1, 3}));
}
