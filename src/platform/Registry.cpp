#include "Registry.h"

#include "Files.h"
#include "IniFiles.h"
#include "Services.h"
#include "SysFormat.h"

#include <QList>
#include <QMap>

#include <chrono>

namespace {

// The messages of this unit.
const char* const kGetDataFailed = "Failed to get data for '%1'";
const char* const kInvalidType = "Invalid data type for '%1'";
const char* const kSetDataFailed = "Failed to set data for '%1'";
const char* const kReadOnly = "The key is open read-only";
const char* const kNoKey = "No key is open";
const char* const kBadName = "The name or value cannot be stored";
const char* const kCannotRead = "Cannot read the registry file";

const QChar kSep = QLatin1Char('\\');

struct TWatch {
    QString File;
    QString Path;
    bool Subtree;
    unsigned Filter;
    TEvent* Event;
};

struct TOpenKey {
    QString File;
    QString Path;
};

// Everything the registries of this process share.
struct TStore {
    std::mutex Mutex;
    QMap<HKEY, TOpenKey> Handles;
    HKEY NextHandle = 1;
    QList<TWatch> Watches;
};

TStore& Store()
{
    static TStore s;
    return s;
}

bool Same(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

// "a\\b\" -> "a\b"
QString Normalize(const QString& path)
{
    return path.split(kSep, Qt::SkipEmptyParts).join(kSep);
}

QString Parent(const QString& path)
{
    const qsizetype i = path.lastIndexOf(kSep);
    return i < 0 ? QString() : path.left(i);
}

// True when `path` is `ancestor` itself or lies below it.
bool IsWithin(const QString& path, const QString& ancestor)
{
    if (ancestor.isEmpty()) return true;
    if (Same(path, ancestor)) return true;
    return path.size() > ancestor.size() && path[ancestor.size()] == kSep &&
           Same(path.left(ancestor.size()), ancestor);
}

// The default value of a key has no name; the file writes it as "@".
QString IniName(const QString& valueName)
{
    return valueName.isEmpty() ? QStringLiteral("@") : valueName;
}

bool Storable(const QString& name, const QString& value)
{
    auto hasBreak = [](const QString& s) {
        return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
    };
    const QString t = name.trimmed();
    return !hasBreak(name) && !hasBreak(value) && !name.contains(QLatin1Char('=')) &&
           t == name && !t.startsWith(QLatin1Char('[')) && !t.startsWith(QLatin1Char(';'));
}

[[noreturn]] void Raise(const char* fmt, const QString& name, const QString& reason = QString())
{
    QString msg = QString::fromLatin1(fmt).arg(name);
    if (!reason.isEmpty()) msg += QStringLiteral(". ") + reason;
    throw ERegistryException(msg);
}

// Callers hold the store's mutex.
TMemIniFile Load(const QString& file)
{
    try {
        return TMemIniFile(file);
    } catch (const EFOpenError& e) {
        throw ERegistryException(QString::fromLatin1(kCannotRead) + QStringLiteral(". ") + e.Message());
    }
}

void Save(TMemIniFile& ini, const QString& name)
{
    try {
        ini.UpdateFile();
    } catch (const EFCreateError& e) {
        Raise(kSetDataFailed, name, e.Message());
    }
}

bool KeyIn(const TMemIniFile& ini, const QString& path)
{
    if (path.isEmpty()) return true;
    for (const QString& s : ini.ReadSections())
        if (IsWithin(Normalize(s), path)) return true;
    return false;
}

// Sets and disarms every watch the change covers.
void Notify(TStore& st, const QString& file, const QString& changedKey, unsigned kind)
{
    st.Watches.removeIf([&](const TWatch& w) {
        if (w.File != file || !(w.Filter & kind)) return false;
        const bool hit = w.Subtree ? IsWithin(changedKey, w.Path) : Same(changedKey, w.Path);
        if (hit) w.Event->SetEvent();
        return hit;
    });
}

}  // namespace

QString RegistryFileName()
{
    const QString& f = Services().RegistryFile;
    return f.isEmpty() ? ProgramDir() + QStringLiteral("/registry.ini") : f;
}

// ---- TEvent ---------------------------------------------------------------

TEvent::TEvent(bool manualReset, bool initialState) : FManualReset(manualReset), FSignaled(initialState) {}

TEvent::~TEvent()
{
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    st.Watches.removeIf([this](const TWatch& w) { return w.Event == this; });
}

void TEvent::SetEvent()
{
    {
        std::lock_guard lock(FMutex);
        FSignaled = true;
    }
    FCond.notify_all();
}

void TEvent::ResetEvent()
{
    std::lock_guard lock(FMutex);
    FSignaled = false;
}

TEvent::TWaitResult TEvent::WaitFor(unsigned timeoutMs)
{
    std::unique_lock lock(FMutex);
    auto ready = [this] { return FSignaled; };
    if (timeoutMs == INFINITE)
        FCond.wait(lock, ready);
    else if (!FCond.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
        return wrTimeout;
    if (!FManualReset) FSignaled = false;
    return wrSignaled;
}

// ---- TRegistry ------------------------------------------------------------

TRegistry::TRegistry() : FFile(RegistryFileName()) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root)
{
    CloseKey();
    FRootKey = root;
}

QString TRegistry::Resolve(const QString& key) const
{
    if (key.startsWith(kSep) || FCurrentKey == 0) return Normalize(key);
    return Normalize(FCurrentPath + kSep + key);
}

bool TRegistry::OpenKey(const QString& key, bool canCreate)
{
    if (FRootKey != HKEY_CURRENT_USER) return false;
    const QString path = Resolve(key);
    if (!Storable(path, QString())) return false;
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    TMemIniFile ini = Load(FFile);
    if (!KeyIn(ini, path)) {
        if (!canCreate) return false;
        // The highest level that is missing is the one whose creation the
        // watchers of its parent see.
        QString top = path;
        while (!Parent(top).isEmpty() && !KeyIn(ini, Parent(top))) top = Parent(top);
        ini.EnsureSection(path);
        Save(ini, path);
        Notify(st, FFile, Parent(top), REG_NOTIFY_CHANGE_NAME);
    }
    if (FCurrentKey) st.Handles.remove(FCurrentKey);
    FCurrentKey = st.NextHandle++;
    st.Handles.insert(FCurrentKey, {FFile, path});
    FCurrentPath = path;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const QString& key)
{
    if (!KeyExists(key)) return false;
    if (!OpenKey(key, false)) return false;
    FReadOnly = true;
    return true;
}

void TRegistry::CloseKey()
{
    if (FCurrentKey) {
        TStore& st = Store();
        std::lock_guard lock(st.Mutex);
        st.Handles.remove(FCurrentKey);
    }
    FCurrentKey = 0;
    FCurrentPath.clear();
    FReadOnly = false;
}

bool TRegistry::KeyExists(const QString& key) const
{
    if (FRootKey != HKEY_CURRENT_USER) return false;
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    return KeyIn(Load(FFile), Resolve(key));
}

bool TRegistry::ValueExists(const QString& name) const
{
    if (!FCurrentKey) return false;
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    return Load(FFile).ValueExists(FCurrentPath, IniName(name));
}

QString TRegistry::ReadString(const QString& name) const
{
    if (!FCurrentKey) Raise(kGetDataFailed, name, QString::fromLatin1(kNoKey));
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    const TMemIniFile ini = Load(FFile);
    if (!ini.ValueExists(FCurrentPath, IniName(name))) Raise(kGetDataFailed, name);
    return ini.ReadString(FCurrentPath, IniName(name), QString());
}

int TRegistry::ReadInteger(const QString& name) const
{
    int v = 0;
    if (!TryStrToInt(ReadString(name), v)) Raise(kInvalidType, name);
    return v;
}

void TRegistry::CheckWritable(const QString& name) const
{
    if (!FCurrentKey) Raise(kSetDataFailed, name, QString::fromLatin1(kNoKey));
    if (FReadOnly) Raise(kSetDataFailed, name, QString::fromLatin1(kReadOnly));
}

void TRegistry::WriteString(const QString& name, const QString& value)
{
    CheckWritable(name);
    if (!Storable(IniName(name), value)) Raise(kSetDataFailed, name, QString::fromLatin1(kBadName));
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    TMemIniFile ini = Load(FFile);
    ini.WriteString(FCurrentPath, IniName(name), value);
    Save(ini, name);
    Notify(st, FFile, FCurrentPath, REG_NOTIFY_CHANGE_LAST_SET);
}

void TRegistry::WriteInteger(const QString& name, int value)
{
    WriteString(name, QString::number(value));
}

bool TRegistry::DeleteValue(const QString& name)
{
    CheckWritable(name);
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    TMemIniFile ini = Load(FFile);
    if (!ini.ValueExists(FCurrentPath, IniName(name))) return false;
    ini.DeleteKey(FCurrentPath, IniName(name));
    Save(ini, name);
    Notify(st, FFile, FCurrentPath, REG_NOTIFY_CHANGE_LAST_SET);
    return true;
}

bool TRegistry::DeleteKey(const QString& key)
{
    if (FRootKey != HKEY_CURRENT_USER) return false;
    const QString path = Resolve(key);
    if (path.isEmpty()) return false;
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    TMemIniFile ini = Load(FFile);
    if (!KeyIn(ini, path)) return false;
    for (const QString& s : ini.ReadSections())
        if (IsWithin(Normalize(s), path)) ini.EraseSection(s);
    // The parent stays a key even when this was its last sub-key.
    if (!Parent(path).isEmpty()) ini.EnsureSection(Parent(path));
    Save(ini, key);
    Notify(st, FFile, Parent(path), REG_NOTIFY_CHANGE_NAME);
    return true;
}

QStringList TRegistry::GetKeyNames() const
{
    QStringList names;
    if (!FCurrentKey) return names;
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    for (const QString& s : Load(FFile).ReadSections()) {
        const QString p = Normalize(s);
        if (Same(p, FCurrentPath) || !IsWithin(p, FCurrentPath)) continue;
        const QString rest = FCurrentPath.isEmpty() ? p : p.mid(FCurrentPath.size() + 1);
        const QString child = rest.section(kSep, 0, 0);
        if (!names.contains(child, Qt::CaseInsensitive)) names << child;
    }
    return names;
}

QStringList TRegistry::GetValueNames() const
{
    QStringList names;
    if (!FCurrentKey) return names;
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    for (const QString& n : Load(FFile).ReadSection(FCurrentPath))
        names << (n == QLatin1String("@") ? QString() : n);
    return names;
}

long RegNotifyChangeKeyValue(HKEY key, bool watchSubtree, unsigned filter, TEvent* event, bool)
{
    if (!event) return ERROR_INVALID_HANDLE;
    TStore& st = Store();
    std::lock_guard lock(st.Mutex);
    TWatch w{QString(), QString(), watchSubtree, filter, event};
    if (key == HKEY_CURRENT_USER) {
        w.File = RegistryFileName();
    } else {
        auto it = st.Handles.constFind(key);
        if (it == st.Handles.constEnd()) return ERROR_INVALID_HANDLE;
        w.File = it->File;
        w.Path = it->Path;
    }
    st.Watches.append(w);
    return ERROR_SUCCESS;
}

// ---- TRegistryIniFile -----------------------------------------------------

TRegistryIniFile::TRegistryIniFile(const QString& keyPath) : FKeyPath(Normalize(keyPath)) {}

QString TRegistryIniFile::SectionPath(const QString& section) const
{
    return kSep + FKeyPath + kSep + section;
}

QString TRegistryIniFile::ReadString(const QString& section, const QString& ident, const QString& def) const
{
    TRegistry r;
    if (!r.OpenKeyReadOnly(SectionPath(section)) || !r.ValueExists(ident)) return def;
    return r.ReadString(ident);
}

void TRegistryIniFile::WriteString(const QString& section, const QString& ident, const QString& value)
{
    TRegistry r;
    if (!r.OpenKey(SectionPath(section), true)) Raise(kSetDataFailed, ident);
    r.WriteString(ident, value);
}

int TRegistryIniFile::ReadInteger(const QString& section, const QString& ident, int def) const
{
    return StrToIntDef(ReadString(section, ident, QString()), def);
}

void TRegistryIniFile::WriteInteger(const QString& section, const QString& ident, int value)
{
    WriteString(section, ident, QString::number(value));
}

void TRegistryIniFile::EraseSection(const QString& section)
{
    TRegistry r;
    r.DeleteKey(SectionPath(section));
}
