#include "IniFiles.h"

#include "Services.h"
#include "SysFormat.h"
#include "SysUtils.h"
#include "TextFiles.h"

#include <QDir>

namespace {

bool SameName(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString ResolveIniFileName(const QString& fileName)
{
    if (fileName.isEmpty() || !QDir::isRelativePath(fileName)) return fileName;
    QString base = Services().IniBaseDir;
    if (base.isEmpty()) base = ProgramDir();
    return QDir::cleanPath(base + QLatin1Char('/') + fileName);
}

TMemIniFile::TMemIniFile(const QString& fileName) : FFileName(ResolveIniFileName(fileName))
{
    if (FileExists(FFileName)) SetText(ReadTextFile(FFileName, TReadKind::Document).Text);
}

void TMemIniFile::SetText(const QString& text)
{
    FSections.clear();
    FSections.append(TSection());
    for (const QString& raw : SplitLines(text)) {
        const QString t = raw.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')) && t.size() >= 2) {
            TSection s;
            s.Name = t.mid(1, t.size() - 2);
            s.Header = true;
            FSections.append(s);
            continue;
        }
        TLine line;
        line.Raw = raw;
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        const bool comment = t.startsWith(QLatin1Char(';'));
        if (eq > 0 && !comment && FSections.last().Header && !raw.left(eq).trimmed().isEmpty()) {
            line.Key = raw.left(eq).trimmed();
            line.Value = raw.mid(eq + 1);
        }
        FSections.last().Lines.append(line);
    }
}

QString TMemIniFile::Text() const
{
    QString out;
    for (const TSection& s : FSections) {
        if (s.Header) out += QLatin1Char('[') + s.Name + QStringLiteral("]\r\n");
        for (const TLine& l : s.Lines)
            out += (l.Written ? l.Key + QLatin1Char('=') + l.Value : l.Raw) + QStringLiteral("\r\n");
    }
    return out;
}

const TMemIniFile::TLine* TMemIniFile::Find(const QString& section, const QString& ident) const
{
    for (const TSection& s : FSections) {
        if (!s.Header || !SameName(s.Name, section)) continue;
        for (const TLine& l : s.Lines)
            if (!l.Key.isEmpty() && SameName(l.Key, ident)) return &l;
    }
    return nullptr;
}

TMemIniFile::TLine* TMemIniFile::Find(const QString& section, const QString& ident)
{
    return const_cast<TLine*>(std::as_const(*this).Find(section, ident));
}

QString TMemIniFile::ReadString(const QString& section, const QString& ident, const QString& def) const
{
    const TLine* l = Find(section, ident);
    return l ? l->Value : def;
}

void TMemIniFile::WriteString(const QString& section, const QString& ident, const QString& value)
{
    if (TLine* l = Find(section, ident)) {
        l->Value = value;
        l->Written = true;
        return;
    }
    TSection* target = nullptr;
    for (TSection& s : FSections)
        if (s.Header && SameName(s.Name, section)) {
            target = &s;
            break;
        }
    if (!target) {
        EnsureSection(section);
        target = &FSections.last();
    }
    // After the section's last key, so blank and comment lines that close
    // the section stay where they are.
    qsizetype at = 0;
    for (qsizetype i = 0; i < target->Lines.size(); ++i)
        if (!target->Lines[i].Key.isEmpty()) at = i + 1;
    TLine line;
    line.Key = ident.trimmed();
    line.Value = value;
    line.Written = true;
    target->Lines.insert(at, line);
}

int TMemIniFile::ReadInteger(const QString& section, const QString& ident, int def) const
{
    return StrToIntDef(ReadString(section, ident, QString()), def);
}

void TMemIniFile::WriteInteger(const QString& section, const QString& ident, int value)
{
    WriteString(section, ident, QString::number(value));
}

bool TMemIniFile::ReadBool(const QString& section, const QString& ident, bool def) const
{
    int v;
    return TryStrToInt(ReadString(section, ident, QString()), v) ? v != 0 : def;
}

void TMemIniFile::WriteBool(const QString& section, const QString& ident, bool value)
{
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList TMemIniFile::ReadSection(const QString& section) const
{
    QStringList keys;
    for (const TSection& s : FSections) {
        if (!s.Header || !SameName(s.Name, section)) continue;
        for (const TLine& l : s.Lines)
            if (!l.Key.isEmpty() && !keys.contains(l.Key, Qt::CaseInsensitive)) keys << l.Key;
    }
    return keys;
}

QStringList TMemIniFile::ReadSections() const
{
    QStringList names;
    for (const TSection& s : FSections)
        if (s.Header && !names.contains(s.Name, Qt::CaseInsensitive)) names << s.Name;
    return names;
}

bool TMemIniFile::SectionExists(const QString& section) const
{
    return ReadSections().contains(section, Qt::CaseInsensitive);
}

bool TMemIniFile::ValueExists(const QString& section, const QString& ident) const
{
    return Find(section, ident) != nullptr;
}

void TMemIniFile::DeleteKey(const QString& section, const QString& ident)
{
    // Every line of the key goes, so a repeated key does not resurface.
    for (TSection& s : FSections) {
        if (!s.Header || !SameName(s.Name, section)) continue;
        s.Lines.removeIf([&](const TLine& l) { return !l.Key.isEmpty() && SameName(l.Key, ident); });
    }
}

void TMemIniFile::EnsureSection(const QString& section)
{
    if (SectionExists(section)) return;
    TSection s;
    s.Name = section;
    s.Header = true;
    FSections.append(s);
}

void TMemIniFile::EraseSection(const QString& section)
{
    FSections.removeIf([&](const TSection& s) { return s.Header && SameName(s.Name, section); });
}

void TMemIniFile::UpdateFile()
{
    TWriteResult r = WriteTextFile(FFileName, Text(), TTextEncoding::Utf8);
    if (!r.Ok) RaiseFileCreateError(FFileName, r.Error);
}
