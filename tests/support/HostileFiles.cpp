#include "HostileFiles.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

TSmallFileSystem::TSmallFileSystem(const QString& folder, qint64 bytes) : FFolder(folder)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) == 0)
        FMounted = true;
    else
        FReason = QString::fromLocal8Bit(std::strerror(errno));
}

TSmallFileSystem::~TSmallFileSystem()
{
    if (FMounted) ::umount2(QFile::encodeName(FFolder).constData(), MNT_DETACH);
}

bool TSmallFileSystem::Fill(const QString& name, qint64 leave)
{
    const QByteArray path = QFile::encodeName(FFolder + QLatin1Char('/') + name);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return errno == ENOSPC;
    const QByteArray block(4096, 'f');
    bool full = false;
    off_t size = 0;
    for (;;) {
        const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
        if (n < 0) {
            full = errno == ENOSPC;
            break;
        }
        size += n;
    }
    if (full && leave > 0) full = ::ftruncate(fd, std::max<off_t>(0, size - off_t(leave))) == 0;
    ::close(fd);
    return full;
}

int TFullDiskWriter::Write(int fd, const char* data, qint64 size, qint64& written)
{
    if (FailAt != AtWrite) return TSystemFileWriter::Write(fd, data, size, written);
    if (Room <= 0) return ENOSPC;
    const int error = TSystemFileWriter::Write(fd, data, std::min(size, Room), written);
    if (error == 0) {
        Room -= written;
        Written += written;
    }
    return error;
}

int TFullDiskWriter::Sync(int fd)
{
    const int error = TSystemFileWriter::Sync(fd);
    return FailAt == AtSync ? ENOSPC : error;
}

int TFullDiskWriter::Close(int fd)
{
    const int error = TSystemFileWriter::Close(fd);
    return FailAt == AtClose ? ENOSPC : error;
}

TFifo::TFifo(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    FMade = ::mkfifo(name.constData(), 0644) == 0;
    if (!FMade) return;
    FRescuer = std::thread([name] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
    });
}

TFifo::~TFifo()
{
    if (FRescuer.joinable()) FRescuer.join();
}

bool MakeSparseFile(const QString& path, qint64 size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.resize(size);
}
