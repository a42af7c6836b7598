#include "platform/defaults/userdefaults.h"
#include "platform/defaults/preferenceconversion.h"
#include "platform/defaults/preferencereadscope.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kMain = QStringLiteral("com.zel-tor.tolvane");
const QString kAgent = QStringLiteral("com.zel-tor.agentTolvane");

TEST(UserDefaults, LookupOrder_OwnDomainThenHostThenSuiteThenRegistration)
{
    UserDefaults agent(kAgent);
    UserDefaults main(kMain);
    agent.addSuiteNamed(kMain);
    agent.registerDefaults({{"key", "registered"}});
    EXPECT_EQ(agent.stringForKey("key"), "registered");

    main.setObject("from suite", "key");
    EXPECT_EQ(agent.stringForKey("key"), "from suite");

    agent.setObject("own", "key");
    EXPECT_EQ(agent.stringForKey("key"), "own");

    ASSERT_TRUE(UserDefaults::setValueForCurrentHost(kAgent, "key", "this host"));
    EXPECT_EQ(agent.stringForKey("key"), "this host");

    agent.removeObjectForKey("key");
    UserDefaults::setValueForCurrentHost(kAgent, "key", QVariant());
    EXPECT_EQ(agent.stringForKey("key"), "from suite");
    // The tests after this one share the preference folder.
    main.removeObjectForKey("key");
}

TEST(UserDefaults, DictionaryRepresentation_EveryKeyWithTheValueALookupGives)
{
    UserDefaults agent(kAgent);
    UserDefaults main(kMain);
    agent.addSuiteNamed(kMain);
    agent.registerDefaults({{"registered", 1}, {"suite", 1}, {"own", 1}, {"host", 1}});
    main.setObject(2, "suite");
    main.setObject(2, "own");
    agent.setObject(3, "own");
    agent.setObject(3, "host");
    ASSERT_TRUE(UserDefaults::setValueForCurrentHost(kAgent, "host", 4));
    const QVariantMap expected{{"registered", 1}, {"suite", 2}, {"own", 3}, {"host", 4}};
    EXPECT_EQ(agent.dictionaryRepresentation(), expected);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(agent.objectForKey(it.key()), it.value()) << it.key().toStdString();

    UserDefaults writer(kMain);
    writer.setObject("written elsewhere", "suite");
    EXPECT_EQ(agent.dictionaryRepresentation().value("suite"), "written elsewhere");
}

TEST(UserDefaults, WriteFromAnotherInstance_IsSeenAtNextRead)
{
    UserDefaults reader(kMain);
    UserDefaults writer(kMain);
    EXPECT_EQ(reader.integerForKey("appLogLevel"), 0);
    writer.setInteger(2, "appLogLevel");
    EXPECT_EQ(reader.integerForKey("appLogLevel"), 2);
    writer.setInteger(3, "appLogLevel");
    EXPECT_EQ(reader.integerForKey("appLogLevel"), 3);
    writer.removeObjectForKey("appLogLevel");
    EXPECT_FALSE(reader.objectForKey("appLogLevel").isValid());
}

