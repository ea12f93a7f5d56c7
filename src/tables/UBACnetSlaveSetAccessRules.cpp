#include "UBACnetSlaveSetAccessRules.h"

#include "Files.h"
#include "SysFormat.h"
#include "UFormLook.h"
#include "XmlDoc.h"

namespace {

// How a page treats a type: one bit, or a length within a range.
enum class BACnetKind { Absent, Bit, Range, Free };

struct BACnetPageRule {
    BACnetKind Kind = BACnetKind::Absent;
    int Min = 0, Max = 0;
    int Message = 0;  // the range's message
};

struct BACnetTypeRow {
    const char* Name;
    BACnetPageRule Read, Write;
    const char* Proposed;  // on the write page; empty: none
};

constexpr BACnetPageRule BACnetBit{BACnetKind::Bit};
constexpr BACnetPageRule BACnetAbsent{};
constexpr BACnetPageRule BACnetRange(int min, int max, int message) { return {BACnetKind::Range, min, max, message}; }

// The types in the read page's list order, then the write page's own.
const BACnetTypeRow BACnetTypes[] = {
    {"Analog Input", BACnetRange(1, 4, 2535), BACnetAbsent, ""},
    {"Analog Value", BACnetRange(1, 4, 2538), BACnetRange(1, 4, 2550), "4"},
    {"Binary Input", BACnetBit, BACnetAbsent, ""},
    {"Binary Value", BACnetBit, BACnetBit, "1"},
    {"Positive Integer Value", BACnetRange(1, 4, 2536), BACnetRange(1, 4, 2551), "4"},
    {"Large Analog Value", BACnetRange(1, 8, 2537), BACnetRange(1, 8, 2552), "8"},
    {"Integer Value", {BACnetKind::Free}, BACnetRange(1, 4, 2553), "4"},
    {"Multi State Input", BACnetRange(1, 4, 2539), BACnetAbsent, ""},
    {"Multi State Value", BACnetRange(1, 4, 2540), BACnetRange(1, 4, 2555), "4"},
    {"Life Safety Point", BACnetRange(1, 2, 2541), BACnetAbsent, ""},
    {"Life Safety Zone", BACnetRange(1, 2, 2542), BACnetAbsent, ""},
    {"Access Door", BACnetRange(1, 1, 2543), BACnetRange(1, 1, 2556), "1"},
    {"Accumulator", BACnetRange(1, 4, 2544), BACnetAbsent, ""},
    {"Analog Out", BACnetAbsent, BACnetRange(1, 4, 2549), "4"},
    {"Binary Out", BACnetAbsent, BACnetBit, "1"},
    {"Multi State Output", BACnetAbsent, BACnetRange(1, 4, 2554), "4"},
};

// The write page's list order (the read page's is the table's).
const char* const BACnetWriteOrder[] = {"Analog Out", "Analog Value", "Binary Out", "Binary Value",
                                        "Positive Integer Value", "Large Analog Value", "Integer Value",
                                        "Multi State Output", "Multi State Value", "Access Door"};

// The messages of a page's row checks.
struct BACnetPageMessages {
    int EngUnit, Position, Bit, LastByte;
};
constexpr BACnetPageMessages BACnetMessages[2] = {{2533, 2534, 2545, 2546}, {2547, 2548, 2557, 2558}};

const BACnetPageRule& BACnetRuleOf(const BACnetTypeRow& t, TBACnetPage page)
{
    return page == BACnetReadPage ? t.Read : t.Write;
}

// A type that the page does not list has no range: only the last byte is checked.
BACnetPageRule BACnetRuleFor(const QString& type, TBACnetPage page)
{
    for (const BACnetTypeRow& t : BACnetTypes)
        if (type == QLatin1String(t.Name)) {
            const BACnetPageRule& r = BACnetRuleOf(t, page);
            return r.Kind == BACnetKind::Absent ? BACnetPageRule{BACnetKind::Free} : r;
        }
    return BACnetPageRule{BACnetKind::Free};
}

const QString BACnetParGenUnreadable = QStringLiteral("Error! The file %1 cannot be read: %2. Each BACnet page has 2000 rows.");

}  // namespace

QStringList BACnetPageTypes(TBACnetPage page)
{
    QStringList out;
    if (page == BACnetReadPage) {
        for (const BACnetTypeRow& t : BACnetTypes)
            if (t.Read.Kind != BACnetKind::Absent) out << QLatin1String(t.Name);
    } else {
        for (const char* name : BACnetWriteOrder) out << QLatin1String(name);
    }
    return out;
}

QString BACnetProposedLength(const QString& choice)
{
    const QString key = choice.toUpper();
    for (const BACnetTypeRow& t : BACnetTypes)
        if (key == QString::fromLatin1(t.Name).toUpper()) return QLatin1String(t.Proposed);
    return QString();
}

QString BACnetRowFault(TBACnetPage page, const std::function<QString(int col)>& cell, int nByte)
{
    const BACnetPageMessages& m = BACnetMessages[page];
    const int engUnit = StrToIntDef(cell(BACnetCol::EngUnit), -1);
    if (engUnit < 0 || engUnit > 65535) return LangText(m.EngUnit);
    const int position = StrToIntDef(cell(BACnetCol::Position), -1);
    if (position < 0 || position > nByte - 1) return LangText(m.Position) + QString::number(nByte - 1);
    int lastByte = position;
    const BACnetPageRule rule = BACnetRuleFor(cell(BACnetCol::DataType), page);
    if (rule.Kind == BACnetKind::Bit) {
        if (cell(BACnetCol::StartBit).trimmed().isEmpty()) return LangText(m.Bit);
    } else {
        // An unreadable length counts as none at all.
        const int length = StrToIntDef(cell(BACnetCol::Length), 0);
        if (rule.Kind == BACnetKind::Range && (length < rule.Min || length > rule.Max))
            return LangText(rule.Message);
        lastByte = position + length - 1;
    }
    if (lastByte >= nByte) return LangText(m.LastByte);
    return QString();
}

QString BACnetTooManyObjects(bool descLimit)
{
    return LangText(2559) + QString::number(BACnetMaxObjects(descLimit));
}

bool ReadBACnetDescLimit(const QString& parGenPath, QString& error)
{
    error.clear();
    if (parGenPath.isEmpty() || !FileExists(parGenPath)) return false;
    TXmlDocument doc;
    const TXmlLoadResult loaded = doc.LoadFromFile(parGenPath);
    if (!loaded) {
        error = BACnetParGenUnreadable.arg(parGenPath, loaded.Reason());
        return false;
    }
    const std::optional<QString> value = doc.DocumentElement().ChildText(QStringLiteral("BACnet_Desc_Chars_Limit"));
    return value && *value == QStringLiteral("1");
}
