#include "ComponentStream.h"

#include <QtEndian>
#include <cstring>

namespace {

enum ComponentStreamTag : quint8 { cstInteger = 1, cstBoolean = 2, cstDouble = 3, cstText = 4, cstBytes = 5, cstList = 6 };

const char ComponentStreamSignature[4] = {'T', 'P', 'F', '0'};

[[noreturn]] void ComponentStreamInvalid() { throw EComponentStreamError(StreamFormatErrorText()); }

void ComponentStreamPutU32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void ComponentStreamPutName(QByteArray& out, const QString& name)
{
    const QByteArray u = name.toUtf8();
    if (u.size() > 255) ComponentStreamInvalid();
    out.append(char(quint8(u.size())));
    out.append(u);
}

void ComponentStreamPutBlock(QByteArray& out, const QByteArray& bytes)
{
    ComponentStreamPutU32(out, quint32(bytes.size()));
    out.append(bytes);
}

// A bounds-checked cursor over the data.
struct ComponentStreamCursor {
    const QByteArray& Data;
    qsizetype Pos;

    qsizetype Left() const { return Data.size() - Pos; }
    void Need(qsizetype n) const
    {
        if (n < 0 || Left() < n) ComponentStreamInvalid();
    }
    quint8 Byte()
    {
        Need(1);
        return quint8(Data[Pos++]);
    }
    quint32 U32()
    {
        Need(4);
        const quint32 v = qFromLittleEndian<quint32>(Data.constData() + Pos);
        Pos += 4;
        return v;
    }
    QByteArray Bytes(qsizetype n)
    {
        Need(n);
        QByteArray b = Data.mid(Pos, n);
        Pos += n;
        return b;
    }
    QByteArray Block()
    {
        const quint32 n = U32();
        if (n > quint32(Left())) ComponentStreamInvalid();
        return Bytes(qsizetype(n));
    }
    QString Name() { return QString::fromUtf8(Bytes(Byte())); }
};

TStreamValue ComponentStreamReadValue(ComponentStreamCursor& c)
{
    switch (c.Byte()) {
    case cstInteger: return int(qint32(c.U32()));
    case cstBoolean: {
        const quint8 b = c.Byte();
        if (b > 1) ComponentStreamInvalid();
        return b == 1;
    }
    case cstDouble: {
        c.Need(8);
        const quint64 bits = qFromLittleEndian<quint64>(c.Data.constData() + c.Pos);
        c.Pos += 8;
        double d;
        std::memcpy(&d, &bits, 8);
        return d;
    }
    case cstText: return QString::fromUtf8(c.Block());
    case cstBytes: return c.Block();
    case cstList: {
        const quint32 n = c.U32();
        // Every item takes at least its 4 length bytes.
        if (n > quint32(c.Left() / 4)) ComponentStreamInvalid();
        QStringList items;
        items.reserve(qsizetype(n));
        for (quint32 i = 0; i < n; ++i) items << QString::fromUtf8(c.Block());
        return items;
    }
    default: ComponentStreamInvalid();
    }
}

}  // namespace

const TStreamValue* TStreamRecord::Find(const QString& Name) const
{
    for (const auto& [name, value] : Properties)
        if (name.compare(Name, Qt::CaseInsensitive) == 0) return &value;
    return nullptr;
}

void WriteStreamRecord(QByteArray& Out, const TStreamRecord& Record)
{
    QByteArray out(ComponentStreamSignature, 4);
    ComponentStreamPutName(out, Record.ClassName);
    ComponentStreamPutName(out, QString());
    for (const auto& [name, value] : Record.Properties) {
        if (name.isEmpty()) ComponentStreamInvalid();
        ComponentStreamPutName(out, name);
        if (const int* i = std::get_if<int>(&value)) {
            out.append(char(cstInteger));
            ComponentStreamPutU32(out, quint32(*i));
        } else if (const bool* b = std::get_if<bool>(&value)) {
            out.append(char(cstBoolean));
            out.append(char(*b ? 1 : 0));
        } else if (const double* d = std::get_if<double>(&value)) {
            out.append(char(cstDouble));
            quint64 bits;
            std::memcpy(&bits, d, 8);
            char buf[8];
            qToLittleEndian(bits, buf);
            out.append(buf, 8);
        } else if (const QString* s = std::get_if<QString>(&value)) {
            out.append(char(cstText));
            ComponentStreamPutBlock(out, s->toUtf8());
        } else if (const QByteArray* a = std::get_if<QByteArray>(&value)) {
            out.append(char(cstBytes));
            ComponentStreamPutBlock(out, *a);
        } else {
            const QStringList& l = std::get<QStringList>(value);
            out.append(char(cstList));
            ComponentStreamPutU32(out, quint32(l.size()));
            for (const QString& item : l) ComponentStreamPutBlock(out, item.toUtf8());
        }
    }
    // End of the properties, end of the (absent) children.
    out.append('\0');
    out.append('\0');
    Out.append(out);
}

TStreamRecord ReadStreamRecord(const QByteArray& Data, qsizetype& Pos)
{
    if (Pos < 0 || Pos > Data.size()) ComponentStreamInvalid();
    ComponentStreamCursor c{Data, Pos};
    c.Need(4);
    if (std::memcmp(Data.constData() + c.Pos, ComponentStreamSignature, 4) != 0) ComponentStreamInvalid();
    c.Pos += 4;
    TStreamRecord rec;
    rec.ClassName = c.Name();
    if (rec.ClassName.isEmpty()) ComponentStreamInvalid();
    if (!c.Name().isEmpty()) ComponentStreamInvalid();
    for (;;) {
        const QString name = c.Name();
        if (name.isEmpty()) break;
        rec.Properties.emplace_back(name, ComponentStreamReadValue(c));
    }
    if (c.Byte() != 0) ComponentStreamInvalid();
    Pos = c.Pos;
    return rec;
}

QString StreamFormatErrorText() { return QStringLiteral("Invalid stream format"); }

QString StreamPropertyMissingText(const QString& ClassName, const QString& Property)
{
    return QStringLiteral("Error reading ") + ClassName + u'.' + Property + QStringLiteral(": property does not exist");
}

QString StreamPropertyValueText(const QString& ClassName, const QString& Property)
{
    return QStringLiteral("Error reading ") + ClassName + u'.' + Property + QStringLiteral(": invalid property value");
}