// The preference folder follows XDG_CONFIG_HOME, and HOME when that is unset, at every read.
TEST(UserDefaults, PreferenceFolderMoved_ReadsFollowIt)
{
    const QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray root = savedHome + "/moved";
    UserDefaults reader(kMain);
    reader.setString("first folder", "gsUserName");
    const struct
    {
        const char *name;
        std::optional<QByteArray> configHome;
        QByteArray home;
    } cases[] = {
        {"another XDG_CONFIG_HOME", root + "/config", savedHome},
        {"XDG_CONFIG_HOME unset", std::nullopt, root + "/home"},
        {"HOME changed while unset", std::nullopt, root + "/other home"},
    };
    for (const auto &c : cases) {
        if (c.configHome)
            qputenv("XDG_CONFIG_HOME", *c.configHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", c.home);
        EXPECT_FALSE(reader.objectForKey("gsUserName").isValid()) << c.name;
        UserDefaults(kMain).setString(c.name, "gsUserName");
        EXPECT_EQ(reader.stringForKey("gsUserName"), c.name);
    }
    qputenv("XDG_CONFIG_HOME", savedConfigHome);
    qputenv("HOME", savedHome);
    EXPECT_EQ(reader.stringForKey("gsUserName"), "first folder");
}

TEST(UserDefaults, ANewPreferenceFileAndItsFolderAreTheUsersAlone)
{
    const QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    const QString configHome = qEnvironmentVariable("HOME") + QStringLiteral("/private-config");
    qputenv("XDG_CONFIG_HOME", configHome.toUtf8());
    UserDefaults(kMain).setString("bob@example.com", "gsUserName");
    UserDefaults::setValueForCurrentHost(kMain, "key", "this host");
    qputenv("XDG_CONFIG_HOME", savedConfigHome);

    const auto folderMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner | QFileDevice::ReadUser | QFileDevice::WriteUser |
                            QFileDevice::ExeUser;
    const auto fileMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                          QFileDevice::WriteUser;
    for (const QString &folder : {configHome, configHome + QStringLiteral("/Tolvane"),
                                  configHome + QStringLiteral("/Tolvane/ByHost")})
        EXPECT_EQ(QFileInfo(folder).permissions(), folderMode) << folder.toStdString();
    const QDir byHost(configHome + QStringLiteral("/Tolvane/ByHost"));
    const QStringList hostFiles = byHost.entryList({QStringLiteral("*.ini")}, QDir::Files);
    ASSERT_EQ(hostFiles.size(), 1);
    for (const QString &file :
         {configHome + QStringLiteral("/Tolvane/") + kMain + QStringLiteral(".ini"),
          byHost.filePath(hostFiles.first())})
        EXPECT_EQ(QFileInfo(file).permissions(), fileMode) << file.toStdString();
}

TEST(UserDefaults, WriteFromAnotherProcess_IsSeenAtNextRead)
{
    UserDefaults reader(kMain);
    reader.setString("before", "gsUserName");
    EXPECT_EQ(reader.stringForKey("gsUserName"), "before");

    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        UserDefaults writer(kMain);
        writer.setString("written by the agent", "gsUserName");
        writer.setInteger(1, "autoABMode");
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(reader.stringForKey("gsUserName"), "written by the agent");
    EXPECT_EQ(reader.integerForKey("autoABMode"), 1);
}

void writeInAnotherProcess(const QString &value, const QString &key)
{
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        UserDefaults writer(kMain);
        writer.setString(value, key);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(UserDefaults, ReadScope_AnswersAgainUntilItEndsButSeesEveryWriteOfThisProcess)
{
    UserDefaults reader(kMain);
    reader.setString("before", "gsUserName");
    {
        const PreferenceReadScope pass;
        EXPECT_EQ(reader.stringForKey("gsUserName"), "before");
        writeInAnotherProcess("by the agent", "gsUserName");
        {
            const PreferenceReadScope inner;
        }
        EXPECT_EQ(reader.stringForKey("gsUserName"), "before");

        reader.registerDefaults({{"gmRecurseGroups", 1}});
        EXPECT_EQ(reader.integerForKey("gmRecurseGroups"), 1);
        UserDefaults(kMain).setInteger(2, "gmRecurseGroups");
        EXPECT_EQ(reader.integerForKey("gmRecurseGroups"), 2);
    }
    writeInAnotherProcess("after the pass", "gsUserName");
    EXPECT_EQ(reader.stringForKey("gsUserName"), "after the pass");
    reader.removeObjectForKey("gmRecurseGroups");
}

// An export asks for the dictionary once per card: each change since the last call, of this
// process, of another or of the domains searched, is in the next one.
TEST(UserDefaults, DictionaryRepresentation_AskedAgain_HasEveryChangeSinceTheLastCall)
{
    UserDefaults reader(kAgent);
    const QString key = QStringLiteral("vCardNotNotes");
    const QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    const struct
    {
        const char *name;
        std::function<void()> change;
        QVariant expected;
    } steps[] = {
        {"registered", [&] { reader.registerDefaults({{key, "registered"}}); }, "registered"},
        {"suite added", [&] { reader.addSuiteNamed(kMain); }, "registered"},
        {"written to the suite", [&] { UserDefaults(kMain).setString("suite", key); }, "suite"},
        {"written by another process", [&] { writeInAnotherProcess("agent", key); }, "agent"},
        {"suite removed", [&] { reader.removeSuiteNamed(kMain); }, "registered"},
        {"written by this instance", [&] { reader.setString("own", key); }, "own"},
        {"folder moved",
         [&] { qputenv("XDG_CONFIG_HOME", qgetenv("HOME") + "/dictionary-folder"); },
         "registered"},
        {"folder back", [&] { qputenv("XDG_CONFIG_HOME", savedConfigHome); }, "own"},
        {"removed", [&] { reader.removeObjectForKey(key); }, "registered"},
        {"registration forgotten", [&] { reader.forgetRegistrationAndSuites(); }, QVariant()},
    };
    for (const auto &step : steps) {
        step.change();
        EXPECT_EQ(reader.dictionaryRepresentation().value(key), step.expected) << step.name;
        EXPECT_EQ(reader.dictionaryRepresentation().value(key), step.expected) << step.name;
    }
    UserDefaults(kMain).removeObjectForKey(key);
}

// A file rewritten within one tick of the file clock, at the same size and on a reused inode,
// carries the same stamp as before; it must still be read again.
TEST(UserDefaults, RewriteWithAnUnchangedStamp_IsSeenAtNextRead)
{
    UserDefaults writer(kMain);
    writer.setInteger(1, "autoABMode");
    UserDefaults reader(kMain);
    EXPECT_EQ(reader.integerForKey("autoABMode"), 1);

    const QByteArray path = QFile::encodeName(UserDefaults::domainPath(kMain));
    struct stat before
    {
    };
    ASSERT_EQ(::stat(path.constData(), &before), 0);
    QFile file(QString::fromLocal8Bit(path));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray content = file.readAll();
    content.replace("[1]", "[2]");
    file.seek(0);
    file.write(content);
    file.close();
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);

    EXPECT_EQ(reader.integerForKey("autoABMode"), 2);
}

TEST(UserDefaults, Registration_LaterValuesWinAndEarlierKeysStay)
{
    UserDefaults defaults(kMain);
    defaults.registerDefaults({{"imageTime", 2}, {"defaultCountry", "us"}});
    defaults.registerDefaults({{"imageTime", 5}});
    EXPECT_EQ(defaults.integerForKey("imageTime"), 5);
    EXPECT_EQ(defaults.stringForKey("defaultCountry"), "us");
    defaults.setInteger(9, "imageTime");
    EXPECT_EQ(defaults.integerForKey("imageTime"), 9);
    defaults.removeObjectForKey("imageTime");
    EXPECT_EQ(defaults.integerForKey("imageTime"), 5);
}

TEST(UserDefaults, ChangeSignal_OncePerWriteAndNotForAMissingKey)
{
    UserDefaults defaults(kMain);
    QSignalSpy spy(&defaults, &UserDefaults::valueChanged);
    defaults.removeObjectForKey("neverWritten");
    EXPECT_EQ(spy.count(), 0);
    defaults.setString("same", "statusMessage");
    defaults.setString("same", "statusMessage");
    defaults.removeObjectForKey("statusMessage");
    ASSERT_EQ(spy.count(), 3);
    for (const QList<QVariant> &change : spy)
        EXPECT_EQ(change.at(0).toString(), "statusMessage");
}

TEST(UserDefaults, TwoWritersOfDifferentKeys_LoseNothing)
{
    UserDefaults first(kMain);
    UserDefaults second(kMain);
    first.objectForKey("warm the cache");
    second.setBool(true, "isLoggedIn");
    first.setString("hello", "statusMessage");
    UserDefaults fresh(kMain);
    EXPECT_TRUE(fresh.boolForKey("isLoggedIn"));
    EXPECT_EQ(fresh.stringForKey("statusMessage"), "hello");
}

TEST(UserDefaults, ValuesKeepTheirTypesOnDisk)
{
    const QDateTime date(QDate(2009, 3, 14), QTime(15, 9, 26, 123), QTimeZone(-7 * 3600));
    const QVariantMap dictionary{{"a", 1}, {"b", QVariantList{"x", 2.5}}};
    {
        UserDefaults writer(kMain);
        writer.setObject(true, "flag");
        writer.setObject(42, "count");
        writer.setObject(1.25, "ratio");
        writer.setObject("text", "name");
        writer.setObject(date, "when");
        writer.setObject(QByteArray("\x00\x01\xff", 3), "blob");
        writer.setObject(QStringList{"one", "two"}, "list");
        writer.setObject(dictionary, "dict");
    }
    UserDefaults reader(kMain);
    EXPECT_EQ(reader.objectForKey("flag").typeId(), QMetaType::Bool);
    EXPECT_EQ(reader.objectForKey("count").typeId(), QMetaType::Int);
    EXPECT_EQ(reader.objectForKey("count").toInt(), 42);
    EXPECT_DOUBLE_EQ(reader.doubleForKey("ratio"), 1.25);
    EXPECT_EQ(reader.stringForKey("name"), "text");
    const QDateTime read = reader.dateForKey("when");
    EXPECT_EQ(read, date);
    EXPECT_EQ(read.offsetFromUtc(), -7 * 3600);
    EXPECT_EQ(read.time().msec(), 123);
    EXPECT_EQ(reader.dataForKey("blob"), QByteArray("\x00\x01\xff", 3));
    EXPECT_EQ(reader.stringArrayForKey("list"), (QStringList{"one", "two"}));
    EXPECT_EQ(reader.dictionaryForKey("dict"), dictionary);
    EXPECT_TRUE(reader.arrayForKey("name").isEmpty());
    EXPECT_TRUE(reader.dictionaryForKey("list").isEmpty());
}

TEST(UserDefaults, KeysWithOddCharacters_RoundTrip)
{
    UserDefaults writer(kMain);
    writer.setString("v", "is Agent Tolvane=Installed;[x]");
    UserDefaults reader(kMain);
    EXPECT_EQ(reader.stringForKey("is Agent Tolvane=Installed;[x]"), "v");
}

TEST(UserDefaults, Synchronize_AnnouncesKeysAnotherWriterChanged)
{
    UserDefaults observer(kMain);
    observer.objectForKey("statusMessage");
    QSignalSpy spy(&observer, &UserDefaults::valueChanged);
    UserDefaults(kMain).setString("changed elsewhere", "statusMessage");
    observer.synchronize();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), "statusMessage");
}

