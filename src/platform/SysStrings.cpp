#include "SysStrings.h"

#include <QCollator>
#include <QLocale>
#include <optional>

namespace {

int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; }

// The collator of one locale and case rule, made once per thread: building
// one is costly and a collator is not to be shared between threads.
const QCollator& CachedCollator(const QString& localeName, bool caseSensitive)
{
    struct Entry {
        QString Name;
        std::optional<QCollator> Collator;
    };
    thread_local Entry entries[2];
    Entry& e = entries[caseSensitive ? 1 : 0];
    if (!e.Collator || e.Name != localeName) {
        e.Name = localeName;
        e.Collator.emplace(QLocale(localeName));
        e.Collator->setCaseSensitivity(caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    }
    return *e.Collator;
}

// The locale whose case rules the Ansi case conversions follow, made once
// per thread and name: parsing the name is costly per call.
const QLocale& CachedCaseLocale(const QString& localeName)
{
    struct Entry {
        QString Name;
        std::optional<QLocale> Locale;
    };
    thread_local Entry e;
    if (!e.Locale || e.Name != localeName) {
        e.Name = localeName;
        e.Locale.emplace(localeName);
    }
    return *e.Locale;
}

// Whether the locale upper-cases every ASCII text by the plain a-z rule
// (not so where "i" becomes a dotted capital); kept per thread and name.
bool CaseLocaleUppersAsciiPlainly(const QString& localeName)
{
    struct Entry {
        QString Name;
        bool Known = false;
        bool Plain = false;
    };
    thread_local Entry e;
    if (!e.Known || e.Name != localeName) {
        QString ascii(127, Qt::Uninitialized), upper(127, Qt::Uninitialized);
        for (int i = 0; i < 127; ++i) {
            ascii[i] = QChar(char16_t(i + 1));
            upper[i] = QChar(AsciiUpper(char16_t(i + 1)));
        }
        e.Name = localeName;
        e.Plain = CachedCaseLocale(localeName).toUpper(ascii) == upper;
        e.Known = true;
    }
    return e.Plain;
}

}  // namespace

int CompareStr(const QString& a, const QString& b)
{
    return Sign(QStringView(a).compare(QStringView(b), Qt::CaseSensitive));
}

int CompareText(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = AsciiUpper(a[i].unicode());
        const char16_t y = AsciiUpper(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool SameText(const QString& a, const QString& b)
{
    return CompareText(a, b) == 0;
}

int AnsiCompareStr(const QString& a, const QString& b)
{
    return AnsiCompareStr(a, b, *DefaultFormatSettingsPtr());
}

int AnsiCompareStr(const QString& a, const QString& b, const FormatSettings& fs)
{
    return Sign(CachedCollator(fs.CollationLocale, true).compare(a, b));
}

int AnsiCompareText(const QString& a, const QString& b)
{
    return AnsiCompareText(a, b, *DefaultFormatSettingsPtr());
}

int AnsiCompareText(const QString& a, const QString& b, const FormatSettings& fs)
{
    return Sign(CachedCollator(fs.CollationLocale, false).compare(a, b));
}

QString AnsiUpperCase(const QString& s) { return AnsiUpperCase(s, *DefaultFormatSettingsPtr()); }
QString AnsiUpperCase(const QString& s, const FormatSettings& fs)
{
    // The common ASCII text skips the locale's conversion, and a text with
    // nothing to change is returned shared.
    qsizetype firstLower = -1;
    bool ascii = true;
    for (qsizetype i = 0; i < s.size() && ascii; ++i) {
        const char16_t c = s[i].unicode();
        ascii = c < 0x80;
        if (firstLower < 0 && c >= u'a' && c <= u'z')
            firstLower = i;
    }
    if (ascii && CaseLocaleUppersAsciiPlainly(fs.CollationLocale)) {
        if (firstLower < 0)
            return s;
        QString r = s;
        for (QChar* p = r.data() + firstLower, *end = r.data() + r.size(); p != end; ++p)
            *p = QChar(AsciiUpper(p->unicode()));
        return r;
    }
    return CachedCaseLocale(fs.CollationLocale).toUpper(s);
}

QString AnsiLowerCase(const QString& s) { return AnsiLowerCase(s, *DefaultFormatSettingsPtr()); }
QString AnsiLowerCase(const QString& s, const FormatSettings& fs)
{
    return CachedCaseLocale(fs.CollationLocale).toLower(s);
}
