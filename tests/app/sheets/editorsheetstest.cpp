#include "addressbook/addressbookkeys.h"
#include "app/sheets/contactsheet.h"
#include "app/sheets/groupsheet.h"
#include "app/sheets/sheettexts.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlekeys.h"
#include "google/entries/entryedits.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "google/push/pushkeys.h"
#include "google/upload/googleelementkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/keypath.h"
#include "tests/app/sheets/sheetstest.h"
#include "tests/support/google/googleentrybuilders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>

namespace {

class EditorSheetsTest : public SheetsTest
{
protected:
    ContactSheet *openNew()
    {
        delegate->openNewGoogleContact();
        return delegate->newContactPanel();
    }
    static void choose(ContactSheet *sheet, const QString &path, const QString &text)
    {
        QComboBox *const box = sheet->choice(path);
        ASSERT_NE(box, nullptr) << path.toStdString();
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
    }
    static GroupPtr addABGroup(const QString &name)
    {
        const GroupPtr group = Group::create();
        group->setValueForProperty(name, kABGroupNameProperty);
        AddressBook::shared()->addRecord(group);
        AddressBook::shared()->save();
        return group;
    }
    static PersonPtr personNamed(const QString &first)
    {
        for (const PersonPtr &person : AddressBook::shared()->people())
            if (person->valueForProperty(kABFirstNameProperty).toString() == first)
                return person;
        return nullptr;
    }
    // "label=value" of each entry of the person's multi-valued property.
    static QStringList labelled(const PersonPtr &person, const QString &property)
    {
        QStringList entries;
        const MultiValue values = person->multiValueForProperty(property);
        for (int i = 0; i < values.count(); ++i) {
            const QVariant value = values.valueAt(i);
            QString text = value.toString();
            if (value.typeId() == QMetaType::QVariantMap) {
                const QVariantMap address = value.toMap();
                text = address.value(kABAddressStreetKey).toString() + u'|' +
                       address.value(kABAddressCityKey).toString() + u'|' +
                       address.value(kABAddressZIPKey).toString();
            }
            entries << values.labelAt(i) + u'=' + text;
        }
        return entries;
    }
    void fillEveryField(ContactSheet *sheet, const QString &first)
    {
        typeInto(sheet->field("nameDict.first"), first);
        typeInto(sheet->field("nameDict.last"), "Lee");
        typeInto(sheet->field("org"), "Acme");
        typeInto(sheet->field("job"), "Buyer");
        typeInto(sheet->field("mobilePhone"), "555 000 1111");
        for (const QString type : {"work", "home"}) {
            typeInto(sheet->field(type + "Email"), type + "@example.org");
            typeInto(sheet->field(type + "Phone"),
                     type == "work" ? "555 000 2222" : "555 000 3333");
            typeInto(sheet->field(type + "IM"), type + "handle");
            typeInto(sheet->field(type + "AddrDict.street1"), "1 " + type + " Road");
            typeInto(sheet->field(type + "AddrDict.street2"), "Floor 2");
            typeInto(sheet->field(type + "AddrDict.city"), type + "town");
            typeInto(sheet->field(type + "AddrDict.postal"), "12345");
        }
        sheet->choice("workIMType")->setCurrentIndex(0);
        emit sheet->choice("workIMType")->activated(0);
        sheet->choice("homeIMType")->setCurrentIndex(3);
        emit sheet->choice("homeIMType")->activated(3);
    }
};

TEST_F(EditorSheetsTest, NewContactSheet_OpensOnTheBrowserWithTheStartDictionary)
{
    UserDefaults::standard().setInteger(4, "imProtocol");
    startWith({}, {makeGroup("g1", QStringLiteral("Golf"))});
    ContactSheet *const sheet = openNew();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->parentWidget(), browser()->window());
    EXPECT_EQ(sheet->minimumSize(), QSize(260, 570));
    EXPECT_EQ(sheet->maximumSize(), QSize(400, 570));
    EXPECT_TRUE(delegate->newRecordMode());
    EXPECT_TRUE(delegate->addToGoogleContacts());

