#pragma once
// The settings every editor-control test fixes: regional settings (decimal
// ".", thousand ",", date ".", time ":", short date "dd.MM.yyyy"), an OS
// profile with 17-pixel scroll bars, a fixed clock, a counting beep, and a
// form to put the controls on.
#include "../platform/ControlsTestKit.h"
#include "AdvXPVS.h"
#include "Clock.h"
#include "DateUtils.h"
#include "Fakes.h"
#include "FormatSettings.h"
#include "Forms.h"
#include "OsProfile.h"
#include "Services.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>

inline FormatSettings EditorTestFormat()
{
    FormatSettings fs;
    fs.ThousandSeparator = u',';
    fs.DecimalSeparator = u'.';
    fs.DateSeparator = u'.';
    fs.TimeSeparator = u':';
    fs.ShortDateFormat = QStringLiteral("dd.MM.yyyy");
    fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
    fs.ShortTimeFormat = QStringLiteral("hh:nn");
    return fs;
}

inline OsProfile EditorTestProfile()
{
    OsProfile p;
    p.ScrollBarExtent = 17;
    return p;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FClock->SetNow(EncodeDate(2024, 3, 15) + EncodeTime(10, 20, 30, 0));
        AdvXPVS::FreeThemeLibrary();
        AdvXPVS::InitThemeLibrary();
        Form = Create<TForm>(nullptr);
        Form->SetBounds(10, 10, 500, 400);
    }
    void TearDown() override
    {
        Free(Form);
        AdvXPVS::FreeThemeLibrary();
    }
    void UseProfile(const OsProfile& p)
    {
        FProfileScope.reset();
        FProfileScope.emplace(&PlatformServices::Profile, std::make_shared<OsProfile>(p));
        AdvXPVS::FreeThemeLibrary();
        AdvXPVS::InitThemeLibrary();
    }
    void UseFormat(const FormatSettings& fs)
    {
        FFormatScope.reset();
        FFormatScope.emplace(fs);
    }
    template <class T>
    T* Add(int x, int y, int w, int h)
    {
        auto* c = new T(Form);
        c->SetParent(Form);
        c->SetBounds(x, y, w, h);
        return c;
    }

    std::shared_ptr<TestClock> FClock = std::make_shared<TestClock>();
    ScopedService<std::shared_ptr<IClock>> FClockScope{&PlatformServices::Clock, FClock};
    std::optional<ScopedFormatSettings> FFormatScope{EditorTestFormat()};
    std::optional<ScopedService<std::shared_ptr<const OsProfile>>> FProfileScope{
        std::in_place, &PlatformServices::Profile, std::make_shared<OsProfile>(EditorTestProfile())};
    TCountingBeepHook Beeps;
    ScopedService<std::function<void(unsigned)>> FBeepScope{&PlatformServices::BeepHook, Beeps};
    TForm* Form = nullptr;
};
