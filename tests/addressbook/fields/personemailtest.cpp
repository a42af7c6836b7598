#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/fields/personemail.h"
#include "platform/addressbook/abconstants.h"

namespace {

using namespace AddressBookTool;

struct EmailCase
{
    const char *name;
    QList<LabelledEntry> entries;
    int primary;
    QString primaryEmail, work, home;
    QStringList ordered;
};

TEST(PersonEmail, EmailsByLabelAndInOrder)
{
    const QString other = kABOtherLabel;
    const EmailCase cases[] = {
        {"primary, then work, home and the rest",
         {{kABWorkLabel, "A"},
          {kABHomeLabel, "B"},
          {kABWorkLabel, "C"},
          {other, "D"},
          {kABHomeLabel, "E"}},
         1,
         "B",
         "A",
         "B",
         {"B", "A", "C", "E", "D"}},
        {"primary among the work ones: each once",
         {{kABWorkLabel, "A"}, {kABWorkLabel, "C"}},
         0,
         "A",
         "A",
         "",
         {"A", "C"}},
        {"one other address", {{other, "O"}}, -1, "O", "", "", {"O"}},
        {"home only: work falls back to home",
         {{other, "O"}, {kABHomeLabel, "H"}},
         -1,
         "O",
         "H",
         "H",
         {"H", "O"}},
        {"same text twice stays twice",
         {{kABHomeLabel, "S"}, {"custom", "S"}, {kABWorkLabel, "W"}},
         -1,
         "S",
         "W",
         "S",
         {"W", "S", "S"}},
        {"empty list", {}, -1, "", "", "", {}},
    };
    for (const EmailCase &c : cases) {
        SCOPED_TRACE(c.name);
        const PersonPtr person =
            personWith(kABEmailProperty, PropertyType::MultiString, c.entries, c.primary);
        EXPECT_EQ(primaryEmailForPerson(person), c.primaryEmail);
        EXPECT_EQ(workEmailForPerson(person), c.work);
        EXPECT_EQ(homeEmailForPerson(person), c.home);
        EXPECT_EQ(tryOrderedEmailAddressesForPerson(person), c.ordered);
    }
}

TEST(PersonEmail, NoPerson)
{
    EXPECT_EQ(primaryEmailForPerson(nullptr), "");
    EXPECT_FALSE(workEmailForPerson(nullptr).isNull());
    EXPECT_EQ(homeEmailForPerson(nullptr), "");
    EXPECT_TRUE(tryOrderedEmailAddressesForPerson(nullptr).isEmpty());
}

} // namespace
