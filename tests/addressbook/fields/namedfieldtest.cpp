#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/storedentries.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/namedfield.h"
#include "addressbook/records/recordsaving.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"

#include <QDate>
#include <QLocale>

namespace {

using namespace AddressBookTool;

const QString kTag = QStringLiteral("<meta name=\"keywords\" content=\"%1\">");

// A saved person with three phones (the work one primary), one e-mail address without a primary,
// no URL and a primary address holding a street and a city.
class NamedFieldTest : public AddressBookTest
{
protected:
    void SetUp() override
    {
        AddressBookTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        addSavedPerson();
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    void addSavedPerson()
    {
        m_person = addPerson("Ann", "Lee");
        set(labelledValues(PropertyType::MultiString,
                           {{kABPhoneHomeLabel, "555 1"},
                            {kABPhoneWorkLabel, "555 2"},
                            {kABPhoneMobileLabel, "555 3"}},
                           1),
            kABPhoneProperty);
        set(labelledValues(PropertyType::MultiString, {{kABEmailWorkLabel, "ann@old.org"}}),
            kABEmailProperty);
        set(labelledValues(PropertyType::MultiDictionary,
                           {{kABAddressWorkLabel, QVariantMap{{kABAddressStreetKey, "1 Main St"},
                                                              {kABAddressCityKey, "Oslo"}}}},
                           0),
            kABAddressProperty);
        m_person->setValueForProperty(QDate(1970, 3, 14), kABBirthdayProperty);
        ASSERT_TRUE(abSave());
    }

    void set(const MultiValue &values, const QString &property)
    {
        m_person->setValueForProperty(QVariant::fromValue(values), property);
    }

    // The person as another program reads it from the saved book.
    QVariant savedValue(const QString &property) const
    {
        AddressBook other(AddressBook::databasePath(), 2);
        return other.personForUniqueId(m_person->uniqueId())->valueForProperty(property);
    }

    PersonPtr m_person;
};

struct TextCase
{
    const char *field;
    QString text;
    QString property;
    QVariant expected;
};

TEST_F(NamedFieldTest, SingleValuedFieldsAreSetAndSaved)
{
    const TextCase cases[] = {
        {"firstName", "Anna", kABFirstNameProperty, "Anna"},
        {"lastName", "Lind", kABLastNameProperty, "Lind"},
        {"nickName", "Annie", kABNicknameProperty, "Annie"},
        {"prefix", "Dr.", kABTitleProperty, "Dr."},
        {"suffix", "Jr.", kABSuffixProperty, "Jr."},
        {"birthday", "12/08/1965", kABBirthdayProperty, QDate(1965, 12, 8)},
        {"orgName", "Acme", kABOrganizationProperty, "Acme"},
        {"jobTitle", "Clerk", kABJobTitleProperty, "Clerk"},
        {"department", "Sales", kABDepartmentProperty, "Sales"},
        {"keyStr", "golf", kABNoteProperty, kTag.arg("golf")},
    };
    for (const TextCase &c : cases) {
        EXPECT_TRUE(setString(c.text, c.field, m_person->uniqueId())) << c.field;
        EXPECT_EQ(m_person->valueForProperty(c.property), c.expected) << c.field;
        EXPECT_EQ(savedValue(c.property), c.expected) << c.field;
    }
}

struct ListCase
{
    const char *name;
    const char *field;
    int abLabel;
    QString property;
    QList<StoredEntry> expected;
};

TEST_F(NamedFieldTest, ListFieldsEditThePrimaryValueOrAddOne)
{
    const QVariantMap oldAddress{{kABAddressStreetKey, "1 Main St"}, {kABAddressCityKey, "Oslo"}};
    const auto withPart = [&oldAddress](const QString &key) {
        QVariantMap address = oldAddress;
        address.insert(key, "new");
        return address;
    };
    const ListCase cases[] = {
        {"phone replaces the primary only and keeps its label",
         "phone",
         1,
         kABPhoneProperty,
         {{kABPhoneHomeLabel, "555 1", false},
          {kABPhoneWorkLabel, "new", true},
          {kABPhoneMobileLabel, "555 3", false}}},
        {"e-mail without a primary is added as primary, work label",
         "email",
         0,
         kABEmailProperty,
         {{kABEmailWorkLabel, "ann@old.org", false}, {kABEmailWorkLabel, "new", true}}},
        {"e-mail added with the home label",
         "email",
         1,
         kABEmailProperty,
         {{kABEmailWorkLabel, "ann@old.org", false}, {kABEmailHomeLabel, "new", true}}},
        {"url on a person without one",
         "url",
         0,
         kABURLsProperty,
         {{kABHomePageLabel, "new", true}}},
        {"city",
         "city",
         1,
         kABAddressProperty,
         {{kABAddressWorkLabel, withPart(kABAddressCityKey), true}}},
        {"state",
         "state",
         1,
         kABAddressProperty,
         {{kABAddressWorkLabel, withPart(kABAddressStateKey), true}}},
        {"zip keeps street and city",
         "zip",
         1,
         kABAddressProperty,
         {{kABAddressWorkLabel, withPart(kABAddressZIPKey), true}}},
        {"country",
         "country",
         1,
         kABAddressProperty,
         {{kABAddressWorkLabel, withPart(kABAddressCountryKey), true}}},
    };
    for (const ListCase &c : cases) {
        addSavedPerson();
        UserDefaults::standard().setInteger(c.abLabel, abkeys::abLabel);
        EXPECT_TRUE(setString("new", c.field, m_person->uniqueId())) << c.name;
        EXPECT_EQ(storedEntries(m_person, c.property), c.expected) << c.name;
        EXPECT_EQ(multiValueFromVariant(savedValue(c.property)),
                  m_person->multiValueForProperty(c.property))
            << c.name;
    }
}

TEST_F(NamedFieldTest, AddressPartOnAPersonWithoutAddress_AddsOneHoldingOnlyThatPart)
{
    const PersonPtr bare = addPerson("Bo", "Ek");
    for (const int abLabel : {1, 0}) {
        bare->removeValueForProperty(kABAddressProperty);
        UserDefaults::standard().setInteger(abLabel, abkeys::abLabel);
        ASSERT_TRUE(setString("Bergen", "city", bare->uniqueId()));
        EXPECT_EQ(storedEntries(bare, kABAddressProperty),
                  (QList<StoredEntry>{{abLabel == 1 ? kABAddressHomeLabel : kABAddressWorkLabel,
                                       QVariantMap{{kABAddressCityKey, "Bergen"}}, true}}));
    }
}

TEST_F(NamedFieldTest, UrlLeavesThePhonesAlone)
{
    const MultiValue phones = m_person->multiValueForProperty(kABPhoneProperty);
    ASSERT_TRUE(setString("http://ann.example", "url", m_person->uniqueId()));
    EXPECT_EQ(m_person->multiValueForProperty(kABPhoneProperty), phones);
}

struct KeywordsCase
{
    const char *name;
    QString note; // null: no note
    QStringList texts;
    QString expected;
};

TEST_F(NamedFieldTest, Keywords)
{
    const KeywordsCase cases[] = {
        {"no note", {}, {"golf ,tennis,  chess"}, kTag.arg("golf, tennis, chess")},
        {"empty note", "", {"golf"}, kTag.arg("golf")},
        {"words of a keyword keep their spaces",
         {},
         {" New York , Los  Angeles"},
         kTag.arg("New York, Los  Angeles")},
        {"text without a tag keeps its text",
         "Met in Oslo",
         {"golf"},
         "Met in Oslo\r" + kTag.arg("golf")},
        {"a tag is replaced in place",
         "Before " + kTag.arg("old") + " after",
         {"new"},
         "Before " + kTag.arg("new") + " after"},
        {"twice leaves one tag with the second list",
         "Met in Oslo",
         {"golf", "chess"},
         "Met in Oslo\r" + kTag.arg("chess")},
        {"markup in a keyword is escaped",
         {},
         {"a\"b>c, R&D <x>"},
         kTag.arg("a&quot;b&gt;c, R&amp;D &lt;x&gt;")},
        {"an escaped tag is replaced whole",
         "Note",
         {"\"quoted\" > x", "plain"},
         "Note\r" + kTag.arg("plain")},
    };
    for (const KeywordsCase &c : cases) {
        if (c.note.isNull())
            m_person->removeValueForProperty(kABNoteProperty);
        else
            m_person->setValueForProperty(c.note, kABNoteProperty);
        for (const QString &text : c.texts)
            EXPECT_TRUE(setString(text, "keyStr", m_person->uniqueId())) << c.name;
        EXPECT_EQ(m_person->valueForProperty(kABNoteProperty), c.expected) << c.name;
    }
}

struct RefusedCase
{
    const char *name;
    QString text;
    QString field;
    bool knownPerson;
};

TEST_F(NamedFieldTest, RefusedEditsAnswerFalseAndChangeNothing)
{
    const RefusedCase cases[] = {
        {"birthday that is no date", "sometime", "birthday", true},
        {"empty birthday", "", "birthday", true},
        {"unknown field", "x", "favouriteColour", true},
        {"field keys are case-sensitive", "x", "FirstName", true},
        {"unknown person", "Anna", "firstName", false},
    };
    const QString before = QString::fromUtf8(m_person->vCardRepresentation());
    for (const RefusedCase &c : cases) {
        const QString abid =
            c.knownPerson ? m_person->uniqueId() : QStringLiteral("00000000-0000:ABPerson");
        EXPECT_FALSE(setString(c.text, c.field, abid)) << c.name;
        EXPECT_EQ(QString::fromUtf8(m_person->vCardRepresentation()), before) << c.name;
        EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges()) << c.name;
        EXPECT_EQ(m_person->valueForProperty(kABBirthdayProperty), QDate(1970, 3, 14)) << c.name;
    }
}

} // namespace
