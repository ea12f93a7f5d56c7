#include "Resources.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>

namespace {

QHash<QString, QByteArray>& Registry()
{
    static QHash<QString, QByteArray> registry;
    return registry;
}

QString Key(const QString& name)
{
    return name.trimmed().toUpper();
}

std::optional<QByteArray> FindQtResource(const QString& key)
{
    QDirIterator it(QStringLiteral(":/resources"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString path = it.next();
        if (QFileInfo(path).completeBaseName().toUpper() == key ||
            QFileInfo(path).fileName().toUpper() == key) {
            QFile f(path);
            if (f.open(QIODevice::ReadOnly)) return f.readAll();
        }
    }
    return std::nullopt;
}

}  // namespace

void RegisterResource(const QString& name, const QByteArray& bytes)
{
    Registry().insert(Key(name), bytes);
}

void RegisterResource(const QString& name, const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    RegisterResource(name, bytes);
}

void UnregisterResource(const QString& name)
{
    Registry().remove(Key(name));
}

std::optional<QByteArray> FindResource(const QString& name)
{
    QString key = Key(name);
    if (key.isEmpty()) return std::nullopt;
    auto it = Registry().constFind(key);
    if (it != Registry().constEnd()) return *it;
    return FindQtResource(key);
}

QByteArray LoadResource(const QString& name)
{
    std::optional<QByteArray> data = FindResource(name);
    if (!data) throw EResNotFound(QStringLiteral("Resource %1 not found").arg(name));
    return *data;
}