struct ConversionCase
{
    QVariant value;
    int asInt;
    bool asBool;
    double asDouble;
};

TEST(PreferenceConversion, TextsAndNumbersReadLikeTheOldPlatform)
{
    const ConversionCase cases[] = {
        {QVariant(), 0, false, 0.0},        {QString(), 0, false, 0.0},
        {QString("12abc"), 12, true, 12.0}, {QString("  -3.5x"), -3, true, -3.5},
        {QString("YES"), 0, true, 0.0},     {QString("yes"), 0, true, 0.0},
        {QString("true"), 0, true, 0.0},    {QString("NO"), 0, false, 0.0},
        {QString("false"), 0, false, 0.0},  {QString("0"), 0, false, 0.0},
        {QString("007"), 7, true, 7.0},     {QString("99999999999999999999"), INT_MAX, true, 1e20},
        {QVariant(true), 1, true, 1.0},     {QVariant(2.9), 2, true, 2.9},
        {QVariant(0), 0, false, 0.0},       {QVariant(QStringList{"1"}), 0, false, 0.0},
    };
    for (const ConversionCase &c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        EXPECT_EQ(preferenceconversion::toInt(c.value), c.asInt);
        EXPECT_EQ(preferenceconversion::toBool(c.value), c.asBool);
        EXPECT_DOUBLE_EQ(preferenceconversion::toDouble(c.value), c.asDouble);
    }
}

} // namespace
