// Theme access: the entry-point tables, the OS tests, the office theme over
// a test registry and the notifier with its watch thread.
#include "ATXPVS.h"
#include "AdvStyleIF.h"
#include "AdvXPVS.h"
#include "Forms.h"
#include "GraphicsRecording.h"
#include "OsProfile.h"
#include "Registry.h"
#include "Services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString Office14 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString Office12 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");

// A profile for one test (the registry is the test's own program folder).
class ThemeTest : public ::testing::Test {
protected:
    void UseProfile(const OsProfile& p) { FProfile.emplace(&PlatformServices::Profile, std::make_shared<OsProfile>(p)); }
    static void WriteKey(const QString& key, const char* value = nullptr, int theme = 0)
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(key, true));
        if (value)
            reg.WriteInteger(QString::fromLatin1(value), theme);
    }
    static void OfficeKeys(const QString& common) { WriteKey(common + QStringLiteral("\\General")); }
    void SetUp() override
    {
        OsProfile p;  // Windows 7, visual styles present and active, no scheme
        UseProfile(p);
    }
    std::optional<ScopedService<std::shared_ptr<const OsProfile>>> FProfile;
};

TEST_F(ThemeTest, EntryTables)
{
    // Start from unloaded tables, whatever other tests loaded before.
    AdvXPVS::FreeThemeLibrary();
    ATXPVS::FreeThemeLibrary();
    OsProfile missing;
    missing.VisualStylesPresent = false;
    UseProfile(missing);
    AdvXPVS::InitThemeLibrary();
    EXPECT_FALSE(AdvXPVS::ThemeLibraryLoaded());
    EXPECT_FALSE(AdvXPVS::Theme.OpenThemeData);
    EXPECT_FALSE(AdvXPVS::Theme.DrawThemeBackground);
    EXPECT_FALSE(AdvXPVS::Theme.IsThemeActive);

    UseProfile(OsProfile());
    AdvXPVS::InitThemeLibrary();
    AdvXPVS::InitThemeLibrary();  // a second call does nothing
    EXPECT_TRUE(AdvXPVS::ThemeLibraryLoaded());
    EXPECT_FALSE(ATXPVS::ThemeLibraryLoaded());  // the other table is separate
    for (const char* cls : {"button", "combobox", "spin", "header", "Progress"})
        EXPECT_NE(AdvXPVS::Theme.OpenThemeData(nullptr, QString::fromLatin1(cls)), HTHEME(0)) << cls;
    EXPECT_EQ(AdvXPVS::Theme.OpenThemeData(nullptr, QStringLiteral("window")), HTHEME(0));

    // Every part the system draws paints; an unknown part does not.
    TRecordingCanvas rc;
    struct { const char* cls; int part, lastState; } parts[] = {
        {"button", 1, 5}, {"button", 2, 8}, {"button", 3, 12}, {"combobox", 1, 4}, {"spin", 1, 4},
        {"spin", 4, 4}, {"header", 1, 3}, {"header", 3, 1}, {"Progress", 1, 1}, {"Progress", 4, 1}};
    for (const auto& p : parts) {
        const HTHEME t = AdvXPVS::Theme.OpenThemeData(nullptr, QString::fromLatin1(p.cls));
        for (int s = 1; s <= p.lastState; ++s)
            EXPECT_EQ(AdvXPVS::Theme.DrawThemeBackground(t, &rc, p.part, s, TRect(0, 0, 20, 20), nullptr), S_OK)
                << p.cls << " " << p.part << " " << s;
        EXPECT_NE(AdvXPVS::Theme.DrawThemeBackground(t, &rc, p.part, p.lastState + 1, TRect(0, 0, 20, 20), nullptr),
                  S_OK);
        AdvXPVS::Theme.CloseThemeData(t);
    }
    AdvXPVS::FreeThemeLibrary();
    EXPECT_FALSE(AdvXPVS::ThemeLibraryLoaded());
    EXPECT_FALSE(AdvXPVS::Theme.OpenThemeData);

    ATXPVS::InitThemeLibrary();
    EXPECT_TRUE(ATXPVS::ThemeLibraryLoaded());
    EXPECT_TRUE(ATXPVS::Theme.IsThemeActive());
    ATXPVS::FreeThemeLibrary();
}

