#include "tests/support/google/abpersontestbook.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/text/textdate.h"
#include "google/download/downloadkeys.h"
#include "google/download/downloadstamp.h"
#include "google/download/personwriting.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/google/googleentrybuilders.h"

#include <QDateTime>
#include <QThread>

namespace {

const QString kAccount = QStringLiteral("bob@example.com");
const QString kDataMaskElement = QStringLiteral("dm");
const QString kVersionProperty = QStringLiteral("com.test.googleVersion");
const QString kAsOfProperty = QStringLiteral("com.test.googleAsOf");
const QDateTime kUpdated =
    QDateTime::fromString(QStringLiteral("2026-03-01T10:00:00Z"), Qt::ISODate);
const QDateTime kNow = QDateTime::fromString(QStringLiteral("2026-03-02T08:00:00Z"), Qt::ISODate);

using Elements = std::vector<GDataExtendedProperty::XMLValue>;

class PersonWritingTest : public ABPersonTest
{
protected:
    void SetUp() override
    {
        ABPersonTest::SetUp();
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setString(kDataMaskElement, googlekeys::googleDataMask);
        defaults.setString(kVersionProperty, abkeys::googleContactVersionPropertyName);
        defaults.setString(kAsOfProperty, abkeys::googleContactAsOfDatePropertyName);
        AddressBook::shared()->addPropertiesAndTypes(
            RecordClass::Person,
            {{kVersionProperty, PropertyType::String}, {kAsOfProperty, PropertyType::String}});
        for (const QString &key : {googlekeys::abUpdateName, googlekeys::abUpdateCompany,
                                   googlekeys::abUpdateNotes, googlekeys::abUpdateTitle})
            defaults.setBool(true, key);
        contact.setIdentifier(QStringLiteral("http://google/contacts/c1"));
        contact.setUpdatedDate(kUpdated);
    }

    void setProperty(const Elements &elements)
    {
        contact.setExtendedProperties({makeProperty(kContactExtended, elements)});
    }

    void write() { tolvane::writeContactIntoPerson(person, contact, kAccount, kNow); }

    QString value(const QString &property) const
    {
        return person->valueForProperty(property).toString();
    }