    const QVariantMap contact = delegate->newGoogleContact();
    EXPECT_EQ(keypath::value(contact, "nameDict.first"), "New");
    EXPECT_EQ(keypath::value(contact, "nameDict.last"), "Contact");
    EXPECT_EQ(contact.value("gender"), -1);
    EXPECT_EQ(contact.value("workIMType"), 4);
    EXPECT_EQ(contact.value("homeIMType"), 4);
    EXPECT_TRUE(contact.contains("image"));
    for (const char *key : {"googleGroup", "abGroup1", "abGroup2", "abGroup3"})
        EXPECT_EQ(contact.value(key), "- No Group -") << key;
    for (const char *key : {"homeAddrDict.country", "workAddrDict.country"})
        EXPECT_EQ(keypath::value(contact, key).toString(), delegate->defaultCountry()) << key;
    EXPECT_EQ(delegate->googleGroupNamesArray(), (QStringList{"- No Group -", "Golf"}));
    EXPECT_EQ(sheet->field("nameDict.first")->text(), "New");

    // The chosen country and IM service go into the dictionary; the sheet keeps what it shows.
    sheet->field("nameDict.first")->end(false);
    QTest::keyClicks(sheet->field("nameDict.first"), "er");
    delegate->updateContactCountry();
    delegate->updateContactImProtocol();
    EXPECT_EQ(delegate->newGoogleContact().value("t").toString(), delegate->defaultCountry());
    EXPECT_EQ(delegate->newGoogleContact().value("imType"), 4);
    EXPECT_EQ(sheet->field("nameDict.first")->text(), "Newer");
}

TEST_F(EditorSheetsTest, NewGoogleContact_ArrivesWithTagDateAndMemberships)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setBool(true, googlekeys::gmDoTagCreatedRecords);
    defaults.setString("made by (%GAcct)", googlekeys::gmTagForCreatedRecords);
    defaults.setBool(true, googlekeys::gmUpdateIncludeCreateDate);
    defaults.setBool(false, "newContactAddToAddressBook");
    defaults.setBool(true, "family");
    defaults.setBool(false, "friends");
    defaults.setBool(true, "coworkers");
    startWith({}, {makeGroup("g1", QStringLiteral("Golf"))});
    ContactSheet *const sheet = openNew();
    typeInto(sheet->field("nameDict.first"), "Ann");
    typeInto(sheet->field("nameDict.last"), "Lee");
    typeInto(sheet->field("workEmail"), "ann@example.org");
    choose(sheet, "googleGroup", "Golf");
    sheet->notesField()->setPlainText("Met at www.example.org");
    delegate->saveNewGoogleContact();
    EXPECT_FALSE(sheet->isVisible());

    ASSERT_TRUE(waitForServerContact("Ann Lee"));
    const GDataEntryContactPtr made = serverContact("Ann Lee");
    ASSERT_EQ(made->emailAddresses().size(), 1u);
    EXPECT_EQ(made->emailAddresses().front().address, "ann@example.org");
    const QString notes = made->content().value_or(QString());
    EXPECT_TRUE(
        QRegularExpression(R"(^Met at www\.example\.org\R\Rsource: manual entry\Rrecord created: )"
                           R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d [+-]\d{4}$)")
            .match(notes)
            .hasMatch())
        << notes.toStdString();
    QStringList groups;
    for (const GDataGroupMembershipInfo &info : made->groupMembershipInfos())
        groups << info.href;
    const GoogleContactLists &lists = engine()->lists();
    for (const QString &expected :
         {grouplookups::familySysGroupID(lists), grouplookups::coworkersSysGroupID(lists),
          grouplookups::idOfGroupWithName(lists, "Golf")}) {
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_TRUE(groups.contains(expected)) << expected.toStdString();
    }
    EXPECT_FALSE(groups.contains(grouplookups::friendsSysGroupID(lists)));
    EXPECT_TRUE(AddressBook::shared()->people().size() == 1) << "only the Me record";
}

