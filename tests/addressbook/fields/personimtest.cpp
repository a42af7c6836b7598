#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/fields/personim.h"
#include "platform/addressbook/abconstants.h"

namespace {

using namespace AddressBookTool;

struct Handles
{
    QString property;
    QList<LabelledEntry> entries;
};

PersonPtr withHandles(const QList<Handles> &services)
{
    const PersonPtr person = Person::create();
    for (const Handles &service : services)
        person->setValueForProperty(
            QVariant::fromValue(labelledValues(PropertyType::MultiString, service.entries)),
            service.property);
    return person;
}

TEST(PersonIM, ServiceWalkByLabel)
{
    const struct
    {
        const char *name;
        QList<Handles> services;
        QString asked;
        QString handle, type;
    } cases[] = {
        {"two AIM handles: the last stands",
         {{kABAIMInstantProperty, {{kABWorkLabel, "aim1"}, {kABWorkLabel, "aim2"}}}},
         "work",
         "aim2",
         "AIM"},
        {"Jabber before AIM",
         {{kABAIMInstantProperty, {{kABHomeLabel, "aim"}}},
          {kABJabberInstantProperty, {{kABHomeLabel, "jab"}}}},
         "Home",
         "jab",
         "Jabber"},
        {"a service without a match is passed",
         {{kABJabberInstantProperty, {{kABWorkLabel, "jab"}}},
          {kABICQInstantProperty, {{kABHomeLabel, "icq"}}}},
         "HOME",
         "icq",
         "ICQ"},
        {"custom label in any case",
         {{kABYahooInstantProperty, {{"Games", "y"}}}, {kABMSNInstantProperty, {{"games", "m"}}}},
         "GAMES",
         "y",
         "Yahoo"},
        {"stored label is not what the user reads",
         {{kABMSNInstantProperty, {{kABWorkLabel, "m"}}}},
         kABWorkLabel,
         "",
         ""},
        {"an empty handle does not end the walk",
         {{kABJabberInstantProperty, {{kABWorkLabel, ""}}},
          {kABMSNInstantProperty, {{kABWorkLabel, "m"}}}},
         "work",
         "m",
         "MSN"},
        {"no handles", {}, "work", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const PersonPtr person = withHandles(c.services);
        EXPECT_EQ(imForPerson(person, c.asked), c.handle);
        EXPECT_EQ(imTypeForPerson(person, c.asked), c.type);
        EXPECT_FALSE(imForPerson(person, c.asked).isNull());
        EXPECT_FALSE(imTypeForPerson(person, c.asked).isNull());
    }
    EXPECT_EQ(imForPerson(nullptr, "work"), "");
}

TEST(PersonIM, HandlesAreAIMThenJabber)
{
    const PersonPtr person =
        withHandles({{kABJabberInstantProperty, {{kABWorkLabel, "j1"}, {kABHomeLabel, "j2"}}},
                     {kABAIMInstantProperty, {{kABHomeLabel, "a1"}, {kABHomeLabel, "a2"}}},
                     {kABICQInstantProperty, {{kABHomeLabel, "icq"}}}});
    EXPECT_EQ(imHandlesForPerson(person), (QStringList{"a1", "a2", "j1", "j2"}));
    EXPECT_TRUE(imHandlesForPerson(nullptr).isEmpty());
}

} // namespace
