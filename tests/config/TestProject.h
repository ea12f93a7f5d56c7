#pragma once
// A project in the test's temporary program folder, for the tests that read
// and write the project's files.

#include "UComon.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

namespace TestProject {

// What a new project's general-parameters file holds, in the file's order.
inline const QStringList NewProjectTexts = {
    "192", "168", "0", "5", "255", "255", "255", "0", "192", "168", "0", "1", "0", "100", "0", "100",
    "", "0", "0", "0", "8", "8", "8", "8", "8", "8", "8", "8", "0", "7", "0", "0"};

// Projects_Dir/<name> created and made the open project; the table paths
// follow it.
inline void Open(const QString& name)
{
    Project_Name = name;
    Project_Path = Projects_Dir + QLatin1Char('/') + name;
    ASSERT_TRUE(QDir().mkpath(Project_Path)) << Project_Path.toStdString();
    Set_Files();
}

// The shared state as at start, the program folders made, project `name` open.
inline void Start(const QString& name = QStringLiteral("P1"))
{
    ResetSharedState();
    SetProgramFolders();
    Open(name);
}

inline void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

// The file's bytes; empty when it cannot be read.
inline QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace TestProject
