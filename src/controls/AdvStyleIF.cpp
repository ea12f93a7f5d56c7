#include "AdvStyleIF.h"

#include "AdvXPVS.h"
#include "Forms.h"
#include "OsProfile.h"

#include <QObject>
#include <algorithm>

namespace {

// Messages of this unit.
const char* const kListIndexError = "List index out of bounds (%1)";

const QString kOffice14 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString kOffice12 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");

bool KeyExists(const QString& key)
{
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    return reg.KeyExists(key);
}

// The integer "Theme" of a key; -1 when the key or the value is missing or
// the value is not a number.
int ReadThemeValue(const QString& key)
{
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(key) || !reg.ValueExists(QStringLiteral("Theme")))
        return -1;
    try {
        return reg.ReadInteger(QStringLiteral("Theme"));
    } catch (const Exception&) {
        return -1;
    }
}

TThemeNotifier* TheNotifier = nullptr;

}  // namespace

// ---- THandleList ----------------------------------------------------------------

void THandleList::Check(int Index, int Limit) const
{
    if (Index < 0 || Index >= Limit)
        throw EListError(QString::fromLatin1(kListIndexError).arg(Index));
}

int THandleList::Add(intptr_t Value)
{
    FItems.push_back(Value);
    return Count() - 1;
}

void THandleList::Insert(int Index, intptr_t Value)
{
    Check(Index, Count() + 1);
    FItems.insert(FItems.begin() + Index, Value);
}

void THandleList::Delete(int Index)
{
    Check(Index, Count());
    FItems.erase(FItems.begin() + Index);
}

void THandleList::DeleteValue(intptr_t Value)
{
    auto it = std::find(FItems.begin(), FItems.end(), Value);
    if (it != FItems.end())
        FItems.erase(it);
}

bool THandleList::HasValue(intptr_t Value) const
{
    return std::find(FItems.begin(), FItems.end(), Value) != FItems.end();
}

intptr_t THandleList::GetInteger(int Index) const
{
    Check(Index, Count());
    return FItems[size_t(Index)];
}

void THandleList::SetInteger(int Index, intptr_t Value)
{
    Check(Index, Count());
    FItems[size_t(Index)] = Value;
}

// ---- operating-system tests -----------------------------------------------------

bool IsComCtl6OrLater() { return GetOsProfile().IsComCtl6OrLater(); }
bool IsWinXPOrLater() { return GetOsProfile().IsWinXPOrLater(); }
bool IsVistaOrLater() { return GetOsProfile().IsVistaOrLater(); }

QString GetDefaultFontName()
{
    return IsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
}

// ---- office theme ---------------------------------------------------------------

int GetOfficeVersion()
{
    if (KeyExists(kOffice14 + QStringLiteral("\\General")))
        return 2;
    if (KeyExists(kOffice12 + QStringLiteral("\\General")))
        return 1;
    return 0;
}

int GetXPColorScheme()
{
    if (!IsWinXPOrLater() || !GetOsProfile().VisualStylesPresent)
        return 0;
    // The library is bound for this call only.
    TThemeEntries theme;
    theme.Bind();
    if (!theme.IsThemeActive() || !IsComCtl6OrLater())
        return 0;
    QString file, scheme, size;
    theme.GetCurrentThemeName(file, scheme, size);
    if (scheme.isEmpty())
        return 0;
    if (QStringLiteral("NormalColor").contains(scheme))
        return 1;
    if (QStringLiteral("HomeStead").contains(scheme))
        return 2;
    if (QStringLiteral("Metallic").contains(scheme))
        return 3;
    return 0;
}

TOfficeTheme CurrentOfficeTheme()
{
    switch (ReadThemeValue(kOffice14)) {
    case -1: break;
    case 1: return TOfficeTheme::ot2010Blue;
    case 2: return TOfficeTheme::ot2010Silver;
    case 3: return TOfficeTheme::ot2010Black;
    default: return TOfficeTheme::ot2003Blue;
    }
    switch (ReadThemeValue(kOffice12)) {
    case -1: break;
    case 1: return TOfficeTheme::ot2007Blue;
    case 2: return TOfficeTheme::ot2007Silver;
    case 3: return TOfficeTheme::ot2007Black;
    default: return TOfficeTheme::ot2003Blue;
    }
    switch (GetXPColorScheme()) {
    case 1: return TOfficeTheme::ot2003Blue;
    case 2: return TOfficeTheme::ot2003Olive;
    case 3: return TOfficeTheme::ot2003Silver;
    default: return TOfficeTheme::ot2003Classic;
    }
}

// ---- TThemeNotifierWindow -------------------------------------------------------

TThemeNotifierWindow::TThemeNotifierWindow(TComponent* AOwner) : TWinControl(AOwner)
{
    SetVisible(false);
}

void TThemeNotifierWindow::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_OFFICETHEMECHANGED && OnOfficeThemeChange)
        OnOfficeThemeChange(this);
    TWinControl::WndProc(Message);
}

