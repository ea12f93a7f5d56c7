#pragma once
// The replaceable services of the platform layer.
//
// Everything that reaches the machine, the network or the clock is reached
// through this one object. main() installs the production versions; a test
// replaces any of them for its scope with ScopedService, which restores the
// previous value when it goes out of scope. Nothing here is read from the
// command line or the environment.
//
// Each interface is declared by the unit that implements the facility; this
// header only forward-declares them so that it stays light to include.

#include <QString>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

class IClock;              // clock, ticks and Sleep
struct FormatSettings;     // regional settings
struct OsProfile;          // version, comctl32, metrics
class IHttpClient;         // HTTP GET
class IIcmpClient;         // ICMP echo
class IProcessLauncher;    // process start and wait
class IFileWriter;         // the system calls behind the safe writes
class IUrlOpener;          // opening web links and local files
class ISerialPortProbe;    // serial ports present
class ISocketGate;         // socket-open and desktop calls behind the network facilities
class IScreenGeometry;     // monitors and work areas
class QPrinter;            // the device of the process-wide printer

struct PlatformServices {
    std::shared_ptr<IClock> Clock;
    std::shared_ptr<const FormatSettings> Regional;
    // Empty: the executable's folder.
    QString ProgramDirOverride;
    std::shared_ptr<const OsProfile> Profile;
    // Empty: "<program folder>/registry.ini".
    QString RegistryFile;
    // Empty: the program folder. Relative INI names resolve against it.
    QString IniBaseDir;
    std::shared_ptr<IHttpClient> Http;
    std::shared_ptr<IIcmpClient> Icmp;
    std::shared_ptr<IProcessLauncher> Launcher;
    // Empty: the system's own calls.
    std::shared_ptr<IFileWriter> FileWriter;
    std::shared_ptr<IUrlOpener> Opener;
    std::shared_ptr<ISocketGate> Sockets;
    std::shared_ptr<ISerialPortProbe> SerialProbe;
    // Empty: the screens Qt reports.
    std::shared_ptr<IScreenGeometry> Screens;
    // The device of Printer(); empty: the system's default printer.
    std::function<std::shared_ptr<QPrinter>()> PrinterDevice;
    // Called by MessageBeep; production rings the application bell.
    std::function<void(unsigned type)> BeepHook;
    // The ODBC connection text that opens a database file; empty: the
    // Access driver's (DataAccess).
    std::function<QString(const QString& FileName)> DatabaseConnection;
    // The loopback-only guard: when on, the network facilities refuse any
    // address but 127.0.0.1 before a socket is opened.
    bool LoopbackOnly = false;
};

// The process-wide services.
PlatformServices& Services();

// Replaces one member of Services() for the guard's lifetime.
//   ScopedService g(&PlatformServices::Clock, std::make_shared<TestClock>());
template <class T>
class ScopedService {
public:
    ScopedService(T PlatformServices::*member, std::type_identity_t<T> value)
        : FMember(member), FOld(std::move(Services().*member))
    {
        Services().*FMember = std::move(value);
    }
    ~ScopedService() { Services().*FMember = std::move(FOld); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    T PlatformServices::*FMember;
    T FOld;
};
