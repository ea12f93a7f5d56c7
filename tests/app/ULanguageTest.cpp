// The language table: built-in English and language files.
#include "Files.h"
#include "HostileFiles.h"
#include "TempProgramDir.h"
#include "UComon.h"
#include "ULanguage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// The filled ranges of the built-in table (one block per window).
const std::pair<int, int> FilledRanges[] = {
    {0, 60},      {100, 110},   {200, 207},   {300, 321},   {400, 962},   {1000, 1037},
    {1100, 1105}, {1200, 1324}, {1400, 1466}, {1500, 1545}, {1600, 1621}, {1700, 1758},
    {1800, 1863}, {1900, 1991}, {2000, 2079}, {2100, 2165}, {2200, 2286}, {2300, 2398},
    {2400, 2474}, {2500, 2560}, {2600, 2608}, {2700, 2730}, {2800, 2811},
};

bool InFilledRange(int n)
{
    for (const auto& [a, b] : FilledRanges) {
        if (n >= a && n <= b)
            return true;
    }
    return false;
}

QString Entry(int n)
{
    return Language_Table->Strings(n);
}

class LanguageTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        SetProgramFolders();
        Language_Name = QStringLiteral("English");
    }
    void TearDown() override { ResetSharedState(); }

    QString LangFile(const QString& name) const { return Language_Dir + u'/' + name; }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
};

QByteArray Utf8(const char16_t* s)
{
    return QString::fromUtf16(s).toUtf8();
}

}  // namespace

TEST_F(LanguageTable, BuiltInEnglishFillsExactlyTheFilledRanges)
{
    EXPECT_EQ(Language_Table_Size, 0);
    FillEnglishTable();
    ASSERT_EQ(Language_Table->Count(), 2900);
    EXPECT_EQ(Language_Table_Size, 2900);
    int filled = 0;
    for (int n = 0; n < 2900; ++n) {
        const QString t = Entry(n);
        ASSERT_FALSE(t.isEmpty()) << n;
        if (InFilledRange(n)) {
            EXPECT_NE(t, QStringLiteral(" ")) << n;
            ++filled;
        } else {
            EXPECT_EQ(t, QStringLiteral(" ")) << n;
        }
    }
    EXPECT_EQ(filled, 1704);

    const std::pair<int, const char*> quoted[] = {
        {9, "None Configuration Opened "},
        {11, "Opened Configuration of the Converter : "},
        {18, "Error! Project not Valid"},
        {304, "Selected Language : "},
        {305, "Page "},
        {306, " / "},
        {316, "Do you want to change the Language from "},
        {317, " to "},
        {1101, "Error in the Copy values!!! Copy a valid row before Paste it"},
        {1217, "Enable"},
        {1257, "Insert the IP Address of PLC"},
        {1277, "!! [R7arir Read] Position must be between 0 and "},
        {1457, "!! [KNX in Write] Bit Mode must be \"No\" or between 0 and 7"},
        {1750, " or None"},
        {1756, "!! Byte7 must be between 0 and "},
        {2811, "File already exists! Do you want to overwrite the file?"},
    };
    for (const auto& [n, text] : quoted)
        EXPECT_EQ(Entry(n), QString::fromUtf8(text)) << n;
}

TEST(EnglishLanguageFile, NamesEachEntryOnceAndOnlyInsideTheFilledRanges)
{
    QFile f(QStringLiteral(":/English.lng"));
    FillEnglishTable();  // registers the resource
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    const QRegularExpression entry(QStringLiteral("^STR(\\d+) = "));
    QSet<int> seen;
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = entry.match(line);
        if (!m.hasMatch()) {
            EXPECT_FALSE(line.startsWith(QLatin1String("STR"))) << line.toStdString();
            continue;
        }
        const int n = m.captured(1).toInt();
        EXPECT_TRUE(InFilledRange(n)) << n;
        EXPECT_FALSE(seen.contains(n)) << "named twice: " << n;
        seen.insert(n);
    }
    EXPECT_EQ(seen.size(), 1704);
    ResetSharedState();
}

