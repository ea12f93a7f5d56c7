#pragma once
// Hostile files for the tests of everything that reads or writes files: a
// full disk, FIFOs and files larger than their limit.
//
// TSmallFileSystem mounts a real file system of a few kilobytes (a tmpfs) on
// a fresh folder where the process may mount one (it runs as root with the
// right to mount); elsewhere Mounted() is false and a test falls back to
// TFullDiskWriter, which plays the same disk behind the platform's safe
// writes (Services().FileWriter).

#include "Files.h"

#include <QString>

#include <thread>

class TSmallFileSystem {
public:
    // Mounts a file system of `bytes` on `folder` (made when missing).
    TSmallFileSystem(const QString& folder, qint64 bytes);
    ~TSmallFileSystem();
    TSmallFileSystem(const TSmallFileSystem&) = delete;
    TSmallFileSystem& operator=(const TSmallFileSystem&) = delete;

    bool Mounted() const { return FMounted; }
    // Why it could not be mounted.
    const QString& Reason() const { return FReason; }
    // Fills what is left with a file named `name` until the system says the
    // disk is full, then gives back `leave` bytes; false when it never was
    // full.
    bool Fill(const QString& name = QStringLiteral("filler"), qint64 leave = 0);

private:
    QString FFolder;
    bool FMounted = false;
    QString FReason;
};

// The system's calls with a disk that has room for `Room` more bytes: a
// write takes what still fits and the next one fails with ENOSPC, as the
// system does. With FailAt set to Sync or Close, the writes all succeed and
// the flush to the disk or the close fails with ENOSPC instead (as on a file
// system that allocates late or lies across a network).
class TFullDiskWriter : public TSystemFileWriter {
public:
    enum TFailAt { AtWrite, AtSync, AtClose };
    explicit TFullDiskWriter(qint64 room = 0, TFailAt failAt = AtWrite) : Room(room), FailAt(failAt) {}

    int Write(int fd, const char* data, qint64 size, qint64& written) override;
    int Sync(int fd) override;
    int Close(int fd) override;

    qint64 Room;
    TFailAt FailAt;
    // What reached the disk so far (all files).
    qint64 Written = 0;
};

// A FIFO at `path`. Opening it for reading blocks until a writer comes: the
// guard opens it for writing a while after it was made, so a reader that
// blocked comes free and its test fails instead of hanging.
class TFifo {
public:
    explicit TFifo(const QString& path);
    ~TFifo();
    TFifo(const TFifo&) = delete;
    TFifo& operator=(const TFifo&) = delete;
    bool Made() const { return FMade; }

private:
    bool FMade = false;
    std::thread FRescuer;
};

// A file of `size` zero bytes that takes no room on the disk.
bool MakeSparseFile(const QString& path, qint64 size);
