#include "tests/support/google/abpersontestbook.h"
#include "tests/support/google/elementdescriptions.h"

#include "addressbook/fields/personurls.h"
#include "google/engine/googlekeys.h"
#include "google/upload/contactupdate.h"
#include "google/upload/googleelementkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace {

const QString kMyContacts = QStringLiteral("http://g/groups/6");

GDataOrganization organization(const QString &name, const QString &title)
{
    GDataOrganization org;
    org.orgName = name;
    org.orgTitle = title;
    return org;
}

class ContactUpdateTest : public ABPersonTest
{
protected:
    void SetUp() override
    {
        ABPersonTest::SetUp();
        lists.setGroups({myContactsGroup(kMyContacts)});
        for (const QString &key : {googlekeys::gmUpdateName, googlekeys::gmUpdateTitle,
                                   googlekeys::gmUpdateCompany, googlekeys::gmUpdateNotes,
                                   googlekeys::gmUpdateAppendNotes, googlekeys::gmUpdateEmail})
            setOption(key, true);
        UserDefaults::standard().setString(QStringLiteral("#tolvane"),
                                           googlekeys::gmTagForCreatedRecords);
        contact.setTitle(QStringLiteral("Old Title"));
    }

    static void setOption(const QString &key, bool on)
    {
        UserDefaults::standard().setBool(on, key);
    }

