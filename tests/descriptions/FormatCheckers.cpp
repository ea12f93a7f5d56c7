#include "FormatCheckers.h"

#include "XmlDoc.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <map>

namespace {

QStringList CrLfLines(const QByteArray& file)
{
    QStringList lines = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace

// ---------------------------------------------------------------------------
// GSD

QString GsdProblems(const QByteArray& file)
{
    QStringList problems;
    const QHash<QString, QString> blocks = {
        {QStringLiteral("PrmText"), QStringLiteral("EndPrmText")},
        {QStringLiteral("ExtUserPrmData"), QStringLiteral("EndExtUserPrmData")},
        {QStringLiteral("Module"), QStringLiteral("EndModule")},
        {QStringLiteral("Unit_Diag_Area"), QStringLiteral("Unit_Diag_Area_End")},
        {QStringLiteral("SlotDefinition"), QStringLiteral("EndSlotDefinition")},
    };
    static const QRegularExpression keyword(QStringLiteral(R"(^([A-Za-z0-9_.]+)(\(\d+\))?\s*(=\s*(.*))?$)"));
    static const QRegularExpression dataType(
        QStringLiteral(R"(^(Unsigned8|Unsigned16|Unsigned32|Signed8|Signed16|Signed32|Bit\(\d+\)|BitArea\(\d+-\d+\))\s+\S+\s+\S+$)"));
    static const QRegularExpression number(QStringLiteral(R"(^(-?\d+|0x[0-9A-Fa-f]+)$)"));
    QString open;  // the block we are in
    bool sawHeader = false;
    const QStringList lines = CrLfLines(file);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& l = lines[i];
        const QString where = QStringLiteral("line %1: ").arg(i + 1);
        if (l.isEmpty() || l.startsWith(u';')) continue;
        if (!sawHeader) {
            if (l != QStringLiteral("#Profibus_DP")) problems << where + QStringLiteral("\"#Profibus_DP\" must come first");
            sawHeader = true;
            continue;
        }
        if (l.count(u'"') % 2) problems << where + QStringLiteral("unbalanced quotes");
        const QRegularExpressionMatch m = keyword.match(l);
        const QString key = m.hasMatch() ? m.captured(1) : QString();
        if (blocks.contains(key)) {
            if (!open.isEmpty()) problems << where + key + QStringLiteral(" opened inside ") + open;
            open = key;
        } else if (!open.isEmpty() && key == blocks[open]) {
            open.clear();
            continue;
        } else if (std::any_of(blocks.cbegin(), blocks.cend(), [&](const QString& end) { return end == key; })) {
            problems << where + key + QStringLiteral(" closes no open block");
            continue;
        } else if (open == QStringLiteral("Module") && number.match(l).hasMatch()) {
            continue;  // the module's reference number
        } else if (open == QStringLiteral("ExtUserPrmData") && dataType.match(l).hasMatch()) {
            continue;
        } else if (!m.hasMatch() || m.captured(3).isEmpty()) {
            problems << where + QStringLiteral("not a keyword line: ") + l;
            continue;
        }
        // The numbers of the value, outside quotes.
        QString value = m.captured(4);
        value.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"")));
        for (const QString& token : value.split(QRegularExpression(QStringLiteral("[ ,]")), Qt::SkipEmptyParts)) {
            if (!token[0].isDigit() || token.contains(u'@')) continue;  // names, the slave family
            const QStringList range = token.split(u'-');
            for (const QString& n : range)
                if (!number.match(n).hasMatch()) problems << where + QStringLiteral("not a number: ") + token;
        }
    }
    if (!sawHeader) problems << QStringLiteral("no \"#Profibus_DP\" line");
    if (!open.isEmpty()) problems << open + QStringLiteral(" is never closed");
    return problems.join(u'\n');
}

// ---------------------------------------------------------------------------
// SMIv2

