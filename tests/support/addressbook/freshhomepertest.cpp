#include "tests/support/addressbook/freshhomepertest.h"

#include "platform/addressbook/addressbook.h"
#include "platform/defaults/userdefaults.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FreshHomePerTest : public ::testing::EmptyTestEventListener
{
public:
    void OnTestStart(const ::testing::TestInfo &) override
    {
        AddressBook::closeShared();
        AddressBook::setDatabasePath(QString());
        QLocale::setDefault(m_startLocale);
        UserDefaults::standard().forgetRegistrationAndSuites();
        // Named apart from the program, whose name may hold spaces that a test's command line
        // would split.
        m_home = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/home-XXXXXX"));
        const QByteArray root = m_home->path().toUtf8();
        qputenv("HOME", root);
        qputenv("XDG_CONFIG_HOME", root + "/.config");
        qputenv("XDG_DATA_HOME", root + "/.local/share");
        qputenv("XDG_STATE_HOME", root + "/.local/state");
        qputenv("XDG_CACHE_HOME", root + "/.cache");
    }

    void OnTestEnd(const ::testing::TestInfo &) override { AddressBook::closeShared(); }

private:
    std::unique_ptr<QTemporaryDir> m_home;
    const QLocale m_startLocale;
};

} // namespace

namespace freshhomepertest {

bool install()
{
    // Listeners are called before each fixture is made, so the fixture already sees the new home.
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshHomePerTest);
    return true;
}

} // namespace freshhomepertest
