#pragma once
// The style vocabulary shared by the grid, its editors and the drop-down
// controls; the operating-system tests; the office colour theme; and the
// notifier that tells registered controls when the office theme changes.
//
// The office theme lives in the registry stand-in under HKEY_CURRENT_USER.
// No program here writes office keys, so normally no office suite is seen:
// no watch thread runs and the theme follows the desktop scheme.

#include "Classes.h"
#include "Controls.h"
#include "Registry.h"
#include "Types.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

class QObject;

enum class TVisualStyle {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic,
    tsOffice2007Luna, tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom,
    tsOffice2007Silver, tsWindowsVista, tsWindows7, tsTerminal, tsOffice2010Blue,
    tsOffice2010Silver, tsOffice2010Black
};

enum class TOfficeTheme {
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver,
    ot2007Black, ot2010Blue, ot2010Silver, ot2010Black, otUnknown
};

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};

// The own-colour painters use Background for normal, Hover for hot,
// Selected for pressed and Disabled for disabled.
struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};

// Implemented by controls that take a visual style or colour tones; asked
// for with dynamic_cast.
class IVisualStyle {
public:
    virtual ~IVisualStyle() = default;
    virtual void SetComponentStyle(TVisualStyle AStyle) = 0;
};

class IVisualTones {
public:
    virtual ~IVisualTones() = default;
    virtual void SetColorTones(const TColorTones& ATones) = 0;
};

// A list of pointer-sized values.
class THandleList {
public:
    int Count() const { return int(FItems.size()); }
    int Add(intptr_t Value);
    void Insert(int Index, intptr_t Value);
    void Delete(int Index);
    // Removes the first entry equal to Value; nothing when absent.
    void DeleteValue(intptr_t Value);
    bool HasValue(intptr_t Value) const;
    intptr_t Items(int Index) const { return GetInteger(Index); }
    intptr_t GetInteger(int Index) const;
    void SetInteger(int Index, intptr_t Value);

private:
    void Check(int Index, int Limit) const;
    std::vector<intptr_t> FItems;
};

// ---- operating-system tests (from the OS profile) ---------------------------

bool IsComCtl6OrLater();
bool IsWinXPOrLater();
bool IsVistaOrLater();
// "Segoe UI" from Vista on, else "Tahoma": the family asked for.
QString GetDefaultFontName();

// ---- office theme -------------------------------------------------------------

// 2 for an office suite of the 14.0 generation, 1 for 12.0, else 0.
int GetOfficeVersion();
// 0 to 3: classic, "NormalColor" (blue), "HomeStead" (olive), "Metallic"
// (silver) of the desktop's colour scheme.
int GetXPColorScheme();
// Never otUnknown.
TOfficeTheme CurrentOfficeTheme();

// The office theme changed: WParam the root key, LParam the watched key path
// (a NUL-terminated UTF-16 string, valid only during the call).
inline constexpr unsigned WM_OFFICETHEMECHANGED = 0xBB1;

// ---- the notifier ---------------------------------------------------------------

// The notifier's hidden window: 0xBB1 raises OnOfficeThemeChange.
class TThemeNotifierWindow : public TWinControl {
public:
    DECLARE_CLASSNAME(TThemeNotifierWindow)
    explicit TThemeNotifierWindow(TComponent* AOwner);
    TNotifyEvent OnOfficeThemeChange;

protected:
    void WndProc(TMessage& Message) override;
};

// Waits for changes of a registry key on a thread of its own and hands each
// to the GUI thread, which sends 0xBB1 to Wnd and then to every control of
// WinList in order. The list is only used on the GUI thread. The object
// owns its thread: Stop (and destruction) ends and joins it.
class TRegMonitorThread {
public:
    TRegMonitorThread();
    ~TRegMonitorThread();
    TRegMonitorThread(const TRegMonitorThread&) = delete;
    TRegMonitorThread& operator=(const TRegMonitorThread&) = delete;

    const QString& Key() const { return FKey; }
    void SetKey(const QString& v) { FKey = v; }
    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY v) { FRootKey = v; }
    bool WatchSub() const { return FWatchSub; }
    void SetWatchSub(bool v) { FWatchSub = v; }
    // Reading 0 sets and answers 15 (names, attributes, values, security).
    unsigned Filter();
    void SetFilter(unsigned v) { FFilter = v; }
    TControl* Wnd() const { return FWnd; }
    void SetWnd(TControl* v) { FWnd = v; }
    // GUI thread only.
    std::vector<TControl*>& WinList() { return FWinList; }

    // Starts watching; the properties must be set before.
    void Start();
    // Asks the thread to end, wakes it and waits for it.
    void Stop();
    // The thread has ended (stopped, or the key could not be opened).
    bool Finished() const { return FFinished; }
    // How often the notification has been armed (the next change is seen
    // once this has grown).
    int ArmCount() const { return FArmCount; }

private:
    void Execute();
    void Deliver();

    QString FKey;
    HKEY FRootKey = HKEY_CURRENT_USER;
    bool FWatchSub = false;
    unsigned FFilter = 0;
    TControl* FWnd = nullptr;
    std::vector<TControl*> FWinList;
    TEvent FEvent{true, false};
    std::atomic<bool> FStopRequested{false};
    std::atomic<bool> FFinished{false};
    std::atomic<int> FArmCount{0};
    std::thread FThread;
    // Receives the queued deliveries on the GUI thread; gone with the
    // object, so a delivery still queued then is dropped.
    std::unique_ptr<QObject> FContext;
};

class TThemeNotifier : public TComponent {
public:
    DECLARE_CLASSNAME(TThemeNotifier)
    // WatchKey replaces the office key to watch (tests); empty: the key of
    // the office generation found.
    explicit TThemeNotifier(TComponent* AOwner, const QString& WatchKey = QString());
    ~TThemeNotifier() override;

    void RegisterWindow(TControl* Control);
    void UnRegisterWindow(TControl* Control);

    TRegMonitorThread* RegMonitorThread() const { return FThread.get(); }
    TThemeNotifierWindow* NotifierWindow() const { return FNotifier; }
    TNotifyEvent OnOfficeThemeChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TRegMonitorThread> FThread;
    TThemeNotifierWindow* FNotifier = nullptr;
};

// The one notifier, made on the first call; its owner is the application's
// main form when there is one, else AOwner. Destroying it clears the
// module's pointer, so the next call makes a new one.
TThemeNotifier* GetThemeNotifier(TComponent* AOwner);