TEST_F(LanguageTable, LanguageFileLinesOverlayTheTable)
{
    struct Case {
        const char16_t* Line;
        int Entry;  // -1: nothing changes
        const char16_t* Text;
    } cases[] = {
        {u"STR18 = Progetto non valido /#/ note", 18, u"Progetto non valido"},
        {u"STR12=Hello", 12, u"Hello"},
        {u"STR5=x", 5, u"x"},
        {u"STR 7 = x", 7, u"x"},
        {u"  STR8 = spaced  ", 8, u"spaced"},
        {u"STR2900 = x", -1, nullptr},
        {u"STR-1 = x", -1, nullptr},
        {u"STRx = y", -1, nullptr},
        {u"str5 = y", -1, nullptr},
        {u"STR5 x", -1, nullptr},
        {u"STR5 = ", -1, nullptr},
        {u"STR5 = /#/ note", -1, nullptr},
        {u"; STR5 = comment line", -1, nullptr},
        {u"STR306 = \u00B6 / \u00B6", 306, u" / "},
        {u"STR306 = \u00B6", 306, u""},
        {u"STR9 = \u00B6None Configuration Opened \u00B6", 9, u"None Configuration Opened "},
        {u"STR10 = a\u00B6b", 10, u"a"},
        {u"STR$10 = hex", 16, u"hex"},
    };
    FillEnglishTable();
    QStringList english;
    for (int n = 0; n < 2900; ++n)
        english << Entry(n);
    for (const Case& c : cases) {
        FillEnglishTable();
        Write(LangFile(QStringLiteral("Test.lng")), Utf8(c.Line));
        LoadLanguageFile(LangFile(QStringLiteral("Test.lng")));
        for (int n = 0; n < 2900; ++n) {
            const QString expected = n == c.Entry ? QString::fromUtf16(c.Text) : english[n];
            ASSERT_EQ(Entry(n), expected) << QString::fromUtf16(c.Line).toStdString() << " entry " << n;
        }
    }
    // A later line for the same entry wins.
    FillEnglishTable();
    Write(LangFile(QStringLiteral("Test.lng")), "STR1 = first\nSTR1 = second\n");
    LoadLanguageFile(LangFile(QStringLiteral("Test.lng")));
    EXPECT_EQ(Entry(1), QStringLiteral("second"));
}

TEST_F(LanguageTable, ALanguageFileBeforeTheEnglishFillChangesNothing)
{
    Write(LangFile(QStringLiteral("Test.lng")), "STR1 = early\n");
    LoadLanguageFile(LangFile(QStringLiteral("Test.lng")));
    EXPECT_EQ(Language_Table->Count(), 0);
}

TEST_F(LanguageTable, EncodingsAndLineEnds)
{
    const QString text = QStringLiteral("STR1 = \u00E4rger\u00B6 \nSTR2 = zwei");
    auto withEnds = [](QString s, const char* end) { return s.replace(u'\n', QLatin1String(end)); };
    QByteArray utf16le("\xFF\xFE"), utf16be("\xFE\xFF");
    for (QChar c : text) {
        utf16le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        utf16be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    const std::pair<const char*, QByteArray> files[] = {
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + text.toUtf8()},
        {"UTF-16 LE", utf16le},
        {"UTF-16 BE", utf16be},
        {"UTF-8", text.toUtf8()},
        {"Windows-1252", QByteArray("STR1 = \xE4rger\xB6 \nSTR2 = zwei")},
        {"CR LF", withEnds(text, "\r\n").toUtf8()},
        {"CR", withEnds(text, "\r").toUtf8()},
    };
    for (const auto& [name, bytes] : files) {
        FillEnglishTable();
        Write(LangFile(QStringLiteral("Enc.lng")), bytes);
        LoadLanguageFile(LangFile(QStringLiteral("Enc.lng")));
        EXPECT_EQ(Entry(1), QStringLiteral("\u00E4rger")) << name;
        EXPECT_EQ(Entry(2), QStringLiteral("zwei")) << name;
    }
}

