#include "platform/ui/loginitems.h"
#include "platform/scripting/desktopentryvalues.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Each test has a config folder of its own, so entries never leak from one test to the next.
class LoginItemsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(config.isValid());
        m_saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_saved); }

    QString entryPath(const QString &name) const
    {
        return QDir(config.filePath("autostart")).filePath(name);
    }
    void writeEntry(const QString &name, const QByteArray &text) const
    {
        QDir().mkpath(config.filePath("autostart"));
        QFile file(entryPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString entryText(const QString &name) const
    {
        QFile file(entryPath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir config;

private:
    QByteArray m_saved;
};

struct ProgramPathCase
{
    const char *name;
    const char *folder; // below the test's folder
    const char *exec;   // the Exec line's value, as the file holds it, with @ for the test's folder
    // GLib's launcher looks for the program before it reads "%%" as '%', so it finds none in a
    // folder whose name holds '%'; the entry is written as the desktop entry format asks all the
    // same.
    bool desktopLauncherFindsIt = true;
};

void PrintTo(const ProgramPathCase &c, std::ostream *out)
{
    *out << c.name;
}

class LoginItemPathTest : public LoginItemsTest,
                          public ::testing::WithParamInterface<ProgramPathCase>
{
};

// Where the desktop finds the program: the desktop's own launcher reads the entry and starts the
// program, which writes the path it was started as.
QString pathStartedByTheDesktop(const QString &entry, const QString &marker)
{
    QProcess launcher;
    launcher.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry});
    if (!launcher.waitForFinished(10000) || launcher.exitCode() != 0)
        return QStringLiteral("gio failed: ") + QString::fromUtf8(launcher.readAllStandardError());
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        QFile file(marker);
        if (file.open(QIODevice::ReadOnly) && file.size() > 0)
            return QString::fromUtf8(file.readAll()).trimmed();
        QThread::msleep(20);
    }
    return QStringLiteral("not started");
}