TEST_F(ThemeTest, OsTestsAndColourScheme)
{
    struct { const char* scheme; bool active, present; int major, minor; int expected; } cases[] = {
        {"NormalColor", true, true, 5, 1, 1}, {"Normal", true, true, 5, 1, 1}, {"HomeStead", true, true, 5, 1, 2},
        {"Metallic", true, true, 6, 1, 3},    {"", true, true, 5, 1, 0},       {"Royale", true, true, 5, 1, 0},
        {"Metallic", false, true, 5, 1, 0},   {"Metallic", true, false, 5, 1, 0},
        {"Metallic", true, true, 5, 0, 0},  // Windows 2000
    };
    for (const auto& c : cases) {
        OsProfile p;
        p.ThemeColorScheme = QString::fromLatin1(c.scheme);
        p.VisualStylesActive = c.active;
        p.VisualStylesPresent = c.present;
        p.MajorVersion = c.major;
        p.MinorVersion = c.minor;
        UseProfile(p);
        EXPECT_EQ(GetXPColorScheme(), c.expected) << c.scheme << " " << c.active << c.present << c.major << c.minor;
    }
    OsProfile xp;
    xp.MajorVersion = 5;
    xp.MinorVersion = 1;
    UseProfile(xp);
    EXPECT_TRUE(IsWinXPOrLater());
    EXPECT_FALSE(IsVistaOrLater());
    EXPECT_EQ(GetDefaultFontName(), QStringLiteral("Tahoma"));
    UseProfile(OsProfile());
    EXPECT_EQ(GetDefaultFontName(), QStringLiteral("Segoe UI"));
    EXPECT_TRUE(IsComCtl6OrLater());
}

TEST_F(ThemeTest, OfficeThemeFromRegistry)
{
    EXPECT_EQ(GetOfficeVersion(), 0);
    const TOfficeTheme xpThemes[] = {TOfficeTheme::ot2003Classic, TOfficeTheme::ot2003Blue, TOfficeTheme::ot2003Olive,
                                     TOfficeTheme::ot2003Silver};
    const char* schemes[] = {"", "NormalColor", "HomeStead", "Metallic"};
    for (int i = 0; i < 4; ++i) {
        OsProfile p;
        p.ThemeColorScheme = QString::fromLatin1(schemes[i]);
        UseProfile(p);
        EXPECT_EQ(CurrentOfficeTheme(), xpThemes[i]) << schemes[i];
    }
    UseProfile(OsProfile());

    // 12.0 alone: its Theme values.
    WriteKey(Office12, "Theme", 1);
    EXPECT_EQ(CurrentOfficeTheme(), TOfficeTheme::ot2007Blue);
    struct { int value; TOfficeTheme expected; } v12[] = {{1, TOfficeTheme::ot2007Blue}, {2, TOfficeTheme::ot2007Silver},
                                                          {3, TOfficeTheme::ot2007Black}, {7, TOfficeTheme::ot2003Blue}};
    for (const auto& c : v12) {
        WriteKey(Office12, "Theme", c.value);
        EXPECT_EQ(CurrentOfficeTheme(), c.expected) << c.value;
    }
    // 14.0 key without the value: still 12.0.
    WriteKey(Office14);
    EXPECT_EQ(CurrentOfficeTheme(), TOfficeTheme::ot2003Blue);
    struct { int value; TOfficeTheme expected; } v14[] = {{1, TOfficeTheme::ot2010Blue}, {2, TOfficeTheme::ot2010Silver},
                                                          {3, TOfficeTheme::ot2010Black}, {5, TOfficeTheme::ot2003Blue}};
    WriteKey(Office12, "Theme", 3);  // would be 2007 black if it were read
    for (const auto& c : v14) {
        WriteKey(Office14, "Theme", c.value);
        EXPECT_EQ(CurrentOfficeTheme(), c.expected) << c.value;
    }
    // A value that is no number counts as missing.
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(Office14, false));
        reg.WriteString(QStringLiteral("Theme"), QStringLiteral("blue"));
    }
    EXPECT_EQ(CurrentOfficeTheme(), TOfficeTheme::ot2007Black);

    EXPECT_EQ(GetOfficeVersion(), 0);  // no "General" keys yet
    OfficeKeys(Office12);
    EXPECT_EQ(GetOfficeVersion(), 1);
    OfficeKeys(Office14);
    EXPECT_EQ(GetOfficeVersion(), 2);
}

TEST_F(ThemeTest, HandleList)
{
    THandleList l;
    l.Add(10);
    l.Add(20);
    l.Insert(0, 5);
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Items(0), 5);
    EXPECT_TRUE(l.HasValue(20));
    l.DeleteValue(99);
    l.DeleteValue(10);
    EXPECT_EQ(l.Count(), 2);
    l.SetInteger(1, 7);
    EXPECT_EQ(l.Items(1), 7);
    l.Delete(0);
    EXPECT_EQ(l.Items(0), 7);
    EXPECT_THROW(l.Delete(3), EListError);
    EXPECT_THROW(l.Items(-1), EListError);
}