TEST_F(EditorSheetsTest, NewAddressBookContact_TakesEveryFieldWithItsLabelAndThreeGroups)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString("typed (%GAcct)", googlekeys::abTagForCreatedRecords);
    defaults.setBool(true, abkeys::abUpdateIncludeCreateDate);
    const QStringList names = {"Club", "Work", "Choir"};
    for (const QString &name : names)
        addABGroup(name);
    startWith();
    ContactSheet *const sheet = openNew();
    sheet->addressBookTarget()->setChecked(true);
    sheet->googleTarget()->setChecked(false);
    fillEveryField(sheet, "Bea");
    choose(sheet, "abGroup1", "Club");
    choose(sheet, "abGroup2", "Work");
    choose(sheet, "abGroup3", "Choir");
    delegate->saveNewGoogleContact();

    const PersonPtr person = personNamed("Bea");
    ASSERT_NE(person, nullptr);
    EXPECT_EQ(person->valueForProperty(kABLastNameProperty), "Lee");
    EXPECT_EQ(person->valueForProperty(kABOrganizationProperty), "Acme");
    EXPECT_EQ(person->valueForProperty(kABJobTitleProperty), "Buyer");
    EXPECT_EQ(labelled(person, kABEmailProperty),
              (QStringList{kABEmailWorkLabel + "=work@example.org",
                           kABEmailHomeLabel + "=home@example.org"}));
    EXPECT_EQ(
        labelled(person, kABPhoneProperty),
        (QStringList{kABPhoneMobileLabel + "=555 000 1111", kABPhoneWorkLabel + "=555 000 2222",
                     kABPhoneHomeLabel + "=555 000 3333"}));
    EXPECT_EQ(labelled(person, kABAddressProperty),
              (QStringList{kABAddressWorkLabel + "=1 work Road\rFloor 2|worktown|12345",
                           kABAddressHomeLabel + "=1 home Road\rFloor 2|hometown|12345"}));
    EXPECT_EQ(labelled(person, kABAIMInstantProperty),
              (QStringList{kABAIMWorkLabel + "=workhandle"}));
    EXPECT_EQ(labelled(person, kABJabberInstantProperty),
              (QStringList{kABJabberHomeLabel + "=homehandle"}));
    const QString note = person->valueForProperty(kABNoteProperty).toString();
    EXPECT_TRUE(note.startsWith("source:manual entry\rrecord created: 2")) << note.toStdString();
    QStringList joined;
    for (const GroupPtr &group : person->parentGroups())
        joined << group->valueForProperty(kABGroupNameProperty).toString();
    joined.sort();
    EXPECT_EQ(joined, (QStringList{"Choir", "Club", "Work"}));
    EXPECT_TRUE(server.requestsTo("/contacts/").isEmpty());
}

TEST_F(EditorSheetsTest, NewContactForBothSides_GoesToGoogleUnlessTheAgentPushesIt)
{
    startWith();
    for (const int push : {0, 1}) {
        UserDefaults::standard().setInteger(push, pushkeys::autoPushABChanges);
        const QString first = QStringLiteral("Both%1").arg(push);
        ContactSheet *const sheet = openNew();
        sheet->addressBookTarget()->setChecked(true);
        sheet->googleTarget()->setChecked(true);
        typeInto(sheet->field("nameDict.first"), first);
        delegate->saveNewGoogleContact();
        const PersonPtr person = personNamed(first);
        ASSERT_NE(person, nullptr) << push;
        // Every group choice left at "- No Group -": the record joins none.
        EXPECT_TRUE(person->parentGroups().isEmpty()) << push;
        EXPECT_EQ(serverContact(first + " Contact") != nullptr, push == 0) << push;
    }
}

