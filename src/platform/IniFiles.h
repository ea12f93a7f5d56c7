#pragma once
// INI files held in memory.
//
// The file is read whole when the object is made; "[name]" starts a section
// and "key=value" lines belong to it (the key trimmed, the value everything
// after the first "=", unchanged). Section and key names compare without
// case. The order of sections, keys, blank lines and comment lines is kept
// when the file is written back. A missing file reads as empty. A relative
// name resolves against the program folder (the services' INI base folder).

#include "Files.h"

#include <QList>
#include <QString>
#include <QStringList>

class TMemIniFile {
public:
    explicit TMemIniFile(const QString& fileName);
    virtual ~TMemIniFile() = default;

    // The full path the object reads and writes.
    const QString& FileName() const { return FFileName; }

    QString ReadString(const QString& section, const QString& ident, const QString& def) const;
    void WriteString(const QString& section, const QString& ident, const QString& value);
    // The integer reader; the default when the value does not read.
    int ReadInteger(const QString& section, const QString& ident, int def) const;
    void WriteInteger(const QString& section, const QString& ident, int value);
    // "0" is false, any other integer true; the default otherwise.
    bool ReadBool(const QString& section, const QString& ident, bool def) const;
    void WriteBool(const QString& section, const QString& ident, bool value);

    // The key names of the section, in file order.
    QStringList ReadSection(const QString& section) const;
    QStringList ReadSections() const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& ident) const;
    void DeleteKey(const QString& section, const QString& ident);
    void EraseSection(const QString& section);
    // Adds an empty section at the end unless it exists.
    void EnsureSection(const QString& section);

    // Writes the whole file (UTF-8 without BOM, CR LF after every line)
    // through the safe write; raises EFCreateError with the reason.
    void UpdateFile();

    // The file's text as UpdateFile writes it, and its replacement.
    QString Text() const;
    void SetText(const QString& text);

private:
    struct TLine {
        QString Raw;  // the line as read
        QString Key;  // empty for a line that is not "key=value"
        QString Value;
        bool Written = false;  // set here: written as Key=Value, not as read
    };
    struct TSection {
        QString Name;
        bool Header = false;  // false only for the lines before the first section
        QList<TLine> Lines;
    };

    TLine* Find(const QString& section, const QString& ident);
    const TLine* Find(const QString& section, const QString& ident) const;

    QString FFileName;
    QList<TSection> FSections;
};

// Resolves a relative INI file name against the INI base folder.
QString ResolveIniFileName(const QString& fileName);