// A control that records the 0xBB1 messages it gets.
class TThemeListener : public TWinControl {
public:
    TThemeListener(TComponent* owner, std::vector<QString>* log, QString name)
        : TWinControl(owner), FLog(log), FName(std::move(name)) {}

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_OFFICETHEMECHANGED) {
            EXPECT_EQ(m.WParam, HKEY_CURRENT_USER);
            FLog->push_back(FName + u':' + QString::fromUtf16(reinterpret_cast<const char16_t*>(m.LParam)));
        }
        TWinControl::WndProc(m);
    }

private:
    std::vector<QString>* FLog;
    QString FName;
};

bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TEST_F(ThemeTest, NotifierWithoutOffice)
{
    std::unique_ptr<TThemeNotifier> n(new TThemeNotifier(nullptr));
    EXPECT_EQ(n->RegMonitorThread(), nullptr);
    EXPECT_EQ(n->NotifierWindow(), nullptr);
    std::vector<QString> log;
    TThemeListener grid(nullptr, &log, QStringLiteral("grid"));
    n->RegisterWindow(&grid);
    n->UnRegisterWindow(&grid);
}

TEST_F(ThemeTest, NotifierDeliversChanges)
{
    OfficeKeys(Office12);
    OfficeKeys(Office14);
    std::vector<QString> log;
    TThemeListener form(nullptr, &log, QStringLiteral("form"));
    TThemeNotifier* n = GetThemeNotifier(&form);
    EXPECT_EQ(GetThemeNotifier(&form), n);
    ASSERT_NE(n->RegMonitorThread(), nullptr);
    EXPECT_EQ(n->RegMonitorThread()->Key(), Office14);
    EXPECT_EQ(n->RegMonitorThread()->Filter(), 4u);
    EXPECT_TRUE(n->RegMonitorThread()->WatchSub());
    int fired = 0;
    n->OnOfficeThemeChange = [&](TObject* sender) {
        EXPECT_EQ(sender, n);
        log.push_back(QStringLiteral("event"));
        ++fired;
    };
    auto* a = new TThemeListener(nullptr, &log, QStringLiteral("a"));
    TThemeListener b(nullptr, &log, QStringLiteral("b"));
    auto* gone = new TThemeListener(nullptr, &log, QStringLiteral("gone"));
    n->RegisterWindow(a);
    n->RegisterWindow(&b);
    n->RegisterWindow(a);  // once only
    n->RegisterWindow(gone);
    n->UnRegisterWindow(&form);  // never registered
    delete gone;  // skipped from now on

    // Once the thread watches, change a value under the key.
    ASSERT_TRUE(WaitFor([&] { return n->RegMonitorThread()->ArmCount() >= 1; }));
    WriteKey(Office14, "Theme", 2);
    ASSERT_TRUE(WaitFor([&] { return log.size() >= 3; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("event"), QStringLiteral("a:") + Office14,
                                         QStringLiteral("b:") + Office14}));
    EXPECT_EQ(fired, 1);

    // Once more after unregistering a: only b.
    log.clear();
    n->UnRegisterWindow(a);
    delete a;
    ASSERT_TRUE(WaitFor([&] { return n->RegMonitorThread()->ArmCount() >= 2; }));
    WriteKey(Office14, "Theme", 3);
    ASSERT_TRUE(WaitFor([&] { return log.size() >= 2; }));
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("event"), QStringLiteral("b:") + Office14}));

    n->RegisterWindow(&b);
    delete n;  // stops the thread; the next call makes a new notifier
    TThemeNotifier* again = GetThemeNotifier(nullptr);
    EXPECT_NE(again, nullptr);
    delete again;
}

TEST_F(ThemeTest, NotifierWithAKeyThatCannotBeOpened)
{
    OfficeKeys(Office14);
    std::vector<QString> log;
    TThemeListener grid(nullptr, &log, QStringLiteral("grid"));
    std::unique_ptr<TThemeNotifier> n(new TThemeNotifier(nullptr, QStringLiteral("Software\\Nowhere")));
    ASSERT_NE(n->RegMonitorThread(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return n->RegMonitorThread()->Finished(); }));
    n->RegisterWindow(&grid);
    WriteKey(Office14, "Theme", 1);
    QThread::msleep(50);
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.empty());
    n->UnRegisterWindow(&grid);
    n->RegMonitorThread()->Stop();
    n.reset();
}

}  // namespace
