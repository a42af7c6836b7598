#include "addressbook/addressbookkeys.h"
#include "app/appkeys.h"
#include "app/startup/programentry.h"
#include "foundation/propertylist.h"
#include "foundation/transientkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "model/tolvaneowner.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/store/managedobjectcontext.h"
#include "tests/support/app/mainprogramtest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

class ShutdownTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        server.generateContacts(kAccount, 3);
        storePassword(kPassword);
        auto group = Group::create();
        group->setValueForProperty("Friends", kABGroupNameProperty);
        AddressBook::shared()->addRecord(group);
        ASSERT_TRUE(AddressBook::shared()->save());
    }
    QString restart(const QString &name) const { return library("restart/" + name); }
    // The list as the property-list reader gives it back.
    static QStringList listAt(const QString &path)
    {
        QStringList values;
        for (const QVariant &value :
             propertylist::readFile(path, nullptr).value_or(QVariant()).toList()) {
            EXPECT_EQ(value.typeId(), QMetaType::QString);
            values << value.toString();
        }
        return values;
    }
    static UserDefaults &defaults() { return UserDefaults::standard(); }
};

TEST_F(ShutdownTest, LeavesTheSnapshotAndTheFourRestartLists)
{
    ASSERT_TRUE(startAndLogIn());
    delegate->applicationWillTerminate();

    QStringList books;
    for (const PersonPtr &person : AddressBook::shared()->people())
        books << person->uniqueId();
    EXPECT_EQ(listAt(restart("ABContacts")), books);
    EXPECT_EQ(listAt(restart("ABGroups")).size(), 1);
    GoogleContactTool *const tool = delegate->appGoogleContactTool();
    QStringList contacts;
    for (const auto &contact : tool->contactArray())
        contacts << contact->identifier();
    EXPECT_EQ(listAt(restart("GoogleContacts")), contacts);
    EXPECT_EQ(listAt(restart("GoogleGroups")).size(), qsizetype(tool->groupArray().size()));

    EXPECT_EQ(defaults().integerForKey(abkeys::lastABGroupCount), 1);
    EXPECT_EQ(defaults().integerForKey(abkeys::lastABPersonCount), books.size());
    EXPECT_EQ(defaults().integerForKey(googlekeys::lastGoogleContactCount), 3);
    EXPECT_TRUE(defaults().dateForKey(abkeys::lastABPersonUpdate).isValid());
    EXPECT_TRUE(defaults().dateForKey(googlekeys::lastGoogleContactUpdate).isValid());
}

TEST_F(ShutdownTest, AnEmptiedBookRemovesTheListsOfAnEarlierQuit)
{
    ASSERT_TRUE(startAndLogIn());
    ASSERT_TRUE(propertylist::writeFile(restart("ABGroups"), QVariantList{"old"}, nullptr));
    AddressBook &book = *AddressBook::shared();
    for (const GroupPtr &group : book.groups())
        book.removeRecord(group);
    for (const PersonPtr &person : book.people())
        if (person != book.me())
            book.removeRecord(person);
    // Also the Me record: the book the user emptied holds nobody.
    book.removeRecord(book.me());
    delegate->applicationWillTerminate();
    EXPECT_FALSE(QFileInfo::exists(restart("ABGroups")));
    EXPECT_FALSE(QFileInfo::exists(restart("ABContacts")));
    EXPECT_EQ(defaults().integerForKey(abkeys::lastABGroupCount), 0);
    EXPECT_EQ(defaults().integerForKey(abkeys::lastABPersonCount), 0);
}

TEST_F(ShutdownTest, AListThatCannotBeWrittenKeepsTheEarlierOneAndSaysSo)
{
    ASSERT_TRUE(startAndLogIn());
    const QString list = restart("GoogleContacts");
    ASSERT_TRUE(propertylist::writeFile(list, QVariantList{"earlier"}, nullptr));
    // The copy in progress cannot be made where a folder stands in its way.
    ASSERT_TRUE(QDir().mkpath(list + ".new/blocked"));
    delegate->applicationWillTerminate();
    EXPECT_EQ(listAt(list), QStringList{"earlier"});
    const QStringList log = lines();
    EXPECT_TRUE(std::any_of(log.cbegin(), log.cend(), [](const QString &line) {
        return line.startsWith("ERROR -- restart list GoogleContacts was not written");
    }));
}

TEST_F(ShutdownTest, RemovesWhatDescribesOnlyTheRunningProgramAndSavesBothStores)
{
    ASSERT_TRUE(startAndLogIn());
    defaults().setBool(true, googlekeys::waitingOnGoogle);
    defaults().setBool(true, transientkeys::kImageFetchComplete);
    ASSERT_TRUE(defaults().objectForKey(appkeys::macOS).isValid());
    const PersonPtr person = Person::create();
    person->setValueForProperty("Unsaved", kABFirstNameProperty);
    AddressBook::shared()->addRecord(person);
    delegate->owner()->setCity("Quitting Town");

    delegate->applicationWillTerminate();
    QSettings file(UserDefaults::domainPath(defaults().domain()), QSettings::IniFormat);
    const QStringList kept = file.allKeys().join(',').split(',');
    for (const QString &key : kept) {
        EXPECT_FALSE(key.startsWith("mac")) << key.toStdString();
        EXPECT_NE(key, appkeys::appBuild);
        EXPECT_NE(key, googlekeys::waitingOnGoogle);
        EXPECT_NE(key, googlekeys::isLoggedIn);
        EXPECT_NE(key, transientkeys::kImageFetchComplete);
    }
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
    EXPECT_FALSE(delegate->managedObjectContext()->hasChanges());
}

TEST(NextLaunchTest, AKilledRunsStateIsGoneBeforeTheFactoryDefaults)
{
    UserDefaults::setStandardDomain("com.zel-tor.tolvane");
    UserDefaults::standard().setBool(true, googlekeys::waitingOnGoogle);
    UserDefaults::standard().setBool(true, googlekeys::isLoggedIn);
    programentry::forgetLastRun();
    EXPECT_FALSE(UserDefaults::standard().objectForKey(googlekeys::waitingOnGoogle).isValid());
    EXPECT_FALSE(UserDefaults::standard().objectForKey(googlekeys::isLoggedIn).isValid());
}

} // namespace
