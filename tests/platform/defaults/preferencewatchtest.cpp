#include "platform/defaults/userdefaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kMain = QStringLiteral("com.zel-tor.tolvane");

// Reads answered from the folder watch must still see every write made elsewhere. Each test starts
// without any preference folder, as on a first start.
class PreferenceWatchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root.path() + QStringLiteral("/config")));
    }

    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_savedConfigHome); }

    // The child goes on reading after its write, as a program does: it must not take the parent's
    // change events away.
    static bool inChildProcess(const std::function<void(UserDefaults &)> &work)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            UserDefaults defaults(kMain);
            defaults.objectForKey(QStringLiteral("statusMessage"));
            work(defaults);
            defaults.objectForKey(QStringLiteral("statusMessage"));
            ::_exit(0);
        }
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
               WEXITSTATUS(status) == 0;
    }

    QTemporaryDir m_root;
    QByteArray m_savedConfigHome;
};

TEST_F(PreferenceWatchTest, WriteFromAnotherThread_IsSeenAtNextRead)
{
    UserDefaults reader(kMain);
    EXPECT_FALSE(reader.objectForKey("autoABMode").isValid());
    for (const int value : {1, 2, 3}) {
        std::thread([value] { UserDefaults(kMain).setInteger(value, "autoABMode"); }).join();
        EXPECT_EQ(reader.integerForKey("autoABMode"), value);
        EXPECT_EQ(reader.integerForKey("autoABMode"), value) << "a second read";
    }
}

TEST_F(PreferenceWatchTest, FoldersMadeByAnotherProcessAfterTheFirstRead_WritesAreSeen)
{
    UserDefaults reader(kMain);
    EXPECT_FALSE(reader.objectForKey("gsUserName").isValid());
    EXPECT_FALSE(UserDefaults::valueForCurrentHost(kMain, "autoABMode").isValid());

    ASSERT_TRUE(inChildProcess([](UserDefaults &writer) {
        writer.setString("first", "gsUserName");
        UserDefaults::setValueForCurrentHost(kMain, "gsUserName", "this host");
    }));
    EXPECT_EQ(reader.stringForKey("gsUserName"), "this host");

    ASSERT_TRUE(inChildProcess([](UserDefaults &) {
        UserDefaults::setValueForCurrentHost(kMain, "gsUserName", QVariant());
    }));
    EXPECT_EQ(reader.stringForKey("gsUserName"), "first");

    ASSERT_TRUE(
        inChildProcess([](UserDefaults &writer) { writer.setString("second", "gsUserName"); }));
    EXPECT_EQ(reader.stringForKey("gsUserName"), "second");
}

TEST_F(PreferenceWatchTest, PreferenceFolderReplaced_WritesInTheNewFolderAreSeen)
{
    UserDefaults writer(kMain);
    writer.setInteger(1, "autoABMode");
    UserDefaults reader(kMain);
    EXPECT_EQ(reader.integerForKey("autoABMode"), 1);

    const QString folder = UserDefaults::preferencesFolder();
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".old")));
    EXPECT_FALSE(reader.objectForKey("autoABMode").isValid());

    ASSERT_TRUE(inChildProcess([](UserDefaults &other) { other.setInteger(2, "autoABMode"); }));
    EXPECT_EQ(reader.integerForKey("autoABMode"), 2);
    writer.setInteger(3, "autoABMode");
    EXPECT_EQ(reader.integerForKey("autoABMode"), 3);
}

} // namespace
