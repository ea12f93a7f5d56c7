#include "DescriptionTestKit.h"

#include "ULanguage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

TDateTime FixedMoment()
{
    return EncodeDate(2024, 3, 5) + EncodeTime(7, 4, 9, 0);
}

void DescriptionFixture::SetUp()
{
    ResetSharedState();
    FillEnglishTable();
    FClockGuard = std::make_unique<ScopedService<std::shared_ptr<IClock>>>(&PlatformServices::Clock, Clock);
    SetProgramFolders();
    Project_Name = QStringLiteral("Plant");
    Project_Path = ProjectDir();
    QDir().mkpath(Project_Path);
    Set_Files();
}

void DescriptionFixture::TearDown()
{
    FClockGuard.reset();
    ResetSharedState();
}

QString DescriptionFixture::ProjectDir()
{
    return TestHarness::ProgramDir() + QStringLiteral("/PROJECTS/Plant");
}

QString DescriptionFixture::InProject(const QString& name)
{
    return ProjectDir() + u'/' + name;
}

void DescriptionFixture::WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray DescriptionFixture::ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

void DescriptionFixture::WriteParGen(const QString& elements)
{
    // As the general-parameter editor writes it: the root first, the
    // version comment after it.
    WriteBytes(ParGen_File, (QStringLiteral("<?xml version=\"1.0\"?>\n<Par_Gen>") + elements +
                             QStringLiteral("</Par_Gen>\n<!--SW_VERSION = 1.000-->\n"))
                                .toUtf8());
}

void DescriptionFixture::WriteTable(const QString& path, const QString& root, const QString& sections)
{
    WriteBytes(path, (u'<' + root + u'>' + sections + QStringLiteral("</") + root +
                      QStringLiteral(">\n<!--SW_VERSION = 1.000-->\n"))
                         .toUtf8());
}

void DescriptionFixture::WriteTable(const QString& path, const QString& root, const QString& first,
                                    const QString& firstRows, const QString& second, const QString& secondRows)
{
    auto section = [](const QString& name, const QString& rows) {
        return u'<' + name + u'>' + rows + QStringLiteral("</") + name + u'>';
    };
    WriteTable(path, root, section(first, firstRows) + section(second, secondRows));
}

QString DataPath(const QString& name)
{
    return TestHarness::SourcePath(QStringLiteral("tests/data/descriptions/") + name);
}

QByteArray Golden(const QString& name)
{
    QFile f(DataPath(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << "golden file missing: " << name.toStdString();
    return f.readAll();
}

QString FirstDifference(const QByteArray& actual, const QByteArray& expected)
{
    if (actual == expected) return QString();
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (int i = 0; i < std::max(a.size(), e.size()); ++i) {
        const QByteArray la = i < a.size() ? a[i] : QByteArray("<end of file>");
        const QByteArray le = i < e.size() ? e[i] : QByteArray("<end of file>");
        auto shown = [](QByteArray l) {
            return QString::fromLatin1(l.replace('\r', "\\r").replace('\t', "\\t"));
        };
        if (la != le)
            return QStringLiteral("line ") + QString::number(i + 1) + QStringLiteral(":\n  written:  ") + shown(la) +
                   QStringLiteral("\n  expected: ") + shown(le);
    }
    return QStringLiteral("the files differ in length only");
}

TToolRun RunTool(const QString& program, const QStringList& args, const QStringList& env)
{
    TToolRun run;
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        run.Missing = true;
        run.Output = program + QStringLiteral(" is not installed (scripts/install-deps.sh installs it)");
        return run;
    }
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& kv : env) e.insert(kv.section(u'=', 0, 0), kv.section(u'=', 1));
    p.setProcessEnvironment(e);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    p.waitForFinished(60000);
    run.ExitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.Output = QString::fromUtf8(p.readAll());
    return run;
}

namespace {

QString Problems(const TToolRun& r)
{
    if (r.Missing) return r.Output;
    return r.ExitCode == 0 ? QString() : r.Output.isEmpty() ? QStringLiteral("failed") : r.Output;
}

const char* const Ini_Check = R"(
import configparser, sys
text = open(sys.argv[1], 'rb').read().decode('cp1252')
for n, line in enumerate(text.split('\r\n')[:-1], 1):
    if line and not (line.startswith('[') and line.endswith(']')) and '=' not in line:
        sys.exit('line %d is no section, no key=value and not empty: %r' % (n, line))
p = configparser.ConfigParser(strict=True, interpolation=None)
p.optionxform = str
try:
    p.read_string(text)
except configparser.Error as e:
    sys.exit(str(e))
)";

const char* const Csv_Check = R"(
import csv, sys
text = open(sys.argv[1], 'rb').read().decode('cp1252')
if not text.endswith('\r\n'): sys.exit('no line break after the last line')
for n, row in enumerate(csv.reader(text.split('\r\n')[:-1], delimiter=';', quoting=csv.QUOTE_NONE), 1):
    if len(row) != 8 or row[7] != '':
        sys.exit('line %d has %d fields: %r' % (n, len(row), row))
)";

}  // namespace

QString XmlLintProblems(const QString& path)
{
    return Problems(RunTool(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--nonet"), path}));
}

QString IniProblems(const QString& path)
{
    return Problems(RunTool(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromUtf8(Ini_Check), path}));
}

QString EdeCsvProblems(const QString& path)
{
    return Problems(RunTool(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromUtf8(Csv_Check), path}));
}

QString SmiLintErrors(const QByteArray& module)
{
    QTemporaryDir dir(TestHarness::ProgramDir() + QStringLiteral("/smi-XXXXXX"));
    const QString path = dir.path() + QStringLiteral("/GATEWAY");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write ") + path;
    f.write(module);
    f.close();
    // Debian ships no standard modules (their licence); the tests carry
    // the few definitions the module imports.
    const TToolRun r = RunTool(QStringLiteral("smilint"), QStringList{path},
                               QStringList{QStringLiteral("SMIPATH=") + DataPath(QStringLiteral("smi"))});
    if (r.Missing) return r.Output;
    QStringList errors;
    for (const QString& line : r.Output.split(u'\n', Qt::SkipEmptyParts))
        if (!line.contains(QStringLiteral(": warning:"))) errors << line;
    return errors.join(u'\n');
}
