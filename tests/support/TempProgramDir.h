#pragma once
// A fresh temporary program folder for every test.
//
// The listener creates an empty folder before each test starts and makes it
// the program folder of the services object (the registry file and the INI
// base folder default into it); the folder is removed when the test ends.
// Between tests a folder for the whole run stands in, so nothing ever
// reaches the real program folder.

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TempProgramDirListener : public ::testing::EmptyTestEventListener {
public:
    TempProgramDirListener();
    ~TempProgramDirListener() override;
    void OnTestStart(const ::testing::TestInfo&) override;
    void OnTestEnd(const ::testing::TestInfo&) override;

    // The folder in force now.
    QString Path() const;

private:
    void Install(const QTemporaryDir& dir);
    std::unique_ptr<QTemporaryDir> FRunDir;   // between tests
    std::unique_ptr<QTemporaryDir> FTestDir;  // during a test
};

// Creates the listener, hands it to gtest and installs the run's folder.
void InstallTempProgramDir();
// The program folder of the running test.
QString CurrentTempProgramDir();
