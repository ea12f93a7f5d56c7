#include "ULanguage.h"

#include "Files.h"
#include "SysFormat.h"
#include "SysUtils.h"
#include "TextFiles.h"
#include "UComon.h"

#include <QFile>

// The resource must be registered from outside any namespace.
static void InitEnglishResource()
{
    Q_INIT_RESOURCE(ULanguage);
}

namespace {

const QChar Pilcrow = QChar(0x00B6);

// The entry a language-file line sets, or -1 when the line sets none.
int ParseLine(const QString& line, QString& text)
{
    const QString s = TrimControls(line);
    if (!s.startsWith(QLatin1String("STR")))
        return -1;
    const qsizetype eq = s.indexOf(u'=');
    if (eq < 0)
        return -1;
    int n = -1;
    if (!TryStrToInt(TrimControls(s.mid(3, eq - 3)), n) || n < 0 || n >= Language_Table_Size)
        return -1;
    QString t = TrimControls(s.mid(eq + 1));
    if (t.isEmpty())
        return -1;
    const qsizetype comment = t.indexOf(QLatin1String("/#/"));
    if (comment >= 0) {
        t = TrimControls(t.left(comment));
        if (t.isEmpty())
            return -1;
    }
    if (t.startsWith(Pilcrow))
        t.remove(0, 1);
    const qsizetype end = t.indexOf(Pilcrow);
    if (end >= 0)
        t.truncate(end);
    // No window shows a text this long: the line is taken for a broken one.
    if (t.size() > MaxLanguageEntryLength)
        return -1;
    text = t;
    return n;
}

}  // namespace

void ApplyLanguageText(const QString& text)
{
    for (const QString& line : SplitLines(text)) {
        QString t;
        const int n = ParseLine(line, t);
        if (n >= 0 && n < Language_Table->Count())
            Language_Table->SetStrings(n, t);
    }
}

void FillEnglishTable()
{
    static const bool registered = (InitEnglishResource(), true);
    (void)registered;
    Language_Table->Clear();
    for (int i = 0; i < LanguageTableEntries; ++i)
        Language_Table->Add(QStringLiteral(" "));
    Language_Table_Size = LanguageTableEntries;
    QFile builtIn(QStringLiteral(":/English.lng"));
    if (builtIn.open(QIODevice::ReadOnly))
        ApplyLanguageText(DecodeText(builtIn.readAll()).Text);
}

void LoadLanguageFile(const QString& path)
{
    QString text;
    try {
        text = ReadTextFile(path, TReadKind::Language).Text;
    } catch (const Exception&) {
        // Missing, unreadable, not a regular file or above the size limit of
        // a language file: the table keeps what it holds, the built-in
        // English is there.
        return;
    }
    ApplyLanguageText(text);
}

void SetupLanguage()
{
    FillEnglishTable();
    if (Language_Dir.isEmpty())
        return;
    QString file = FindFileNoCase(Language_Dir, Language_Name + QStringLiteral(".lng"));
    if (file.isEmpty()) {
        Language_Name = QStringLiteral("English");
        file = FindFileNoCase(Language_Dir, QStringLiteral("English.lng"));
    }
    if (!file.isEmpty())
        LoadLanguageFile(file);
}