TEST_F(EditorSheetsTest, ASaveWithAnotherWindowInFront_GoesThroughTheSheetsBrowser)
{
    startWith();
    ContactSheet *const sheet = openNew();
    typeInto(sheet->field("nameDict.first"), "Kay");
    delegate->openDataMover();
    WindowController *const loader = delegate->dataMoverWindowController();
    ASSERT_TRUE(QTest::qWaitForWindowActive(loader->window()));
    ASSERT_EQ(delegate->keyWindowController(), loader);
    delegate->saveNewGoogleContact();
    EXPECT_TRUE(waitForServerContact("Kay Contact"));
}

TEST_F(EditorSheetsTest, PhoneFieldsAreFormattedWhenEditingEnds_OtherFieldsStayAsTyped)
{
    UserDefaults::standard().setBool(true, "gmUpdateFormatPhoneNumbers");
    startWith();
    ContactSheet *const sheet = openNew();
    const QString typed = "5551234567";
    const QString formatted = delegate->formatAsPhoneNumber(typed);
    ASSERT_NE(formatted, typed);
    for (const char *path : {"mobilePhone", "workPhone", "homePhone"}) {
        typeInto(sheet->field(path), typed);
        EXPECT_EQ(sheet->field(path)->text(), formatted) << path;
        EXPECT_EQ(keypath::value(delegate->newGoogleContact(), path), formatted) << path;
    }
    typeInto(sheet->field("homeAddrDict.postal"), typed);
    typeInto(sheet->field("org"), typed);
    EXPECT_EQ(keypath::value(delegate->newGoogleContact(), "homeAddrDict.postal"), typed);
    EXPECT_EQ(keypath::value(delegate->newGoogleContact(), "org"), typed);
}

TEST_F(EditorSheetsTest, CloneBeforeAnyNewContactSheet_ArrivesAsANewContact)
{
    GDataEntryContactPtr original = makeContact(
        {.identifier = {}, .title = QStringLiteral("Orig One"), .emails = {"orig@example.org"}});
    startWith({original});
    const GDataEntryContactPtr held = engine()->lists().contacts().front();
    const QString originalID = held->identifier();
    browser()->setCurrentContact(browserRowOf(originalID));
    delegate->cloneGoogleContact();
    ContactSheet *const sheet = delegate->newContactPanel();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(delegate->addToGoogleContacts());
    EXPECT_FALSE(delegate->addToAddressBook());
    for (const char *key : {"gID", "abid", "photoLink"})
        EXPECT_EQ(delegate->newGoogleContact().value(key), "") << key;
    typeInto(sheet->field("nameDict.first"), "Copy");
    delegate->saveNewGoogleContact();

    ASSERT_TRUE(waitForServerContact("Copy One"));
    const GDataEntryContactPtr clone = serverContact("Copy One");
    EXPECT_NE(clone->identifier(), originalID);
    for (const GDataExtendedProperty &property : clone->extendedProperties())
        for (const QString &value : property.XMLValuesDictionary())
            EXPECT_NE(value, originalID);
    const GDataEntryContactPtr kept = serverContact("Orig One");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->identifier(), originalID);
    EXPECT_EQ(kept->emailAddresses().front().address, "orig@example.org");
}

TEST_F(EditorSheetsTest, EditSheet_EditsACopyThatCancelDrops)
{
    startWith({makeContact(
        {.identifier = {}, .title = QStringLiteral("Cal Doe"), .organizations = {"Old Co"}})});
    const QString identifier = engine()->lists().contacts().front()->identifier();
    const QVariantMap shown = browserRowOf(identifier);
    browser()->setCurrentContact(shown);
    delegate->editGoogleContact();
    ContactSheet *const sheet = delegate->editContactPanel();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->parentWidget(), browser()->window());
    EXPECT_EQ(sheet->minimumSize(), QSize(264, 480));
    EXPECT_EQ(sheet->maximumSize(), QSize(400, 480));
    EXPECT_FALSE(delegate->newRecordMode());
    typeInto(sheet->field("org"), "New Co");
    EXPECT_EQ(delegate->currentContact().value("org"), "New Co");
    delegate->cancelEditGoogleContact();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(browser()->currentContact(), shown);
    EXPECT_EQ(browserRowOf(identifier).value("org"), "Old Co");
    // The next sheet starts from the window's contact again.
    delegate->editGoogleContact();
    EXPECT_EQ(sheet->field("org")->text(), "Old Co");
    EXPECT_TRUE(server.requestsTo("/contacts/").isEmpty());
}