// ---- TRegMonitorThread ----------------------------------------------------------

TRegMonitorThread::TRegMonitorThread() : FContext(std::make_unique<QObject>()) {}

TRegMonitorThread::~TRegMonitorThread()
{
    Stop();
}

unsigned TRegMonitorThread::Filter()
{
    if (FFilter == 0)
        FFilter = 15;
    return FFilter;
}

void TRegMonitorThread::Start()
{
    if (FThread.joinable())
        return;
    Filter();  // settled before the thread reads it
    FThread = std::thread([this] { Execute(); });
}

void TRegMonitorThread::Stop()
{
    FStopRequested = true;
    FEvent.SetEvent();
    if (FThread.joinable())
        FThread.join();
}

void TRegMonitorThread::Execute()
{
    TRegistry reg;
    reg.SetRootKey(FRootKey);
    // A key that cannot be opened ends the watch silently: no message for
    // the rest of the run.
    if (!reg.OpenKeyReadOnly(FKey) ||
        RegNotifyChangeKeyValue(reg.CurrentKey(), true, FFilter, &FEvent, true) != 0) {
        FFinished = true;
        return;
    }
    ++FArmCount;
    while (!FStopRequested) {
        if (FEvent.WaitFor() != TEvent::wrSignaled)
            continue;
        if (FStopRequested)
            break;
        QueueCall(FContext.get(), [this] { Deliver(); });
        FEvent.ResetEvent();
        RegNotifyChangeKeyValue(reg.CurrentKey(), true, FFilter, &FEvent, true);
        ++FArmCount;
    }
    FFinished = true;
}

void TRegMonitorThread::Deliver()
{
    const QString path = FKey;  // NUL-terminated by QString
    const intptr_t lParam = intptr_t(path.utf16());
    if (FWnd)
        FWnd->Perform(WM_OFFICETHEMECHANGED, HKEY_CURRENT_USER, lParam);
    // A receiver may register or unregister controls: walk a copy and skip
    // those that left the list meanwhile (a destroyed control leaves it).
    const std::vector<TControl*> receivers = FWinList;
    for (TControl* c : receivers)
        if (std::find(FWinList.begin(), FWinList.end(), c) != FWinList.end())
            c->Perform(WM_OFFICETHEMECHANGED, HKEY_CURRENT_USER, lParam);
}

// ---- TThemeNotifier -------------------------------------------------------------

TThemeNotifier::TThemeNotifier(TComponent* AOwner, const QString& WatchKey) : TComponent(AOwner)
{
    const int version = GetOfficeVersion();
    if (version != 1 && version != 2)
        return;
    FNotifier = new TThemeNotifierWindow(this);
    if (auto* parent = dynamic_cast<TWinControl*>(AOwner))
        FNotifier->SetParent(parent);
    FNotifier->SetVisible(false);
    FNotifier->OnOfficeThemeChange = [this](TObject*) {
        if (OnOfficeThemeChange)
            OnOfficeThemeChange(this);
    };
    FThread = std::make_unique<TRegMonitorThread>();
    FThread->SetWnd(FNotifier);
    FThread->SetFilter(4);  // value changes
    FThread->SetKey(!WatchKey.isEmpty() ? WatchKey : version == 2 ? kOffice14 : kOffice12);
    FThread->SetRootKey(HKEY_CURRENT_USER);
    FThread->SetWatchSub(true);
    FThread->Start();
}

TThemeNotifier::~TThemeNotifier()
{
    if (FThread)
        FThread->Stop();
    for (TControl* c : FThread ? FThread->WinList() : std::vector<TControl*>())
        c->RemoveFreeNotification(this);
    FThread.reset();
    if (TheNotifier == this)
        TheNotifier = nullptr;
}

void TThemeNotifier::RegisterWindow(TControl* Control)
{
    if (!FThread || !Control)
        return;
    auto& list = FThread->WinList();
    if (std::find(list.begin(), list.end(), Control) != list.end())
        return;
    list.push_back(Control);
    Control->FreeNotification(this);
}

void TThemeNotifier::UnRegisterWindow(TControl* Control)
{
    if (!FThread)
        return;
    auto& list = FThread->WinList();
    auto it = std::find(list.begin(), list.end(), Control);
    if (it == list.end())
        return;
    list.erase(it);
    Control->RemoveFreeNotification(this);
}

void TThemeNotifier::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove || !FThread)
        return;
    auto& list = FThread->WinList();
    list.erase(std::remove(list.begin(), list.end(), AComponent), list.end());
}

TThemeNotifier* GetThemeNotifier(TComponent* AOwner)
{
    if (!TheNotifier) {
        TComponent* owner = AOwner;
        if (Application && Application->MainForm())
            owner = Application->MainForm();
        TheNotifier = new TThemeNotifier(owner);
    }
    return TheNotifier;
}
