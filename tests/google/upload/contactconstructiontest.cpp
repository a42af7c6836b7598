#include "tests/support/google/abpersontestbook.h"
#include "tests/support/google/elementdescriptions.h"

#include "addressbook/fields/personurls.h"
#include "foundation/text/textdate.h"
#include "google/engine/googlekeys.h"
#include "google/entries/lineends.h"
#include "google/upload/contactconstruction.h"
#include "google/upload/googleelementkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/atom/atomwriter.h"

namespace {

const QString kMyContacts = QStringLiteral("http://g/groups/6");
const QString kTag = QStringLiteral("#tolvane");

class ContactConstructionTest : public ABPersonTest
{
protected:
    void SetUp() override
    {
        ABPersonTest::SetUp();
        lists.setGroups({myContactsGroup(kMyContacts)});
        for (const QString &key :
             {googlekeys::gmUpdateTitle, googlekeys::gmUpdateCompany, googlekeys::gmUpdateNotes,
              googlekeys::gmUpdateEmail, googlekeys::gmUpdatePhone, googlekeys::gmUpdatePostal,
              googlekeys::gmUpdateIM, googlekeys::gmUpdateMemberships,
              googlekeys::gmDoTagCreatedRecords})
            setOption(key, true);
        defaults().setString(kTag, googlekeys::gmTagForCreatedRecords);
    }

    static UserDefaults &defaults() { return UserDefaults::standard(); }
    static void setOption(const QString &key, bool on) { defaults().setBool(on, key); }

    GDataEntryContactPtr build(const PersonPtr &person)
    {
        return contactconstruction::newGoogleContactUsingABPerson(person, context, now);
    }

    GDataEntryContactPtr buildFromCard(const QByteArray &card, const QString &account = {})
    {
        return contactconstruction::newGoogleContactUsingVCardData(card, account, context, now);
    }

    static PersonPtr withWork(const PersonPtr &person, const QString &organization,
                              const QString &job)
    {
        if (!organization.isEmpty())
            person->setValueForProperty(organization, kABOrganizationProperty);
        if (!job.isEmpty())
            person->setValueForProperty(job, kABJobTitleProperty);
        return person;
    }

