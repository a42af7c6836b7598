// The demo start against this build: the main program comes up in a home folder of its own,
// signs in to the loopback server's demo account with the password the settings tool left in the
// keyring, fetches the account's contacts, asks for its first window, quits when asked on the bus,
// stops the server, and leaves the user's home folder as it was.

#include "platform/scripting/busprograms.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

const QString kBusName = QStringLiteral("com.zel-tor.tolvane");

// Every path under the folder, hidden ones too, relative to it.
QSet<QString> filesUnder(const QString &folder)
{
    QSet<QString> paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.insert(QDir(folder).relativeFilePath(it.next()));
    return paths;
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class DemoStartTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (demo.state() != QProcess::NotRunning) {
            busprograms::quit(kBusName);
            if (!demo.waitForFinished(30000)) {
                demo.kill();
                demo.waitForFinished();
            }
        }
    }

    void start()
    {
        ASSERT_TRUE(demoHome.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TOLVANE_DEMO_HOME"), demoHome.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        demo.setProcessEnvironment(environment);
        demo.setProcessChannelMode(QProcess::MergedChannels);
        demo.start(QStringLiteral(TOLVANE_DEMO_SCRIPT), {QStringLiteral(TOLVANE_BUILD_FOLDER)});
        ASSERT_TRUE(demo.waitForStarted());
    }

    // Runs until every line is in the text that the reader gives, or the demo ends, or time is up.
    bool waitForLines(const std::function<QString()> &read, const QStringList &lines)
    {
        QDeadlineTimer deadline(180000);
        while (!deadline.hasExpired()) {
            output += QString::fromUtf8(demo.readAll());
            const QString text = read();
            if (std::all_of(lines.begin(), lines.end(),
                            [&](const QString &line) { return text.contains(line); }))
                return true;
            if (demo.state() == QProcess::NotRunning)
                return false;
            demo.waitForReadyRead(100);
        }
        return false;
    }

    QString logPath() const
    {
        return demoHome.filePath(QStringLiteral(".local/state/Tolvane/com.zel-tor.tolvane.log"));
    }

    QTemporaryDir demoHome;
    QProcess demo;
    QString output;
};

TEST_F(DemoStartTest, SignsInFetchesAsksForTheLoaderAndQuitsOnTheBusInItsOwnHome)
{
    const QString realHome = QDir::homePath();
    const QSet<QString> homeBefore = filesUnder(realHome);
    // Another program holding the bus name would take the quit meant for the demo's.
    ASSERT_FALSE(busprograms::isRunning(kBusName));
    ASSERT_NO_FATAL_FAILURE(start());

    ASSERT_TRUE(waitForLines([this] { return readText(logPath()); },
                             {QStringLiteral("User credentials established"),
                              QStringLiteral("4 Google Contacts returned"),
                              QStringLiteral("Data Loader for demo@example.com")}))
        << "output:\n"
        << output.toStdString() << "\nlog:\n"
        << readText(logPath()).toStdString();
    // The new address book holds only the Me record, so the data loader was asked for, never the
    // browser.
    EXPECT_FALSE(readText(logPath()).contains(QStringLiteral("GoogleBrowser")));

    EXPECT_TRUE(
        output.contains(QStringLiteral("Demo home: %1 (your own home folder is left alone)\n")
                            .arg(demoHome.path())))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Log: %1\n").arg(logPath())))
        << output.toStdString();
    const QRegularExpressionMatch server =
        QRegularExpression(QStringLiteral("^Loopback Google server: http://127\\.0\\.0\\.1:(\\d+), "
                                          "account demo@example\\.com, password \"demo\"$"),
                           QRegularExpression::MultilineOption)
            .match(output);
    ASSERT_TRUE(server.hasMatch()) << output.toStdString();

    ASSERT_TRUE(busprograms::quit(kBusName));
    ASSERT_TRUE(demo.waitForFinished(120000));
    output += QString::fromUtf8(demo.readAll());
    EXPECT_EQ(demo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(demo.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Tolvane has ended (exit status 0)")))
        << output.toStdString();

    // The program went through its quit steps (they leave the restart list of the fetched
    // contacts), and the server went with the demo.
    EXPECT_TRUE(QFileInfo::exists(
        demoHome.filePath(QStringLiteral(".local/share/Tolvane/restart/GoogleContacts"))));
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), server.captured(1).toUShort());
    EXPECT_FALSE(probe.waitForConnected(2000));

    const QSet<QString> homeAfter = filesUnder(realHome);
    EXPECT_EQ(homeAfter - homeBefore, QSet<QString>());
}

} // namespace