    PersonPtr person = addPerson(QStringLiteral("Old"), QStringLiteral("Name"));
    GDataEntryContact contact;
};

TEST_F(PersonWritingTest, Title_SplitIntoNames)
{
    struct Case
    {
        const char *title;
        const char *first;
        const char *nick;
        const char *last;
    };
    const Case cases[] = {
        {"Mary Ann Lee", "Mary", "", "Ann Lee"},
        {"Bo \"Bobby\" Lee", "Bo", "Bobby", "Lee"},
        {"Cher", "Cher", "", "Name"},
        {"Ann Lee", "Ann", "", "Lee"},
        // opens with the quote: no first name before it, the old one stays
        {"\"Bobby\" Karl Lee", "Old", "Bobby", "Karl Lee"},
        // no closing quote, and no title at all: the names stay
        {"Al \"Bo Lee", "Old", "", "Name"},
        {"", "Old", "", "Name"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        person = addPerson(QStringLiteral("Old"), QStringLiteral("Name"));
        person->setValueForProperty(QStringLiteral("Mid"), kABMiddleNameProperty);
        contact.setTitle(QString::fromUtf8(c.title));
        write();
        EXPECT_EQ(value(kABFirstNameProperty), QString::fromUtf8(c.first));
        EXPECT_EQ(value(kABNicknameProperty), QString::fromUtf8(c.nick));
        EXPECT_EQ(value(kABLastNameProperty), QString::fromUtf8(c.last));
        EXPECT_EQ(value(kABMiddleNameProperty), QStringLiteral("Mid"));
    }
}

TEST_F(PersonWritingTest, NameHints_TakeTheReviewedParts)
{
    contact.setTitle(QStringLiteral("Dr Ann Lee"));
    setProperty({{"aNH", "1"}, {"gT", "Dr Ann Lee"}, {"aF", "Ann"}, {"aL", "Lee"}, {"aC", "Acme"}});
    write();
    EXPECT_EQ(value(kABFirstNameProperty), QStringLiteral("Ann"));
    EXPECT_EQ(value(kABLastNameProperty), QStringLiteral("Lee"));
    EXPECT_FALSE(person->valueForProperty(kABMiddleNameProperty).isValid());
    EXPECT_EQ(value(kABOrganizationProperty), QStringLiteral("Acme"));
}

TEST_F(PersonWritingTest, CompanyFlag_SetOrClearedAndNamesUntouched)
{
    contact.setTitle(QStringLiteral("Acme Widgets Inc"));
    setProperty({{"isCo", "1"}});
    write();
    EXPECT_EQ(person->valueForProperty(kABPersonFlags).toInt(), kABShowAsCompany);
    EXPECT_EQ(value(kABOrganizationProperty), QStringLiteral("Acme Widgets Inc"));
    EXPECT_EQ(value(kABFirstNameProperty), QStringLiteral("Old"));

    setProperty({{"isCo", "0"}});
    contact.setOrganizations({GDataOrganization::organizationWithName(QStringLiteral("Acme"))});
    write();
    EXPECT_EQ(person->valueForProperty(kABPersonFlags).toInt(), kABShowAsPerson);
    EXPECT_EQ(value(kABOrganizationProperty), QStringLiteral("Acme"));
    EXPECT_EQ(value(kABFirstNameProperty), QStringLiteral("Old"));
}

TEST_F(PersonWritingTest, NoteURLs_OnlyStrictLinesMove_NoDuplicateOnTheNextRound)
{
    struct Case
    {
        const char *note;
        const char *kept;
        QStringList urls;
    };
    const Case cases[] = {
        {"Met at the fair\nhome page:: http://ann.example.com\r",
         "Met at the fair",
         {"http://ann.example.com"}},
        {"Line one\r\nBlog ::  https://blog.example.com  \r\nLine two",
         "Line one\rLine two",
         {"https://blog.example.com"}},
        {"Ratio 2::1 and more\rTodo:: call her", "Ratio 2::1 and more\rTodo:: call her", {}},
        {"Plain note", "Plain note", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.note);
        person = addPerson(QStringLiteral("Ann"));
        contact.setTitle(QStringLiteral("Ann"));
        contact.setContentWithString(QString::fromUtf8(c.note));
        write();
        write();
        EXPECT_EQ(value(kABNoteProperty), QString::fromUtf8(c.kept));
        const MultiValue urls = person->multiValueForProperty(kABURLsProperty);
        QStringList values;
        for (int index = 0; index < urls.count(); ++index)
            values << urls.valueAt(index).toString();
        EXPECT_EQ(values, c.urls);
    }
    EXPECT_EQ(person->multiValueForProperty(kABURLsProperty).count(), 0);
}

TEST_F(PersonWritingTest, NoteURL_StandardLabelComesBackAsTheLabel)
{
    contact.setTitle(QStringLiteral("Ann"));
    contact.setContentWithString(
        QStringLiteral("home page:: http://a.example.com\rBoat:: http://b.example.com"));
    write();
    const MultiValue urls = person->multiValueForProperty(kABURLsProperty);
    ASSERT_EQ(urls.count(), 2);
    EXPECT_EQ(urls.labelAt(0), kABHomePageLabel);
    EXPECT_EQ(urls.labelAt(1), QStringLiteral("Boat"));
}

TEST_F(PersonWritingTest, Note_AppendTagAndCreateDate)
{
    UserDefaults &defaults = UserDefaults::standard();
    contact.setTitle(QStringLiteral("Ann"));
    contact.setContentWithString(QStringLiteral("From Google"));
    person->setValueForProperty(QStringLiteral("Mine"), kABNoteProperty);

    // The misspelt key is not the option.
    defaults.setBool(true, QStringLiteral("abUpateAppendNotes"));
    write();
    EXPECT_EQ(value(kABNoteProperty), QStringLiteral("From Google"));

    person->setValueForProperty(QStringLiteral("Mine"), kABNoteProperty);
    defaults.setBool(true, googlekeys::abUpdateAppendNotes);
    defaults.setBool(true, googlekeys::abDoTagCreatedRecords);
    defaults.setString(QStringLiteral("(%GAcct) import"), googlekeys::abTagForCreatedRecords);
    write();
    EXPECT_EQ(value(kABNoteProperty),
              QStringLiteral("Mine\r\rFrom Google\r\rbob@example.com import"));
    write(); // already held: nothing appended again
    EXPECT_EQ(value(kABNoteProperty),
              QStringLiteral("Mine\r\rFrom Google\r\rbob@example.com import"));

    defaults.setBool(false, googlekeys::abUpdateAppendNotes);
    defaults.setBool(false, googlekeys::abDoTagCreatedRecords);
    defaults.setBool(true, abkeys::abUpdateIncludeCreateDate);
    write();
    EXPECT_EQ(value(kABNoteProperty),
              QStringLiteral("From Google\rrecord created: ") + textdate::format(kNow));
}

// A kept note carries the created line of the download before; only the last line is that line.
TEST_F(PersonWritingTest, Note_AppendedKeepsOneCreatedLine)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setBool(true, googlekeys::abUpdateAppendNotes);
    defaults.setBool(true, abkeys::abUpdateIncludeCreateDate);
    contact.setTitle(QStringLiteral("Ann"));
    contact.setContentWithString(QStringLiteral("From Google"));
    const QString created = QStringLiteral("record created: ") + textdate::format(kNow);
    const struct
    {
        const char *name;
        const char *before;
        QString after;
    } cases[] = {
        {"line of an earlier download", "Mine\r\rFrom Google\rrecord created: 2001-01-01",
         "Mine\r\rFrom Google\r" + created},
        {"CR LF before it", "Mine\r\rFrom Google\r\nrecord created: 2001-01-01",
         "Mine\r\rFrom Google\r" + created},
        {"the whole note", "record created: 2001-01-01", "From Google\r" + created},
        {"not the last line", "record created: by hand\rMine",
         "record created: by hand\rMine\r\rFrom Google\r" + created},
    };
    for (const auto &c : cases) {
        person->setValueForProperty(QString::fromUtf8(c.before), kABNoteProperty);
        write();
        EXPECT_EQ(value(kABNoteProperty), c.after) << c.name;
    }
}

TEST_F(PersonWritingTest, LinkStamp_VersionAndAsOfAMinuteAhead)
{
    UserDefaults::standard().setString(QStringLiteral("mask"), abkeys::addressBookDataMask);
    contact.setTitle(QStringLiteral("Ann"));
    write();
    EXPECT_EQ(value(kVersionProperty), textdate::format(kUpdated));
    EXPECT_EQ(value(kAsOfProperty), textdate::format(kNow.addSecs(60)));
}

TEST_F(PersonWritingTest, UnchangedRecord_AsOfWithin100SecondsWritesNothing)
{
    person->setValueForProperty(contact.identifier(), kContactIDProperty);
    contact.setTitle(QStringLiteral("Ann Lee"));
    // A stamp of the same second left by another record (a person of another book, or a new
    // one made for the contact) does not speak for this person.
    const struct
    {
        int seconds;
        QString recordID;
        bool rewritten;
    } cases[] = {{99, person->uniqueId(), false},
                 {-99, person->uniqueId(), false},
                 {100, person->uniqueId(), true},
                 {0, QStringLiteral("other:ABPerson"), true}};
    for (const auto &[seconds, recordID, rewritten] : cases) {
        SCOPED_TRACE(recordID.toStdString() + " " + std::to_string(seconds));
        person->setValueForProperty(QStringLiteral("Old"), kABFirstNameProperty);
        const QDateTime stamp = person->valueForProperty(kABModificationDateProperty).toDateTime();
        setProperty({{"aID", recordID},
                     {"dm", textdate::format(stamp)},
                     {"asOf", textdate::format(kUpdated.addSecs(seconds))}});
        EXPECT_EQ(tolvane::writeContactIntoPerson(person, contact, kAccount, kNow), rewritten);
        EXPECT_EQ(value(kABFirstNameProperty), rewritten ? "Ann" : "Old");
    }
}

} // namespace

TEST_F(PersonWritingTest, AnEditSoonAfterTheDownloadsWriteIsNotTakenForTheDownloadsOwn)
{
    contact.setTitle(QStringLiteral("Ann Lee"));
    tolvane::writeContactIntoPerson(person, contact, kAccount, QDateTime::currentDateTime());
    ASSERT_TRUE(AddressBook::shared()->save());
    EXPECT_TRUE(downloadstamp::isUnchangedSinceDownload(contact, person));

    QThread::msleep(200);
    person->setValueForProperty(QStringLiteral("Met at the fair"), kABNoteProperty);
    ASSERT_TRUE(AddressBook::shared()->save());
    EXPECT_FALSE(downloadstamp::isUnchangedSinceDownload(contact, person));

    // Read back from the file, as the next run reads it.
    const QString id = person->uniqueId();
    AddressBook::closeShared();
    const PersonPtr reread = AddressBook::shared()->personForUniqueId(id);
    ASSERT_TRUE(reread);
    EXPECT_FALSE(downloadstamp::isUnchangedSinceDownload(contact, reread));
}
