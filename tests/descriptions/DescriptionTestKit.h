#pragma once
// A project in the test's program folder with hand-written ParGen.xml and
// table files, the test clock at a fixed moment, and the checks every
// description test uses: the golden files and the format tools.

#include "Clock.h"
#include "DateUtils.h"
#include "DialogResponder.h"
#include "Services.h"
#include "TestHarness.h"
#include "UComon.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// 5 March 2024, 07:04:09.
TDateTime FixedMoment();

class DescriptionFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // The project folder, "<program folder>/PROJECTS/Plant".
    static QString ProjectDir();
    // A file of the project (or any path below the program folder).
    static QString InProject(const QString& name);
    static void WriteBytes(const QString& path, const QByteArray& bytes);
    static QByteArray ReadBytes(const QString& path);
    // ParGen.xml holding the elements given ("<A>1</A><B>x</B>").
    static void WriteParGen(const QString& elements);
    // A table file: root, then the sections' XML as given.
    static void WriteTable(const QString& path, const QString& root, const QString& sections);
    // A table file of two sections with the rows' XML given.
    static void WriteTable(const QString& path, const QString& root, const QString& first,
                           const QString& firstRows, const QString& second, const QString& secondRows);

protected:
    std::shared_ptr<TestClock> Clock = std::make_shared<TestClock>(FixedMoment());

private:
    std::unique_ptr<ScopedService<std::shared_ptr<IClock>>> FClockGuard;
};

// A file of tests/data/descriptions.
QString DataPath(const QString& name);
// The golden file of tests/data/descriptions.
QByteArray Golden(const QString& name);
// The first line where two texts of CR LF lines differ, for a readable
// failure ("" when they are equal).
QString FirstDifference(const QByteArray& actual, const QByteArray& expected);

// An external checker's outcome; Missing when the program is not installed.
struct TToolRun {
    bool Missing = false;
    int ExitCode = -1;
    QString Output;  // stdout and stderr
};
TToolRun RunTool(const QString& program, const QStringList& args, const QStringList& env = {});

// The format checks with the field's own tools; each returns the problems
// found ("" when there are none) or says which tool is missing.
QString XmlLintProblems(const QString& path);
// Strict INI parse (unique sections and keys, key case kept).
QString IniProblems(const QString& path);
// Every line split at ";" without quoting has eight fields, the last empty.
QString EdeCsvProblems(const QString& path);
// smilint's errors (its warnings about the fixed template are not errors).
QString SmiLintErrors(const QByteArray& module);