namespace {

// ASN.1 tokens: strings keep their quotes; comments are dropped.
QStringList SmiTokens(const QString& text)
{
    QStringList tokens;
    for (int i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
        } else if (text.mid(i, 2) == QStringLiteral("--")) {
            const int end = text.indexOf(u'\n', i);
            i = end < 0 ? text.size() : end;
        } else if (c == u'"') {
            const int end = text.indexOf(u'"', i + 1);
            const int stop = end < 0 ? text.size() : end + 1;
            tokens << text.mid(i, stop - i);
            i = stop;
        } else if (text.mid(i, 3) == QStringLiteral("::=")) {
            tokens << QStringLiteral("::=");
            i += 3;
        } else if (QStringLiteral("{}(),;|").contains(c)) {
            tokens << QString(c);
            ++i;
        } else {
            int j = i;
            while (j < text.size() && (text[j].isLetterOrNumber() || text[j] == u'-' || text[j] == u'_')) ++j;
            if (j == i) ++j;
            tokens << text.mid(i, j - i);
            i = j;
        }
    }
    return tokens;
}

bool IsIdentifier(const QString& t)
{
    static const QRegularExpression id(QStringLiteral(R"(^[a-z][A-Za-z0-9-]*$)"));
    return id.match(t).hasMatch() && !t.endsWith(u'-') && !t.contains(QStringLiteral("--"));
}

}  // namespace