// The elements of a contact that the edit sheet's fields write, as text, to compare two
// entries.
QStringList editedElements(const GDataEntryContact &contact)
{
    QStringList elements{contact.title().value_or(QString()),
                         contact.content().value_or(QString())};
    for (const GDataEmail &email : contact.emailAddresses())
        elements << "email " + email.address + ' ' + email.rel.value_or(email.label.value_or(""));
    for (const GDataPhoneNumber &phone : contact.phoneNumbers())
        elements << "phone " + phone.stringValue + ' ' +
                        phone.rel.value_or(phone.label.value_or(""));
    for (const GDataPostalAddress &address : contact.postalAddresses())
        elements << "address " + address.stringValue + ' ' + address.rel.value_or("");
    for (const GDataIM &im : contact.IMAddresses())
        elements << "im " + im.address + ' ' + im.protocol.value_or("");
    for (const GDataOrganization &org : contact.organizations())
        elements << "org " + org.orgName.value_or("") + ' ' + org.orgTitle.value_or("");
    // XML carries a carriage return as a line feed.
    for (QString &element : elements)
        element.replace(u'\r', u'\n');
    return elements;
}

TEST_F(EditorSheetsTest, EditSheet_SendsEveryFieldAsTheEntryTakesIt)
{
    startWith({makeContact({.identifier = {},
                            .title = QStringLiteral("Cal Doe"),
                            .emails = {"cal@old.example"},
                            .organizations = {"Old Co"}})});
    const GDataEntryContactPtr held = engine()->lists().contacts().front();
    browser()->setCurrentContact(browserRowOf(held->identifier()));
    delegate->editGoogleContact();
    ContactSheet *const sheet = delegate->editContactPanel();
    fillEveryField(sheet, "Cato");
    sheet->notesField()->setPlainText("call after 5\nsee www.doe.example");
    // The notes show their link marked.
    QTextCursor link(sheet->notesField()->document());
    link.setPosition(int(QStringLiteral("call after 5\nsee www").size()));
    EXPECT_TRUE(link.charFormat().isAnchor());
    EXPECT_EQ(link.charFormat().anchorHref(), "http://www.doe.example");
    delegate->saveEditGoogleContact();

    const auto expected = std::static_pointer_cast<GDataEntryContact>(held->copy());
    tolvane::assignValues(*expected, delegate->currentContact());
    EXPECT_EQ(delegate->currentContact().value("notes"), "call after 5\rsee www.doe.example");
    ASSERT_TRUE(waitForServerContact("Cato Lee"));
    const GDataEntryContactPtr sent = serverContact("Cato Lee");
    EXPECT_EQ(sent->identifier(), held->identifier());
    const QStringList elements = editedElements(*sent);
    EXPECT_EQ(elements, editedElements(*expected));
    EXPECT_TRUE(elements.contains("org Acme Buyer")) << elements.join('|').toStdString();
    EXPECT_TRUE(elements.contains("phone 555 000 1111 http://schemas.google.com/g/2005#mobile"))
        << elements.join('|').toStdString();
}

TEST_F(EditorSheetsTest, EditAnsweredLate_TheBrowserEndsUpShowingTheEdit)
{
    startWith({makeContact(
        {.identifier = {}, .title = QStringLiteral("Slow Sam"), .organizations = {"Old Co"}})});
    const QString identifier = engine()->lists().contacts().front()->identifier();
    browser()->setCurrentContact(browserRowOf(identifier));
    server.injectFault("/contacts/", 0, 1, 1500, false, "PUT");
    delegate->editGoogleContact();
    typeInto(delegate->editContactPanel()->field("org"), "New Co");
    delegate->saveEditGoogleContact();
    // Until Google answers, the lists keep what Google holds.
    EXPECT_EQ(browserRowOf(identifier).value("org"), "Old Co");
    EXPECT_TRUE(runUntil([&] { return browserRowOf(identifier).value("org") == "New Co"; }));
    QTest::qWait(500);
    EXPECT_EQ(browserRowOf(identifier).value("org"), "New Co");
}

