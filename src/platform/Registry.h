#pragma once
// A stand-in for the user's registry.
//
// The data lives in one INI file beside the program (a replaceable
// location): one section per full key path, one line per value. Only
// HKEY_CURRENT_USER holds data; the other roots read as empty and cannot be
// written. Every write is saved at once through the safe write. The store is
// guarded by one mutex, so a watch thread and the GUI thread may both use it.
// Change notification works within this process only: the file is not
// watched for changes made by other programs.

#include "SysUtils.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <condition_variable>
#include <mutex>

DECLARE_EXCEPTION(ERegistryException, Exception)

using HKEY = quintptr;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

// Notification filter bits. Only name changes (keys added or removed) and
// value changes (a value written or deleted) ever fire.
constexpr unsigned REG_NOTIFY_CHANGE_NAME = 1;
constexpr unsigned REG_NOTIFY_CHANGE_ATTRIBUTES = 2;
constexpr unsigned REG_NOTIFY_CHANGE_LAST_SET = 4;
constexpr unsigned REG_NOTIFY_CHANGE_SECURITY = 8;

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr unsigned INFINITE = 0xFFFFFFFFu;

// The registry file in force: the services' RegistryFile, else
// "<program folder>/registry.ini".
QString RegistryFileName();

// An event object between threads, without a name (two program instances
// never wake each other).
class TEvent {
public:
    enum TWaitResult { wrSignaled, wrTimeout };

    explicit TEvent(bool manualReset = true, bool initialState = false);
    ~TEvent();
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    void SetEvent();
    void ResetEvent();
    // Waits until the event is signalled or the time-out (ms) passes. An
    // auto-reset event is reset by the wait that sees it.
    TWaitResult WaitFor(unsigned timeoutMs = INFINITE);

private:
    std::mutex FMutex;
    std::condition_variable FCond;
    bool FManualReset;
    bool FSignaled;
};

class TRegistry {
public:
    TRegistry();
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key.
    void SetRootKey(HKEY root);
    // The handle of the open key (for RegNotifyChangeKeyValue), 0 when none.
    HKEY CurrentKey() const { return FCurrentKey; }
    // The path of the open key, without leading backslash.
    const QString& CurrentPath() const { return FCurrentPath; }

    // A path starting with "\" is taken from the root, any other relative to
    // the open key. With `canCreate` the missing levels are created.
    bool OpenKey(const QString& key, bool canCreate);
    bool OpenKeyReadOnly(const QString& key);
    void CloseKey();

    bool KeyExists(const QString& key) const;
    bool ValueExists(const QString& name) const;
    // A missing value or one that is not an integer raises ERegistryException.
    int ReadInteger(const QString& name) const;
    QString ReadString(const QString& name) const;
    // A write on a read-only key or with no key open raises ERegistryException,
    // and so does a failed save (with the reason).
    void WriteInteger(const QString& name, int value);
    void WriteString(const QString& name, const QString& value);
    bool DeleteValue(const QString& name);
    // Deletes the key with all its sub-keys.
    bool DeleteKey(const QString& key);
    // The names of the open key's direct sub-keys and values, in file order.
    QStringList GetKeyNames() const;
    QStringList GetValueNames() const;

private:
    QString Resolve(const QString& key) const;
    void CheckWritable(const QString& name) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    HKEY FCurrentKey = 0;
    QString FCurrentPath;
    bool FReadOnly = false;
    QString FFile;
};

// Arms a one-shot notification: the next change of the key (and with
// `watchSubtree` of its sub-keys) that the filter covers sets the event;
// after that the notification must be armed again. `key` is a handle from
// TRegistry::CurrentKey() or HKEY_CURRENT_USER. Answers ERROR_SUCCESS or
// ERROR_INVALID_HANDLE.
long RegNotifyChangeKeyValue(HKEY key, bool watchSubtree, unsigned filter, TEvent* event,
                             bool asynchronous = true);

// The INI interface over the registry: sections are sub-keys of `keyPath`,
// keys are values. Writes are saved at once; UpdateFile has nothing to do.
class TRegistryIniFile {
public:
    explicit TRegistryIniFile(const QString& keyPath);

    const QString& FileName() const { return FKeyPath; }
    QString ReadString(const QString& section, const QString& ident, const QString& def) const;
    void WriteString(const QString& section, const QString& ident, const QString& value);
    int ReadInteger(const QString& section, const QString& ident, int def) const;
    void WriteInteger(const QString& section, const QString& ident, int value);
    void EraseSection(const QString& section);
    void UpdateFile() {}

private:
    QString SectionPath(const QString& section) const;
    QString FKeyPath;
};