QString Smiv2Problems(const QByteArray& file)
{
    QStringList problems;
    const QStringList t = SmiTokens(QString::fromLatin1(file));
    int p = 0;
    auto at = [&](int k) { return k < t.size() ? t[k] : QString(); };
    auto expect = [&](const QString& s) {
        if (at(p) != s) {
            problems << QStringLiteral("expected \"%1\" but found \"%2\" (token %3)").arg(s, at(p)).arg(p);
            return false;
        }
        ++p;
        return true;
    };
    if (t.isEmpty() || !t[0].front().isUpper()) problems << QStringLiteral("the module name must start upper-case");
    p = 1;
    if (!expect(QStringLiteral("DEFINITIONS")) || !expect(QStringLiteral("::=")) || !expect(QStringLiteral("BEGIN")))
        return problems.join(u'\n');

    QSet<QString> imported;
    if (at(p) == QStringLiteral("IMPORTS")) {
        ++p;
        QStringList names;
        while (p < t.size() && at(p) != QStringLiteral(";")) {
            if (at(p) == QStringLiteral("FROM")) {
                const QString module = at(++p);
                if (module == QStringLiteral("RFC1155-SMI") || module == QStringLiteral("RFC-1212") ||
                    module == QStringLiteral("RFC-1215") || module == QStringLiteral("RFC1213-MIB"))
                    problems << QStringLiteral("imports from the SMIv1 module ") + module;
                for (const QString& n : names) imported.insert(n);
                names.clear();
            } else if (at(p) != QStringLiteral(",")) {
                names << at(p);
            }
            ++p;
        }
        if (!names.isEmpty()) problems << QStringLiteral("imported names without FROM: ") + names.join(u',');
        if (!expect(QStringLiteral(";"))) return problems.join(u'\n');
    }

    QSet<QString> defined;
    QHash<QString, QString> macroOf;      // name -> macro
    QHash<QString, QStringList> objects;  // notification -> its OBJECTS
    QHash<QString, QString> parentOf;
    std::map<std::pair<QString, QString>, QString> registered;
    int assignments = 0;
    while (p < t.size() && at(p) != QStringLiteral("END")) {
        const QString name = at(p++);
        if (!IsIdentifier(name)) problems << QStringLiteral("\"%1\" is not an identifier").arg(name);
        if (defined.contains(name)) problems << QStringLiteral("\"%1\" is defined twice").arg(name);
        defined.insert(name);
        QString macro;
        if (at(p) == QStringLiteral("OBJECT") && at(p + 1) == QStringLiteral("IDENTIFIER")) {
            macro = QStringLiteral("OBJECT IDENTIFIER");
            p += 2;
        } else if (at(p) == QStringLiteral("MODULE-IDENTITY") || at(p) == QStringLiteral("OBJECT-TYPE") ||
                   at(p) == QStringLiteral("NOTIFICATION-TYPE")) {
            macro = at(p++);
            if (!imported.contains(macro)) problems << macro + QStringLiteral(" is used but not imported");
        } else {
            problems << QStringLiteral("\"%1\" is followed by \"%2\", not a definition").arg(name, at(p));
        }
        if (assignments == 0 && macro != QStringLiteral("MODULE-IDENTITY"))
            problems << QStringLiteral("the first definition must be the MODULE-IDENTITY");
        if (assignments > 0 && macro == QStringLiteral("MODULE-IDENTITY"))
            problems << QStringLiteral("a second MODULE-IDENTITY: ") + name;
        ++assignments;
        macroOf[name] = macro;
        // The clauses up to "::=".
        QSet<QString> clauses;
        while (p < t.size() && at(p) != QStringLiteral("::=")) {
            const QString k = at(p);
            if (k == QStringLiteral("OBJECTS") && at(p + 1) == QStringLiteral("{")) {
                p += 2;
                while (p < t.size() && at(p) != QStringLiteral("}")) {
                    if (at(p) != QStringLiteral(",")) objects[name] << at(p);
                    ++p;
                }
            }
            if (k.size() > 1 && k.front().isUpper() && k != QStringLiteral("OCTET") && k != QStringLiteral("STRING") &&
                k != QStringLiteral("INTEGER"))
                clauses.insert(k);
            ++p;
        }
        if (macro == QStringLiteral("OBJECT-TYPE")) {
            for (const char* c : {"SYNTAX", "MAX-ACCESS", "STATUS", "DESCRIPTION"})
                if (!clauses.contains(QLatin1String(c)))
                    problems << QStringLiteral("OBJECT-TYPE %1 has no %2").arg(name, QLatin1String(c));
        } else if (macro == QStringLiteral("NOTIFICATION-TYPE")) {
            for (const char* c : {"SYNTAX", "MAX-ACCESS"})
                if (clauses.contains(QLatin1String(c)))
                    problems << QStringLiteral("NOTIFICATION-TYPE %1 may not have %2").arg(name, QLatin1String(c));
            for (const char* c : {"STATUS", "DESCRIPTION"})
                if (!clauses.contains(QLatin1String(c)))
                    problems << QStringLiteral("NOTIFICATION-TYPE %1 has no %2").arg(name, QLatin1String(c));
            if (!clauses.contains(QStringLiteral("OBJECTS")))
                problems << QStringLiteral("NOTIFICATION-TYPE %1 has no OBJECTS").arg(name);
        }
        // "::= { parent n }"
        if (!expect(QStringLiteral("::=")) || !expect(QStringLiteral("{"))) break;
        const QString parent = at(p++);
        const QString number = at(p++);
        if (!expect(QStringLiteral("}"))) break;
        parentOf[name] = parent;
        bool isNumber = false;
        number.toUInt(&isNumber);
        if (!isNumber) problems << QStringLiteral("%1: \"%2\" is no sub-identifier").arg(name, number);
        auto [it, fresh] = registered.emplace(std::make_pair(parent, number), name);
        if (!fresh)
            problems << QStringLiteral("%1 and %2 are both registered as { %3 %4 }").arg(it->second, name, parent, number);
    }
    if (at(p) != QStringLiteral("END")) problems << QStringLiteral("the module does not end with END");
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it)
        if (!defined.contains(it.value()) && !imported.contains(it.value()))
            problems << QStringLiteral("%1: parent %2 is neither defined nor imported").arg(it.key(), it.value());
    for (auto it = objects.cbegin(); it != objects.cend(); ++it)
        for (const QString& o : it.value())
            if (macroOf.value(o) != QStringLiteral("OBJECT-TYPE"))
                problems << QStringLiteral("%1 names %2, which is no object of the module").arg(it.key(), o);
    return problems.join(u'\n');
}

// ---------------------------------------------------------------------------
// EDS