TEST_F(LanguageTable, SetupLanguageStartsFromEnglishEveryTime)
{
    Write(LangFile(QStringLiteral("Italiano.lng")), "STR1 = Passo 1\nSTR2 = Passo 2\n");
    Language_Name = QStringLiteral("Italiano");
    SetupLanguage();
    EXPECT_EQ(Entry(1), QStringLiteral("Passo 1"));
    EXPECT_EQ(Entry(2), QStringLiteral("Passo 2"));

    Write(LangFile(QStringLiteral("Italiano.lng")), "STR1 = Passo uno\n");
    SetupLanguage();
    EXPECT_EQ(Entry(1), QStringLiteral("Passo uno"));
    EXPECT_EQ(Entry(2), QStringLiteral("Step 2"));
    EXPECT_EQ(Language_Name, QStringLiteral("Italiano"));
}

TEST_F(LanguageTable, AMissingLanguageFallsBackToEnglish)
{
    Write(LangFile(QStringLiteral("English.lng")), "STR1 = First step\n");
    Language_Name = QStringLiteral("Klingon");
    SetupLanguage();
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_EQ(Entry(1), QStringLiteral("First step"));

    QFile::remove(LangFile(QStringLiteral("English.lng")));
    Language_Name = QStringLiteral("Klingon");
    SetupLanguage();
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_EQ(Entry(1), QStringLiteral("Step 1"));
}

TEST_F(LanguageTable, FileNamesMatchIgnoringCase)
{
    Write(LangFile(QStringLiteral("italiano.LNG")), "STR1 = Passo 1\n");
    Language_Name = QStringLiteral("Italiano");
    SetupLanguage();
    EXPECT_EQ(Language_Name, QStringLiteral("Italiano"));
    EXPECT_EQ(Entry(1), QStringLiteral("Passo 1"));
}

TEST_F(LanguageTable, AnUnreadableFileKeepsTheBuiltInTexts)
{
    // A folder of that name cannot be read, even by root.
    ASSERT_TRUE(QDir().mkpath(LangFile(QStringLiteral("Broken.lng"))));
    Language_Name = QStringLiteral("Broken");
    EXPECT_NO_THROW(SetupLanguage());
    ASSERT_EQ(Language_Table->Count(), 2900);
    EXPECT_EQ(Entry(1), QStringLiteral("Step 1"));
}

// An entry text longer than any window shows is taken for a broken line: the
// entry keeps its text, the lines around it count.
TEST_F(LanguageTable, AnOverlongEntryIsIgnored)
{
    const QByteArray longest(MaxLanguageEntryLength, 'a');
    const QByteArray tooLong(MaxLanguageEntryLength + 1, 'b');
    Write(LangFile(QStringLiteral("Long.lng")),
          "STR5 = " + longest + "\nSTR6 = " + tooLong + "\nSTR7 = \xC2\xB6" + tooLong + "\xC2\xB6\nSTR8 = short\n");
    FillEnglishTable();
    const QString english6 = Entry(6), english7 = Entry(7);
    LoadLanguageFile(LangFile(QStringLiteral("Long.lng")));
    EXPECT_EQ(Entry(5), QString::fromLatin1(longest));
    EXPECT_EQ(Entry(6), english6);
    EXPECT_EQ(Entry(7), english7);
    EXPECT_EQ(Entry(8), QStringLiteral("short"));
}

// A language file that is a FIFO, a link to a device or larger than the
// language-file limit is not read: the start goes on at once with English.
TEST_F(LanguageTable, SpecialAndOversizedFilesKeepTheBuiltInTexts)
{
    std::optional<TFifo> fifo;
    struct Case {
        const char* Name;
        std::function<bool(const QString&)> Make;
    } cases[] = {
        {"FIFO", [&](const QString& p) { fifo.emplace(p); return fifo->Made(); }},
        {"link to /dev/zero", [](const QString& p) { return QFile::link(QStringLiteral("/dev/zero"), p); }},
        {"above the limit", [](const QString& p) { return MakeSparseFile(p, ReadLimit(TReadKind::Language) + 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString file = LangFile(QStringLiteral("Hostile.lng"));
        QFile::remove(file);
        ASSERT_TRUE(c.Make(file));
        Language_Name = QStringLiteral("Hostile");
        QElapsedTimer clock;
        clock.start();
        SetupLanguage();
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_EQ(Language_Name, QStringLiteral("Hostile"));
        ASSERT_EQ(Language_Table->Count(), 2900);
        EXPECT_EQ(Entry(1), QStringLiteral("Step 1"));
        fifo.reset();
    }
}