// The reads of a feed in the server's log.
int feedReads(GDataTestServer &server, const QString &kind)
{
    int reads = 0;
    for (const QJsonValue &request : server.requestLog()) {
        const QJsonObject entry = request.toObject();
        if (entry.value("method").toString() == "GET" &&
            entry.value("url").toString().contains("/m8/feeds/" + kind + "/"))
            ++reads;
    }
    return reads;
}

// The Google data is fetched again after a save, but only once Google has answered it: a fetch
// sent beside the update could bring the contact back as it was.
TEST_F(EditorSheetsTest, EditAnsweredLate_TheRefetchGoesOnlyOnceGoogleHasAnswered)
{
    startWith({makeContact(
        {.identifier = {}, .title = QStringLiteral("Slow Sue"), .organizations = {"Old Co"}})});
    const QString identifier = engine()->lists().contacts().front()->identifier();
    browser()->setCurrentContact(browserRowOf(identifier));
    server.injectFault("/contacts/", 0, 1, 1500, false, "PUT");
    delegate->editGoogleContact();
    typeInto(delegate->editContactPanel()->field("org"), "New Co");
    delegate->saveEditGoogleContact();
    QTest::qWait(1000);
    EXPECT_EQ(feedReads(server, "contacts"), 0);
    EXPECT_TRUE(runUntil([&] { return feedReads(server, "contacts") > 0; }));
    EXPECT_TRUE(runUntil([&] { return browserRowOf(identifier).value("org") == "New Co"; }));
}

TEST_F(EditorSheetsTest, GroupSheet_TheRenamedGroupIsFetchedAgain)
{
    startWith({}, {makeGroup("g1", QStringLiteral("Golf"))});
    const QString golf = grouplookups::idOfGroupWithName(engine()->lists(), "Golf");
    browser()->setFirstSelectedGroup({{"groupName", "Golf"}, {"identifier", golf}});
    delegate->editGoogleGroup();
    delegate->newGroupPanel()->groupName()->setText("Golf Club");
    delegate->saveNewGoogleGroup();
    EXPECT_TRUE(runUntil([&] { return feedReads(server, "groups") > 0; }));
    EXPECT_TRUE(runUntil(
        [&] { return grouplookups::idOfGroupWithName(engine()->lists(), "Golf Club") == golf; }));
}

TEST_F(EditorSheetsTest, TheBrowsersActionsOpenTheSheetsByNameOnTheirOwnWindow)
{
    startWith({makeContact(
        {.identifier = {}, .title = QStringLiteral("Cal Doe"), .organizations = {"Old Co"}})});
    const QVariantMap row = browserRowOf(engine()->lists().contacts().front()->identifier());
    delegate->openDataMover();
    ASSERT_TRUE(QTest::qWaitForWindowActive(delegate->dataMoverWindowController()->window()));

    ASSERT_TRUE(
        QMetaObject::invokeMethod(delegate.get(), "setCurrentContact", Q_ARG(QVariantMap, row)));
    ASSERT_TRUE(QMetaObject::invokeMethod(delegate.get(), "editGoogleContact",
                                          Q_ARG(QObject *, browser())));
    ContactSheet *const sheet = delegate->editContactPanel();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->parentWidget(), browser()->window());
    EXPECT_EQ(sheet->field("org")->text(), "Old Co");
    delegate->cancelEditGoogleContact();
    // A contact handed in serves one sheet only.
    ASSERT_TRUE(QMetaObject::invokeMethod(delegate.get(), "editGoogleContact",
                                          Q_ARG(QObject *, browser())));
    EXPECT_TRUE(delegate->currentContact().isEmpty());
    delegate->cancelEditGoogleContact();

    for (const char *opener : {"openNewGoogleContact", "newGoogleGroup"}) {
        ASSERT_TRUE(QMetaObject::invokeMethod(delegate.get(), opener, Q_ARG(QObject *, browser())))
            << opener;
    }
    EXPECT_EQ(delegate->newContactPanel()->parentWidget(), browser()->window());
    EXPECT_EQ(delegate->newGroupPanel()->parentWidget(), browser()->window());
}