QString EdsCoherenceProblems(const QByteArray& file)
{
    QStringList problems;
    std::map<QString, QHash<QString, QString>> sections;  // upper-case name -> keys
    QString current;
    for (const QString& l : CrLfLines(file)) {
        if (l.startsWith(u'[')) {
            current = l.mid(1, l.size() - 2).toUpper();
            sections[current];
        } else if (l.contains(u'=')) {
            sections[current][l.section(u'=', 0, 0)] = l.section(u'=', 1);
        }
    }
    for (const char* list : {"MANDATORYOBJECTS", "OPTIONALOBJECTS", "MANUFACTUREROBJECTS"}) {
        const auto& keys = sections[QLatin1String(list)];
        const int supported = keys.value(QStringLiteral("SupportedObjects")).toInt();
        if (keys.size() - 1 != supported)
            problems << QStringLiteral("[%1] SupportedObjects=%2 but %3 entries")
                            .arg(QLatin1String(list)).arg(supported).arg(keys.size() - 1);
        for (int n = 1; n <= supported; ++n) {
            const QString v = keys.value(QString::number(n));
            if (!sections.count(v.mid(2).toUpper()))
                problems << QStringLiteral("[%1] entry %2 (%3) has no section").arg(QLatin1String(list)).arg(n).arg(v);
        }
    }
    for (const auto& [name, keys] : sections) {
        if (!keys.contains(QStringLiteral("SubNumber"))) continue;
        int subs = 0;
        for (const auto& s : sections)
            if (s.first.startsWith(name + QStringLiteral("SUB"))) ++subs;
        if (keys.value(QStringLiteral("SubNumber")).toInt() != subs)
            problems << QStringLiteral("[%1] SubNumber=%2 but %3 sub-sections")
                            .arg(name, keys.value(QStringLiteral("SubNumber"))).arg(subs);
        const uint index = name.toUInt(nullptr, 16);
        const bool mapping = (index >= 0x1600 && index < 0x1800) || (index >= 0x1A00 && index < 0x1C00);
        if ((mapping || (index >= 0x7000 && index < 0x8000)) && subs > 0) {
            const int count = sections[name + QStringLiteral("SUB0")].value(QStringLiteral("DefaultValue")).toInt(nullptr, 16);
            if (count != subs - 1)
                problems << QStringLiteral("[%1sub0] DefaultValue says %2 entries, %3 written").arg(name).arg(count).arg(subs - 1);
        }
    }
    return problems.join(u'\n');
}

// ---------------------------------------------------------------------------
// GSDML

namespace {

void Walk(const TXmlNode& n, const std::function<void(const TXmlNode&)>& f)
{
    if (!n.IsElement()) return;
    f(n);
    for (int i = 0; i < n.ChildElementCount(); ++i) Walk(n.ChildElementAt(i), f);
}

}  // namespace

QString GsdmlCoherenceProblems(const QByteArray& file)
{
    TXmlDocument doc;
    const TXmlLoadResult r = doc.LoadFromBytes(file);
    if (!r) return QStringLiteral("not well-formed: ") + r.Reason();
    QSet<QString> texts, ids;
    QStringList usedTexts, targets;
    Walk(doc.DocumentElement(), [&](const TXmlNode& n) {
        const bool primaryText = n.Name() == QStringLiteral("Text") &&
                                 n.Parent().Name() == QStringLiteral("PrimaryLanguage");
        if (const auto id = n.Attribute(QStringLiteral("TextId"))) {
            if (primaryText)
                texts.insert(*id);
            else
                usedTexts << *id;
        }
        if (const auto id = n.Attribute(QStringLiteral("ID"))) ids.insert(*id);
        for (const char* a : {"ModuleItemTarget", "ValueItemTarget"})
            if (const auto t = n.Attribute(QLatin1String(a))) targets << *t;
    });
    QStringList problems;
    for (const QString& id : usedTexts)
        if (!texts.contains(id)) problems << QStringLiteral("TextId ") + id + QStringLiteral(" has no text");
    for (const QString& t : targets)
        if (!ids.contains(t)) problems << QStringLiteral("target ") + t + QStringLiteral(" names no item");
    return problems.join(u'\n');
}
