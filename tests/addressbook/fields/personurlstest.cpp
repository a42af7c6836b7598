#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/fields/personurls.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"

namespace {

using namespace AddressBookTool;

class PersonURLsTest : public AddressBookTest
{
protected:
    static PersonPtr urls(const QList<LabelledEntry> &entries)
    {
        const PersonPtr person = personWith(kABURLsProperty, PropertyType::MultiString, entries);
        AddressBook::shared()->addRecord(person);
        return person;
    }
    static QList<LabelledEntry> entriesOf(const PersonPtr &person)
    {
        QList<LabelledEntry> entries;
        const MultiValue urls = person->multiValueForProperty(kABURLsProperty);
        for (const MultiValueEntry &entry : urls.entries())
            entries.append({entry.label, entry.value});
        return entries;
    }
};

TEST_F(PersonURLsTest, ReadersByLabel)
{
    const PersonPtr person = urls({{kABHomePageLabel, "hp"},
                                   {kABWorkLabel, "w1"},
                                   {kABHomeLabel, "h"},
                                   {kABWorkLabel, "w2"},
                                   {"Blog", "b"}});
    EXPECT_EQ(countURLSForPerson(person), 5);
    EXPECT_EQ(countURLSForABID(person->uniqueId()), 5);
    EXPECT_EQ(workURLForPerson(person), "w1");
    EXPECT_EQ(homeURLForPerson(person), "h");
    EXPECT_EQ(urlListForPerson(person),
              "home page:: hp\rwork:: w1\rhome:: h\rwork:: w2\rBlog:: b\r");

    const struct
    {
        QString asked;
        QString url;
    } byLabel[] = {
        {"home page", "hp"},  {"HOME PAGE", ""}, // the special test needs the exact words
        {"blog", "b"},        {"BLOG", "b"},
        {kABWorkLabel, "w1"}, {"work", ""}, // stored labels, not the words the user reads
        {"Other", ""},
    };
    for (const auto &c : byLabel)
        EXPECT_EQ(urlForPerson(person, c.asked), c.url) << c.asked.toStdString();

    const PersonPtr custom = urls({{"HOME PAGE", "mine"}});
    EXPECT_EQ(urlForPerson(custom, "HOME PAGE"), "mine");
    EXPECT_EQ(urlForPerson(custom, "home page"), "mine");
}

TEST_F(PersonURLsTest, NoURLs)
{
    for (const PersonPtr &person : {PersonPtr(), Person::create()}) {
        EXPECT_EQ(countURLSForPerson(person), 0);
        EXPECT_EQ(urlListForPerson(person), "");
        EXPECT_FALSE(urlListForPerson(person).isNull());
        EXPECT_EQ(workURLForPerson(person), "");
        EXPECT_EQ(homeURLForPerson(person), "");
        EXPECT_EQ(urlForPerson(person, "home page"), "");
    }
    EXPECT_EQ(countURLSForABID(QStringLiteral("none:ABPerson")), 0);
}

TEST_F(PersonURLsTest, SetCustomURL_ReplacesTheFirstMatchOnlyOrAdds)
{
    const struct
    {
        const char *name;
        QList<LabelledEntry> before;
        QString label;
        QList<LabelledEntry> after;
    } cases[] = {
        // Two different addresses under one label: the second one is kept.
        {"two under one label",
         {{"Shop", "a"}, {"Shop", "b"}},
         "Shop",
         {{"Shop", "new"}, {"Shop", "b"}}},
        {"matched by the label the user reads",
         {{kABHomeLabel, "h"}, {kABWorkLabel, "w"}},
         "work",
         {{kABHomeLabel, "h"}, {kABWorkLabel, "new"}}},
        {"no match: appended with the label as asked",
         {{kABHomeLabel, "h"}},
         "Blog",
         {{kABHomeLabel, "h"}, {"Blog", "new"}}},
        {"no addresses", {}, "Blog", {{"Blog", "new"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const PersonPtr person = urls(c.before);
        setCustomURL(QStringLiteral("new"), person, c.label);
        const QList<LabelledEntry> after = entriesOf(person);
        ASSERT_EQ(after.size(), c.after.size());
        for (int index = 0; index < after.size(); ++index) {
            EXPECT_EQ(after[index].label, c.after[index].label);
            EXPECT_EQ(after[index].value, c.after[index].value);
        }
    }
}

TEST_F(PersonURLsTest, SetCustomURL_Saves)
{
    const PersonPtr person = urls({});
    ASSERT_TRUE(AddressBook::shared()->save());
    setCustomURL(QStringLiteral("https://example.org"), person, QStringLiteral("Blog"));
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
    setCustomURL(QStringLiteral("https://example.org"), nullptr, QStringLiteral("Blog"));
}

} // namespace