    GoogleContactLists lists;
    ContactBuildingContext context{lists};
    const QDateTime now = QDateTime(QDate(2026, 12, 10), QTime(3, 4, 5));
};

QByteArray card(const QString &body)
{
    return ("BEGIN:VCARD\r\nVERSION:3.0\r\n" + body + "END:VCARD\r\n").toUtf8();
}

TEST_F(ContactConstructionTest, Person_TitleOrganisationNoteAndEveryCarriedField)
{
    const PersonPtr ann = withWork(addPerson("Ann", "Lee"), "Acme", "Boss");
    ann->setValueForProperty(QStringLiteral("Line one"), kABNoteProperty);
    setValues(ann, kABEmailProperty, PropertyType::MultiString, {{kABWorkLabel, "ann@acme.org"}});
    setValues(ann, kABPhoneProperty, PropertyType::MultiString, {{"Cell", "555 1234"}});

    const GDataEntryContactPtr contact = build(ann);
    ASSERT_TRUE(contact);
    EXPECT_EQ(contact->title(), QStringLiteral("Ann Lee"));
    EXPECT_EQ(describe(contact->organizations()),
              QStringList{"name=Acme title=Boss rel=work primary"});
    EXPECT_EQ(contact->content(), QStringLiteral("Line one\r\r#tolvane\r"));
    EXPECT_EQ(describe(contact->emailAddresses()), QStringList{"ann@acme.org rel=work primary"});
    EXPECT_EQ(describe(contact->phoneNumbers()), QStringList{"555 1234 rel=mobile primary"});
    EXPECT_EQ(describe(contact->groupMembershipInfos()), QStringList{kMyContacts});
    EXPECT_EQ(contact->batchID(), ann->uniqueId());
    ASSERT_TRUE(contact->extendedPropertyForName(kContactExtended));
    EXPECT_EQ(contact->extendedPropertyForName(kContactExtended)->XMLValueForKey("aID"),
              ann->uniqueId());
}

TEST_F(ContactConstructionTest, Person_EntryXMLCarriesTheMappedElements)
{
    const PersonPtr ann = withWork(addPerson("Ann", "Lee"), "Acme", "Boss");
    setValues(ann, kABEmailProperty, PropertyType::MultiString, {{"Club", "ann@club.org"}});
    setValues(ann, kABJabberInstantProperty, PropertyType::MultiString,
              {{kABJabberHomeLabel, "ann@jabber.org"}});
    const QByteArray xml = atomwriter::entryXML(*build(ann));
    for (const char *fragment : {
             "<title>Ann Lee</title>",
             "<gd:email label=\"Club\" primary=\"true\" address=\"ann@club.org\"/>",
             "<gd:im address=\"ann@jabber.org\" "
             "protocol=\"http://schemas.google.com/g/2005#JABBER\" "
             "rel=\"http://schemas.google.com/g/2005#home\" label=\"\" primary=\"true\"/>",
             "<gd:orgName>Acme</gd:orgName>",
             "<gd:orgTitle>Boss</gd:orgTitle>",
             "<gContact:groupMembershipInfo deleted=\"false\" href=\"http://g/groups/6\"/>",
         })
        EXPECT_TRUE(xml.contains(fragment)) << fragment << "\n" << xml.toStdString();
}

TEST_F(ContactConstructionTest, OptionsOff_FieldsStayOutButTheLinkPropertyIsAlwaysThere)
{
    for (const QString &key :
         {googlekeys::gmUpdateEmail, googlekeys::gmUpdateMemberships, googlekeys::gmUpdateNotes,
          googlekeys::gmUpdateCompany, googlekeys::gmUpdateTitle})
        setOption(key, false);
    const PersonPtr ann = withWork(addPerson("Ann", "Lee"), "Acme", "Boss");
    ann->setValueForProperty(QStringLiteral("Private"), kABNoteProperty);
    setValues(ann, kABEmailProperty, PropertyType::MultiString, {{kABWorkLabel, "ann@acme.org"}});

    const GDataEntryContactPtr contact = build(ann);
    EXPECT_TRUE(contact->emailAddresses().empty());
    EXPECT_TRUE(contact->groupMembershipInfos().empty());
    EXPECT_TRUE(contact->organizations().empty());
    EXPECT_EQ(contact->content(), QStringLiteral("#tolvane\r"));
    EXPECT_TRUE(contact->extendedPropertyForName(kContactExtended));
}

struct OrganizationCase
{
    const char *name;
    bool company;
    QString organization;
    QString job;
    QStringList fromPerson;
    QStringList fromCard;
};

TEST_F(ContactConstructionTest, Organisation_CompaniesAndPeopleFromBothSources)
{
    const OrganizationCase cases[] = {
        {"company named as its title, no job", true, "Acme", "", {}, {}},
        {"company named as its title, with job",
         true,
         "Acme",
         "Boss",
         {"name=(none) title=Boss rel=work primary"},
         {"name= title=Boss rel=work primary"}},
        {"person with organisation and job",
         false,
         "Acme",
         "Boss",
         {"name=Acme title=Boss rel=work primary"},
         {"name=Acme title=Boss rel=work primary"}},
        {"person with job only",
         false,
         "",
         "Boss",
         {"name=(none) title=Boss rel=work primary"},
         {}},
        {"person with neither", false, "", "", {}, {}},
    };
    for (const OrganizationCase &c : cases) {
        const PersonPtr person = c.company
                                     ? withWork(addCompany(c.organization), QString(), c.job)
                                     : withWork(addPerson("Ann", "Lee"), c.organization, c.job);
        EXPECT_EQ(describe(build(person)->organizations()), c.fromPerson) << c.name;
        const GDataEntryContactPtr fromCard = buildFromCard(person->vCardRepresentation());
        ASSERT_TRUE(fromCard) << c.name;
        EXPECT_EQ(describe(fromCard->organizations()), c.fromCard) << c.name;
    }
}

TEST_F(ContactConstructionTest, Company_TitleIsTheCompanyTitle)
{
    const GDataEntryContactPtr contact = build(addCompany("Acme"));
    EXPECT_EQ(contact->title(), QStringLiteral("Acme"));
}

struct NoteCase
{
    const char *name;
    bool tagging;
    bool notes;
    bool created;
    QString note;
    QString expected; // %1 stands for the created date
};

TEST_F(ContactConstructionTest, Note_TagCreatedTextAndNotesOption)
{
    const QString created =
        "created: " + textdate::format(QDateTime(QDate(2026, 12, 10), QTime(3, 4, 5)));
    const NoteCase cases[] = {
        {"one line gets two returns and the tag", true, true, false, "Hello",
         "Hello\r\r#tolvane\r"},
        {"tag already in the note is not repeated", true, true, true, "Hello #tolvane\r",
         "Hello #tolvane\r\r%1"},
        {"tagging off keeps the created text", false, true, true, "Hello", "Hello\r\r%1"},
        {"notes off: the tag alone", true, false, false, "Hello", "#tolvane\r"},
        {"no note, no tag, no created text: no content", false, true, false, "", ""},
    };
    for (const NoteCase &c : cases) {
        setOption(googlekeys::gmDoTagCreatedRecords, c.tagging);
        setOption(googlekeys::gmUpdateNotes, c.notes);
        setOption(googlekeys::gmUpdateIncludeCreateDate, c.created);
        const PersonPtr person = addPerson("Ann", "Lee");
        if (!c.note.isEmpty())
            person->setValueForProperty(c.note, kABNoteProperty);
        const GDataEntryContactPtr contact = build(person);
        if (c.expected.isEmpty())
            EXPECT_FALSE(contact->content()) << c.name;
        else
            EXPECT_EQ(contact->content(), QString(c.expected).replace("%1", created)) << c.name;
    }
}

TEST_F(ContactConstructionTest, Note_WebAddressesLeadTheTagTextWhenAsked)
{
    setOption(googlekeys::gmUpdateIncludeURLsInNotes, true);
    const PersonPtr ann = addPerson("Ann", "Lee");
    ann->setValueForProperty(QStringLiteral("Hello"), kABNoteProperty);
    setValues(ann, kABURLsProperty, PropertyType::MultiString,
              {{kABHomePageLabel, "https://ann.example.org"}});
    const QString urls = AddressBookTool::urlListForPerson(ann);
    ASSERT_FALSE(urls.isEmpty());
    EXPECT_EQ(build(ann)->content(), "Hello\r\r" + urls + "\r#tolvane\r");

    // A card whose note already holds the list does not get it twice, though the card gives its
    // returns back as line feeds.
    UserDefaults(kABPreferencesDomain).setBool(true, kABIncludeNotesInVCard);
    ann->setValueForProperty("Hello\r" + urls, kABNoteProperty);
    EXPECT_EQ(buildFromCard(ann->vCardRepresentation())->content(),
              "Hello\n" + lineends::lineFeedsOnly(urls) + "\r\rsource: dropped vCard\r");
}

TEST_F(ContactConstructionTest, VCard_SourceTextNamesTheAccountOrADroppedCard)
{
    const QByteArray data = card("N:Lee;Ann;;;\r\nFN:Ann Lee\r\nNOTE:Hi\r\n");
    const GDataEntryContactPtr dropped = buildFromCard(data);
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->title(), QStringLiteral("Ann Lee"));
    EXPECT_EQ(dropped->content(), QStringLiteral("Hi\r\rsource: dropped vCard\r"));
    EXPECT_EQ(describe(dropped->groupMembershipInfos()), QStringList{kMyContacts});
    ASSERT_TRUE(dropped->batchID());
    EXPECT_TRUE(dropped->batchID()->endsWith(":ABPerson"));

