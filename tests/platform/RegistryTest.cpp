#include "Registry.h"

#include "Files.h"
#include "Services.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {
const QString kOffice = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
}  // namespace

TEST(Registry, WriteThenReadBackInNewInstance)
{
    {
        TRegistry reg;
        EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
        EXPECT_FALSE(reg.KeyExists(kOffice));
        EXPECT_FALSE(reg.OpenKey(kOffice, false));
        ASSERT_TRUE(reg.OpenKey(kOffice, true));
        EXPECT_NE(reg.CurrentKey(), 0u);
        reg.WriteInteger("Theme", 3);
        reg.WriteString("Name", "a b=c");
        reg.WriteString("", "default");
    }
    EXPECT_EQ(RegistryFileName(), TestHarness::ProgramPath("registry.ini"));
    EXPECT_TRUE(FileExists(TestHarness::ProgramPath("registry.ini")));

    TRegistry reg;
    EXPECT_TRUE(reg.KeyExists("software\\microsoft"));  // without case, parents exist
    EXPECT_TRUE(reg.KeyExists("\\" + kOffice + "\\"));
    EXPECT_FALSE(reg.KeyExists("Software\\Micro"));
    ASSERT_TRUE(reg.OpenKeyReadOnly(kOffice.toUpper()));
    EXPECT_EQ(reg.ReadInteger("theme"), 3);
    EXPECT_EQ(reg.ReadString("Name"), "a b=c");
    EXPECT_EQ(reg.ReadString(""), "default");
    EXPECT_TRUE(reg.ValueExists("Theme"));
    EXPECT_FALSE(reg.ValueExists("Missing"));
    EXPECT_EQ(reg.GetValueNames(), (QStringList{"Theme", "Name", ""}));
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Name"), ERegistryException);  // not an integer
    EXPECT_THROW(reg.WriteInteger("Theme", 1), ERegistryException);  // read-only
    EXPECT_THROW(reg.DeleteValue("Theme"), ERegistryException);

    ASSERT_TRUE(reg.OpenKey("\\Software\\Microsoft", false));
    EXPECT_EQ(reg.GetKeyNames(), QStringList{"Office"});
    ASSERT_TRUE(reg.OpenKey("Office\\12.0", true));  // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), "Software\\Microsoft\\Office\\12.0");
    reg.WriteInteger("Theme", 2);
    reg.CloseKey();
    EXPECT_THROW(reg.WriteInteger("x", 1), ERegistryException);  // no key open

    ASSERT_TRUE(reg.OpenKey("Software\\Microsoft\\Office", false));
    EXPECT_EQ(reg.GetKeyNames(), (QStringList{"14.0", "12.0"}));
    EXPECT_TRUE(reg.DeleteKey("14.0"));
    EXPECT_FALSE(reg.KeyExists("\\" + kOffice));
    EXPECT_EQ(reg.GetKeyNames(), QStringList{"12.0"});
    EXPECT_TRUE(reg.DeleteKey("12.0"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\Microsoft\\Office"));  // the parent stays

    TRegistry other;
    other.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(other.KeyExists("Software"));
    EXPECT_FALSE(other.OpenKey("Software\\X", true));
}

TEST(Registry, ValuesThatWouldBreakTheFileAreRefused)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\T", true));
    EXPECT_THROW(reg.WriteString("a=b", "1"), ERegistryException);
    EXPECT_THROW(reg.WriteString("v", "line1\nline2"), ERegistryException);
    EXPECT_THROW(reg.WriteString("[x]", "1"), ERegistryException);
    EXPECT_FALSE(reg.OpenKey("Bad\nKey", true));
    EXPECT_TRUE(reg.GetValueNames().isEmpty());
}

TEST(Registry, FailedSaveRaisesAndKeepsFile)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\T", true));
    reg.WriteInteger("a", 1);
    const QByteArray before = ReadFileBytes(RegistryFileName());
    ScopedService g(&PlatformServices::RegistryFile, TestHarness::ProgramPath("missing/registry.ini"));
    TRegistry broken;
    EXPECT_THROW(broken.OpenKey("Software\\T", true), ERegistryException);
    EXPECT_EQ(ReadFileBytes(TestHarness::ProgramPath("registry.ini")), before);
}