TEST_F(EditorSheetsTest, EditOfAContactGoneMeanwhile_TellsTheUserAndSendsNothing)
{
    startWith({makeContact({.identifier = {}, .title = QStringLiteral("Gone Soon")})});
    QVariantMap shown = browserRowOf(engine()->lists().contacts().front()->identifier());
    shown.insert("gID", "http://example.com/m8/feeds/contacts/bob%40example.com/base/missing");
    browser()->setCurrentContact(shown);
    delegate->editGoogleContact();
    typeInto(delegate->editContactPanel()->field("org"), "Lost Co");
    prompter.answer(1000);
    delegate->saveEditGoogleContact();
    ASSERT_EQ(promptMessages().count(sheettexts::contactGone), 1)
        << promptMessages().join("|").toStdString();
    EXPECT_FALSE(delegate->editContactPanel()->isVisible());
    EXPECT_TRUE(server.requestsTo("/contacts/").isEmpty());
}

// The title of the server's group of that identifier, or nothing.
std::optional<QString> serverGroupTitle(GDataTestServer &server, const QString &account,
                                        const QString &identifier)
{
    const GDataFeedPtr groups = server.entries(account, GDataEntryBase::Kind::ContactGroup);
    for (const GDataEntryPtr &entry : groups ? groups->entries() : std::vector<GDataEntryPtr>{})
        if (entry->identifier() == identifier && !entry->isDeleted())
            return entry->title();
    return std::nullopt;
}

TEST_F(EditorSheetsTest, GroupSheet_RenamesTheGroupItWasOpenedFor)
{
    startWith({},
              {makeGroup("g1", QStringLiteral("Golf")), makeGroup("g2", QStringLiteral("Tennis"))});
    const GoogleContactLists &lists = engine()->lists();
    const QString golf = grouplookups::idOfGroupWithName(lists, "Golf");
    const QString tennis = grouplookups::idOfGroupWithName(lists, "Tennis");
    browser()->setFirstSelectedGroup({{"groupName", "Golf"}, {"identifier", golf}});
    delegate->editGoogleGroup();
    GroupSheet *const sheet = delegate->newGroupPanel();
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(delegate->newGroupFlag());
    EXPECT_EQ(sheet->groupName()->text(), "Golf");
    // The list's selection moves on while the sheet is open.
    browser()->setFirstSelectedGroup({{"groupName", "Tennis"}, {"identifier", tennis}});
    sheet->groupName()->setText("Golf Club");
    delegate->saveNewGoogleGroup();
    EXPECT_TRUE(runUntil([&] { return serverGroupTitle(server, kAccount, golf) == "Golf Club"; }));
    EXPECT_EQ(serverGroupTitle(server, kAccount, tennis), "Tennis");
}

TEST_F(EditorSheetsTest, GroupSheet_NewGroupReachesGoogle)
{
    startWith();
    delegate->newGoogleGroup();
    GroupSheet *const sheet = delegate->newGroupPanel();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->parentWidget(), browser()->window());
    EXPECT_EQ(sheet->groupName()->text(), "New Google Group");
    sheet->groupName()->setText("Team");
    delegate->saveNewGoogleGroup();
    ASSERT_TRUE(runUntil([this] {
        const GDataFeedPtr groups = server.entries(kAccount, GDataEntryBase::Kind::ContactGroup);
        for (const GDataEntryPtr &entry : groups ? groups->entries() : std::vector<GDataEntryPtr>{})
            if (entry->title() == QStringLiteral("Team"))
                return true;
        return false;
    }));
}

} // namespace