    void update(const PersonPtr &person)
    {
        contactupdate::updateGoogleContactUsingABPerson(contact, person, context);
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
    GDataEntryContact contact;
};

TEST_F(ContactUpdateTest, Title_CompanyAlwaysEmptiedPersonOnlyWithTheNameOption)
{
    setOption(googlekeys::gmUpdateName, false);
    update(addCompany("Acme"));
    EXPECT_EQ(contact.title(), QString());

    contact.setTitle(QStringLiteral("Old Title"));
    const PersonPtr ann = addPerson("Ann", "Lee");
    update(ann);
    EXPECT_EQ(contact.title(), QStringLiteral("Old Title"));
    setOption(googlekeys::gmUpdateName, true);
    update(ann);
    EXPECT_EQ(contact.title(), QStringLiteral("Ann Lee"));
    EXPECT_EQ(contact.batchID(), ann->uniqueId());
}

struct OrganizationCase
{
    const char *name;
    bool company;
    QString organization;
    QString job;
    std::vector<GDataOrganization> before;
    QStringList after;
};

TEST_F(ContactUpdateTest, Organisations_KeptRenamedOrAdded)
{
    const OrganizationCase cases[] = {
        {"person: the one organisation takes the new name and job",
         false,
         "NewCo",
         "Boss",
         {organization("OldCo", "Clerk")},
         {"name=NewCo title=Boss"}},
        {"person: none matches among two, a third is added",
         false,
         "NewCo",
         "Boss",
         {organization("A", "x"), organization("B", "y")},
         {"name=A title=x", "name=B title=y", "name=NewCo title=Boss rel=work primary"}},
        {"person: matched by name gets the job and the primary mark",
         false,
         "B",
         "Boss",
         {organization("A", "x"), organization("B", "y")},
         {"name=A title=x", "name=B title=Boss rel=work primary"}},
        {"person: matched by job title gets the name",
         false,
         "NewCo",
         "y",
         {organization("A", "x"), organization("B", "y")},
         {"name=A title=x", "name=NewCo title=y rel=work primary"}},
        {"person: none yet", false, "NewCo", "", {}, {"name=NewCo title=(none) rel=work primary"}},
        {"person: nothing to carry", false, "", "", {}, {}},
        {"company: none yet gets one named by its title",
         true,
         "Acme",
         "Boss",
         {},
         {"name=Acme title=Boss rel=work primary"}},
        {"company: the one organisation takes the company title",
         true,
         "Acme",
         "",
         {organization("Old", "x")},
         {"name=Acme title=x"}},
    };
    for (const OrganizationCase &c : cases) {
        contact.setOrganizations(c.before);
        const PersonPtr person = c.company ? withWork(addCompany(c.organization), {}, c.job)
                                           : withWork(addPerson("Ann"), c.organization, c.job);
        update(person);
        EXPECT_EQ(describe(contact.organizations()), c.after) << c.name;
    }
}

TEST_F(ContactUpdateTest, Organisations_RepeatedUpdatesAddAtMostOne)
{
    const struct
    {
        const char *name;
        bool jobOption;
        QString job;
    } cases[] = {{"no job", true, ""}, {"job not carried", false, "Boss"}, {"job", true, "Boss"}};
    for (const auto &c : cases) {
        setOption(googlekeys::gmUpdateTitle, c.jobOption);
        contact.setOrganizations({organization("A", "x"), organization("B", "y")});
        const PersonPtr ann = withWork(addPerson("Ann"), "NewCo", c.job);
        for (int run = 0; run < 3; ++run)
            update(ann);
        EXPECT_EQ(contact.organizations().size(), 3u) << c.name;
        EXPECT_EQ(contact.organizations().back().orgName, QStringLiteral("NewCo")) << c.name;
    }
}

TEST_F(ContactUpdateTest, Organisations_StayWithoutTheCompanyOption)
{
    setOption(googlekeys::gmUpdateCompany, false);
    contact.setOrganizations({organization("OldCo", "Clerk")});
    update(withWork(addPerson("Ann"), "NewCo", "Boss"));
    EXPECT_EQ(describe(contact.organizations()), QStringList{"name=OldCo title=Clerk"});
}

struct NoteCase
{
    const char *name;
    bool notes;
    bool append;
    QString note;
    QString existing;
    QString expected;
};

TEST_F(ContactUpdateTest, Note_EveryRowOfTheOptions)
{
    const NoteCase cases[] = {
        {"append: unchanged note sent back with line feeds", true, true, "a\rb", "a\nb #tolvane",
         "a\nb #tolvane"},
        {"append: unchanged note kept with its returns", true, true, "a\rb", "x\ra\rb #tolvane",
         "x\ra\rb #tolvane"},
        {"append: new note after Google's", true, true, "new", "old", "old\rnew\r#tolvane"},
        {"append: no Google note", true, true, "new", "", "new\r#tolvane"},
        {"replace", true, false, "new", "old #tolvane", "new\r#tolvane"},
        {"append: empty note keeps Google's", true, true, "", "old", "old\r#tolvane"},
        {"replace with empty note: the tag alone", true, false, "", "old", "#tolvane"},
        {"no note anywhere: the tag alone", true, true, "", "", "#tolvane"},
        {"notes off keep Google's and add the tag", false, true, "new", "old", "old\r#tolvane"},
        {"notes off, tag already in Google's note", false, true, "new", "old #tolvane",
         "old #tolvane"},
        {"both off, tag already in Google's note", false, false, "new", "old #tolvane",
         "old #tolvane"},
        {"both off, Google's note without the tag", false, false, "new", "old", "old\r#tolvane"},
    };
    for (const NoteCase &c : cases) {
        setOption(googlekeys::gmUpdateNotes, c.notes);
        setOption(googlekeys::gmUpdateAppendNotes, c.append);
        const PersonPtr person = addPerson("Ann");
        if (!c.note.isEmpty())
            person->setValueForProperty(c.note, kABNoteProperty);
        contact.setContentWithString(c.existing);
        update(person);
        EXPECT_EQ(contact.content(), c.expected) << c.name;
    }
}

TEST_F(ContactUpdateTest, Note_WebAddressesFollowTheNoteWhenAsked)
{
    setOption(googlekeys::gmUpdateAppendNotes, false);
    setOption(googlekeys::gmUpdateIncludeURLsInNotes, true);
    const PersonPtr ann = addPerson("Ann");
    setValues(ann, kABURLsProperty, PropertyType::MultiString,
              {{kABHomePageLabel, "https://ann.example.org"}});
    const QString urls = AddressBookTool::urlListForPerson(ann);
    ASSERT_FALSE(urls.isEmpty());
    update(ann);
    EXPECT_EQ(contact.content(), "\r" + urls + "\r#tolvane");
}

TEST_F(ContactUpdateTest, Note_RepeatedUpdatesWithBothOptionsOffAddTheTagOnce)
{
    setOption(googlekeys::gmUpdateNotes, false);
    setOption(googlekeys::gmUpdateAppendNotes, false);
    const PersonPtr ann = addPerson("Ann");
    ann->setValueForProperty(QStringLiteral("local note"), kABNoteProperty);
    contact.setContentWithString(QStringLiteral("Google note"));
    for (int run = 0; run < 3; ++run)
        update(ann);
    EXPECT_EQ(contact.content(), QStringLiteral("Google note\r#tolvane"));
}

TEST_F(ContactUpdateTest, Emails_NoneClearsWithTheOptionAndStayWithout)
{
    contact.setEmailAddresses({GDataEmail::emailWithLabel(std::nullopt, "old@x.org")});
    setOption(googlekeys::gmUpdateEmail, false);
    update(addPerson("Ann"));
    EXPECT_EQ(describe(contact.emailAddresses()), QStringList{"old@x.org"});
    setOption(googlekeys::gmUpdateEmail, true);
    update(addPerson("Ann"));
    EXPECT_TRUE(contact.emailAddresses().empty());
}

} // namespace