TEST(Registry, NotificationFilterAndScope)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kOffice, true));
    TRegistry writer;
    struct Case {
        const char* what;
        bool subtree;
        unsigned filter;
        std::function<void()> change;
        bool fires;
    } cases[] = {
        {"value of the key", false, REG_NOTIFY_CHANGE_LAST_SET,
         [&] { writer.OpenKey("\\" + kOffice, false); writer.WriteInteger("Theme", 1); }, true},
        {"value below, no subtree", false, REG_NOTIFY_CHANGE_LAST_SET,
         [&] { writer.OpenKey("\\" + kOffice + "\\Sub", true); writer.WriteInteger("x", 1); }, false},
        {"value below, subtree", true, REG_NOTIFY_CHANGE_LAST_SET,
         [&] { writer.OpenKey("\\" + kOffice + "\\Sub", true); writer.WriteInteger("x", 2); }, true},
        {"value elsewhere", true, REG_NOTIFY_CHANGE_LAST_SET,
         [&] { writer.OpenKey("\\Software\\Other", true); writer.WriteInteger("x", 1); }, false},
        {"key added, value filter", true, REG_NOTIFY_CHANGE_LAST_SET,
         [&] { writer.OpenKey("\\" + kOffice + "\\New1", true); }, false},
        {"key added, name filter", false, REG_NOTIFY_CHANGE_NAME,
         [&] { writer.OpenKey("\\" + kOffice + "\\New2", true); }, true},
        {"key removed, name filter", false, REG_NOTIFY_CHANGE_NAME,
         [&] { writer.OpenKey("\\" + kOffice, false); writer.DeleteKey("New2"); }, true},
        {"value deleted", false, REG_NOTIFY_CHANGE_LAST_SET,
         [&] { writer.OpenKey("\\" + kOffice, false); writer.DeleteValue("Theme"); }, true},
    };
    for (const Case& c : cases) {
        TEvent ev;
        ASSERT_EQ(RegNotifyChangeKeyValue(reg.CurrentKey(), c.subtree, c.filter, &ev), ERROR_SUCCESS);
        c.change();
        EXPECT_EQ(ev.WaitFor(0) == TEvent::wrSignaled, c.fires) << c.what;
    }
    TEvent ev;
    EXPECT_EQ(RegNotifyChangeKeyValue(12345678, true, 4, &ev), ERROR_INVALID_HANDLE);
}

// The theme watcher's shape: a thread waits on the event, handles a change,
// resets the event and arms the notification again; the stop path sets the
// event directly.
TEST(Registry, WatchThreadWakesOnChangeAndStops)
{
    TRegistry setup;
    ASSERT_TRUE(setup.OpenKey(kOffice, true));
    TRegistry watched;
    ASSERT_TRUE(watched.OpenKeyReadOnly(kOffice));

    TEvent change(true, false);
    TEvent handled(false, false);  // auto-reset: one per handled change
    std::atomic<bool> rearm{true}, stop{false};
    std::atomic<int> wakes{0};
    const HKEY key = watched.CurrentKey();
    ASSERT_EQ(RegNotifyChangeKeyValue(key, true, REG_NOTIFY_CHANGE_LAST_SET, &change), ERROR_SUCCESS);
    std::thread watcher([&] {
        for (;;) {
            if (change.WaitFor(INFINITE) != TEvent::wrSignaled) continue;
            if (stop) break;
            ++wakes;
            change.ResetEvent();
            if (rearm) RegNotifyChangeKeyValue(key, true, REG_NOTIFY_CHANGE_LAST_SET, &change);
            handled.SetEvent();
        }
    });

    TRegistry gui;
    ASSERT_TRUE(gui.OpenKey(kOffice, false));
    gui.WriteInteger("Theme", 2);
    EXPECT_EQ(handled.WaitFor(5000), TEvent::wrSignaled);
    EXPECT_EQ(wakes, 1);

    TRegistry elsewhere;
    ASSERT_TRUE(elsewhere.OpenKey("Software\\Microsoft\\Office\\12.0\\Common", true));
    elsewhere.WriteInteger("Theme", 1);
    EXPECT_EQ(handled.WaitFor(150), TEvent::wrTimeout);

    rearm = false;
    gui.WriteInteger("Theme", 3);  // armed again after the first change
    EXPECT_EQ(handled.WaitFor(5000), TEvent::wrSignaled);
    gui.WriteInteger("Theme", 1);  // not armed any more
    EXPECT_EQ(handled.WaitFor(150), TEvent::wrTimeout);
    EXPECT_EQ(wakes, 2);

    stop = true;
    change.SetEvent();
    watcher.join();
    EXPECT_EQ(wakes, 2);
}

TEST(Registry, EventWaitAndReset)
{
    TEvent manual(true, true);
    EXPECT_EQ(manual.WaitFor(0), TEvent::wrSignaled);
    EXPECT_EQ(manual.WaitFor(0), TEvent::wrSignaled);  // stays set
    manual.ResetEvent();
    EXPECT_EQ(manual.WaitFor(10), TEvent::wrTimeout);
    TEvent automatic(false, true);
    EXPECT_EQ(automatic.WaitFor(0), TEvent::wrSignaled);
    EXPECT_EQ(automatic.WaitFor(0), TEvent::wrTimeout);  // the wait reset it
}

TEST(Registry, IniInterfaceOnSubKeys)
{
    {
        TRegistryIniFile ini("Software\\Kestro\\Grid");
        for (int i = 0; i < 4; ++i) ini.WriteInteger("Columns", QStringLiteral("Col%1").arg(i), 40 + i);
        ini.WriteString("Columns", "Note", "x");
        ini.UpdateFile();
    }
    TRegistryIniFile ini("Software\\Kestro\\Grid");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ini.ReadInteger("Columns", QStringLiteral("Col%1").arg(i), -1), 40 + i);
    EXPECT_EQ(ini.ReadInteger("Columns", "Col4", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Columns", "Note", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Other", "Col0", 7), 7);
    EXPECT_EQ(ini.ReadString("Columns", "Note", ""), "x");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Kestro\\Grid\\Columns"));
    EXPECT_EQ(reg.ReadInteger("Col3"), 43);
    ini.EraseSection("Columns");
    EXPECT_EQ(ini.ReadInteger("Columns", "Col0", -1), -1);
    EXPECT_FALSE(reg.KeyExists("\\Software\\Kestro\\Grid\\Columns"));
}
