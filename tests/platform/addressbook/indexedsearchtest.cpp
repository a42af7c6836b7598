#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Comparison = SearchElement::Comparison;

SearchElement emailIs(const QString &address, Comparison comparison = Comparison::Equal)
{
    return SearchElement::forProperty(RecordClass::Person, kABEmailProperty, {}, {}, address,
                                      comparison);
}

void setEmail(const PersonPtr &person, const QString &address)
{
    MutableMultiValue emails(PropertyType::MultiString);
    emails.addValue(address, kABWorkLabel);
    person->setValueForProperty(QVariant::fromValue(MultiValue(emails)), kABEmailProperty);
}

class IndexedSearchTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    AddressBook book{dir.filePath(QStringLiteral("ab.sqlite")), 1, QStringLiteral("test")};

    PersonPtr add(const QString &address)
    {
        const PersonPtr person = Person::create();
        setEmail(person, address);
        book.addRecord(person);
        return person;
    }
};

TEST_F(IndexedSearchTest, EqualitySearchesFollowChangesMadeAfterTheFirstSearch)
{
    const PersonPtr first = add(QStringLiteral("a@x.org"));
    EXPECT_EQ(book.recordsMatchingSearchElement(emailIs("a@x.org")), QList<RecordPtr>{first});

    const PersonPtr second = add(QStringLiteral("a@x.org"));
    EXPECT_EQ(book.recordsMatchingSearchElement(emailIs("a@x.org")),
              (QList<RecordPtr>{first, second}));

    setEmail(first, QStringLiteral("b@x.org"));
    EXPECT_EQ(book.recordsMatchingSearchElement(emailIs("a@x.org")), QList<RecordPtr>{second});
    EXPECT_EQ(
        book.recordsMatchingSearchElement(emailIs("B@X.org", Comparison::EqualCaseInsensitive)),
        QList<RecordPtr>{first});

    first->removeValueForProperty(kABEmailProperty);
    EXPECT_TRUE(book.recordsMatchingSearchElement(emailIs("b@x.org")).isEmpty());
    book.removeRecord(second);
    EXPECT_TRUE(book.recordsMatchingSearchElement(emailIs("a@x.org")).isEmpty());
}

TEST_F(IndexedSearchTest, AndKeepsEveryConditionAndMatchesComeInBookOrder)
{
    const PersonPtr later = add(QStringLiteral("same@x.org"));
    const PersonPtr named = add(QStringLiteral("same@x.org"));
    named->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
    later->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
    const SearchElement both = SearchElement::conjunction(
        SearchElement::Conjunction::And,
        {SearchElement::forProperty(RecordClass::Person, kABFirstNameProperty, {}, {},
                                    QStringLiteral("ann"), Comparison::EqualCaseInsensitive),
         emailIs("same@x.org")});
    EXPECT_EQ(book.recordsMatchingSearchElement(both), (QList<RecordPtr>{later, named}));
    later->setValueForProperty(QStringLiteral("Bob"), kABFirstNameProperty);
    EXPECT_EQ(book.recordsMatchingSearchElement(both), QList<RecordPtr>{named});
}

} // namespace