TEST_P(LoginItemPathTest, TheEntryStartsExactlyThatProgram)
{
    const ProgramPathCase &c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString folder = QDir(root.path()).filePath(QString::fromUtf8(c.folder));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = QDir(folder).filePath("agent-tolvane");
    const QString marker = root.filePath("started");
    {
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$0\" > \"$LOGIN_ITEM_MARKER\"\n");
    }
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("LOGIN_ITEM_MARKER", marker.toUtf8());

    QString error;
    ASSERT_TRUE(
        loginitems::addLoginItem("com.example.agent.desktop", "Agent Tolvane", program, &error))
        << error.toStdString();
    const QString exec = QString::fromUtf8(c.exec).replace(u'@', root.path());
    EXPECT_EQ(entryText("com.example.agent.desktop"),
              "[Desktop Entry]\nType=Application\nName=Agent Tolvane\nExec=" + exec + "\n");
    EXPECT_TRUE(loginitems::loginItemExistsForPath(program));
    EXPECT_FALSE(loginitems::loginItemExistsForPath(QDir(folder).filePath("agent")));
    EXPECT_EQ(desktopentryvalues::execCommand(exec), QStringList{program});
    if (!c.desktopLauncherFindsIt)
        return;
    if (QStandardPaths::findExecutable("gio").isEmpty())
        GTEST_SKIP() << "no gio to launch the entry";
    EXPECT_EQ(pathStartedByTheDesktop(entryPath("com.example.agent.desktop"), marker), program);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LoginItemPathTest,
    ::testing::Values(
        ProgramPathCase{"Plain", "bin", "@/bin/agent-tolvane"},
        ProgramPathCase{"Spaces", "Program Files/My Agent",
                        "\"@/Program Files/My Agent/agent-tolvane\""},
        ProgramPathCase{"DoubleQuotes", "say \"hi\"", R"("@/say \\"hi\\"/agent-tolvane")"},
        ProgramPathCase{"DollarAndBacktick", "$HOME`id`", R"("@/\\$HOME\\`id\\`/agent-tolvane")"},
        ProgramPathCase{"Percent", "100% %f", "\"@/100%% %%f/agent-tolvane\"", false},
        ProgramPathCase{"Backslash", "back\\slash", R"("@/back\\\\slash/agent-tolvane")"},
        ProgramPathCase{"SingleQuote", "it's", "\"@/it's/agent-tolvane\""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LoginItemsTest, OnlyAVisibleEntryOfTheMainGroupCounts)
{
    struct Case
    {
        const char *text;
        bool counts;
    };
    const Case cases[] = {
        {"[Desktop Entry]\nType=Application\nExec=/opt/agent\n", true},
        {"[Desktop Entry]\nExec=/opt/agent --quiet %U\nHidden=false\n", true},
        {"[Desktop Entry]\nExec=/opt/agent\nHidden=true\n", false},
        {"[Desktop Entry]\nHidden=true\nExec=/opt/agent\n", false},
        {"[Desktop Entry]\nExec=/opt/agent-other\n", false},
        {"[Desktop Entry]\nExec=/opt\n", false},
        {"[Desktop Entry]\nExec=\"/opt/agent\n", false},
        {"[Desktop Entry]\nName=Other\n[Desktop Action quiet]\nExec=/opt/agent\n", false},
        {"[Other Group]\nExec=/opt/agent\n", false},
    };
    for (const Case &c : cases) {
        writeEntry("agent.desktop", c.text);
        EXPECT_EQ(loginitems::loginItemExistsForPath("/opt/agent"), c.counts) << c.text;
    }
    // Only desktop entries are entries.
    writeEntry("agent.desktop", "[Desktop Entry]\nExec=/opt/other\n");
    writeEntry("agent.txt", "[Desktop Entry]\nExec=/opt/agent\n");
    EXPECT_FALSE(loginitems::loginItemExistsForPath("/opt/agent"));
}

TEST_F(LoginItemsTest, RemovingTakesEveryEntryOfThatProgramAndNoOther)
{
    writeEntry("mine.desktop", "[Desktop Entry]\nExec=/opt/agent\n");
    writeEntry("copy.desktop", "[Desktop Entry]\nExec=\"/opt/agent\" --again\n");
    writeEntry("hidden.desktop", "[Desktop Entry]\nExec=/opt/agent\nHidden=true\n");
    writeEntry("other.desktop", "[Desktop Entry]\nExec=/opt/other\n");
    QString error;
    EXPECT_TRUE(loginitems::removeLoginItemsForPath("/opt/agent", &error));
    EXPECT_FALSE(loginitems::loginItemExistsForPath("/opt/agent"));
    EXPECT_EQ(QDir(config.filePath("autostart")).entryList(QDir::Files),
              QStringList{"other.desktop"});
}

TEST_F(LoginItemsTest, AnEntryThatCannotBeWrittenIsReportedAndNothingIsThere)
{
    // A file where the folder should be: nothing can be made inside it, even by root.
    QFile blocker(config.filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_FALSE(loginitems::addLoginItem("agent.desktop", "Agent", "/opt/agent", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(loginitems::loginItemExistsForPath("/opt/agent"));
}

TEST(LoginItemsFolder, FollowsTheConfigVariableElseTheHomeFolder)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const QString home = qEnvironmentVariable("HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere/config");
    EXPECT_EQ(loginitems::autostartFolder(), "/somewhere/config/autostart");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(loginitems::autostartFolder(), home + "/.config/autostart");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(loginitems::autostartFolder(), home + "/.config/autostart");
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST(DesktopEntryValues, ExecValuesSplitAsTheDesktopReadsThem)
{
    struct Case
    {
        const char *written;
        QStringList command;
    };
    const Case cases[] = {
        {"agent", {"agent"}},
        {"agent %U --flag %f", {"agent", "--flag"}},
        {"\"/a b/agent\" \"\"", {"/a b/agent", ""}},
        {"agent 100%%", {"agent", "100%"}},
        {R"("say \\"hi\\"" x)", {"say \"hi\"", "x"}},
        {R"(\s"lead")", {"lead"}},
        {"a\\tb", {"a", "b"}},
        {"\"open", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(desktopentryvalues::execCommand(c.written), c.command) << c.written;
}

TEST(DesktopEntryValues, StringValuesKeepTheirLeadingSpaceAndControlCharacters)
{
    const QString texts[] = {" Agent", "two\nlines", "tab\there", "back\\slash", "cr\r"};
    for (const QString &text : texts) {
        EXPECT_FALSE(desktopentryvalues::escapeString(text).contains(u'\n'));
        EXPECT_FALSE(desktopentryvalues::escapeString(text).startsWith(u' '));
        EXPECT_EQ(desktopentryvalues::unescapeString(desktopentryvalues::escapeString(text)), text);
    }
}

} // namespace
