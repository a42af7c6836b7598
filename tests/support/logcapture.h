#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A fixture that points the standard error stream (the log) at a file for one test and reads back
// the lines written, without the platform's date, program and process prefix.
class LogCapture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QStringList lines();
    static void setLevel(int level);

private:
    QTemporaryDir m_dir;
    int m_saved = -1;
};
