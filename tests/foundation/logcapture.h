#pragma once

#include <QStringList>
#include <QTemporaryDir>

// Points the standard error stream at a file while it lives, so a test can read the log lines that
// the code under test wrote (without their date and program prefix).
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
