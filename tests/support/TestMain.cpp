// Test entry: a headless application with everything that varies between
// machines pinned (platform, scale, style, font, regional settings).
#include "DialogResponder.h"
#include "TestHarness.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QStyleFactory>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    TestHarness::InstallFont();
    ::testing::InitGoogleTest(&argc, argv);
    TestHarness::InstallTestServices();
    DialogResponder::InstallStrictDefaults();
    int rc = RUN_ALL_TESTS();
    return rc;
}