    const GDataEntryContactPtr moved = buildFromCard(data, "bob@example.org");
    EXPECT_EQ(moved->content(), QStringLiteral("Hi\r\rsource: transfer from: bob@example.org\r"));
}

TEST_F(ContactConstructionTest, VCard_UnreadableOrMissingDataMakesNoContact)
{
    EXPECT_EQ(buildFromCard(QByteArray()), nullptr);
    EXPECT_EQ(buildFromCard(QByteArray("no card in here")), nullptr);
    EXPECT_EQ(buildFromCard(QByteArray("")), nullptr);
}

TEST_F(ContactConstructionTest, ExistingContact_FoundForTheCardsPersonOrNone)
{
    const GDataEntryContactPtr linked = GDataEntryContact::contactEntryWithTitle("Ann Lee");
    linked->setIdentifier("http://g/contacts/ann");
    linked->setEmailAddresses({GDataEmail::emailWithLabel(std::nullopt, "ann@lee.org")});
    const GDataEntryContactPtr other = GDataEntryContact::contactEntryWithTitle("Bob Roe");
    other->setIdentifier("http://g/contacts/bob");
    lists.setContacts({linked, other});

    EXPECT_EQ(contactconstruction::existingGoogleContactUsingVCardData(
                  card("N:Lee;Ann;;;\r\nFN:Ann Lee\r\nEMAIL:ann@lee.org\r\n"), lists),
              linked);
    EXPECT_EQ(contactconstruction::existingGoogleContactUsingVCardData(
                  card("N:Poe;Cy;;;\r\nFN:Cy Poe\r\n"), lists),
              nullptr);
    EXPECT_EQ(
        contactconstruction::existingGoogleContactUsingVCardData(QByteArray("no card"), lists),
        nullptr);
    EXPECT_EQ(contactconstruction::existingGoogleContactUsingVCardData(QByteArray(), lists),
              nullptr);
}

} // namespace
