#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Points the standard error stream (the log, Qt's warnings included) at a file while it lives, so
// a test can read back the lines written, without the platform's date, program and process prefix.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList lines() const;
    static void setLevel(int level);

private:
    QTemporaryDir m_dir;
    int m_saved = -1;
};

// A fixture that captures the log for each test.
class LogCaptureTest : public ::testing::Test
{
protected:
    QStringList lines() const { return m_log.lines(); }
    static void setLevel(int level) { LogCapture::setLevel(level); }

private:
    LogCapture m_log;
};
