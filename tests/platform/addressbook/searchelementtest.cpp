#include "addressbookfixture.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

using Comparison = SearchElement::Comparison;

namespace {

MultiValue strings(std::initializer_list<std::pair<QString, QString>> labelsAndValues)
{
    MutableMultiValue value(PropertyType::MultiString);
    for (const auto &[label, text] : labelsAndValues)
        value.addValue(text, label);
    return value;
}

} // namespace

// Ann (a person with mail, an address and a birthday), Acme (a company) and Bob (a person with
// another flag bit set), in that order, and one group.
class SearchElementTest : public AddressBookFixture
{
protected:
    void SetUp() override
    {
        book = openBook();
        book->removeRecord(book->me());
        ann = add(QStringLiteral("Ann"), 0);
        ann->setValueForProperty(QDate(1970, 2, 28), kABBirthdayProperty);
        ann->setValueForProperty(
            QVariant::fromValue(strings({{kABHomeLabel, QStringLiteral("ann@home.example")},
                                         {kABWorkLabel, QStringLiteral("ann@work.example")}})),
            kABEmailProperty);
        MutableMultiValue addresses(PropertyType::MultiDictionary);
        addresses.addValue(QVariantMap{{kABAddressStreetKey, QStringLiteral("1 Main St")},
                                       {kABAddressCityKey, QStringLiteral("Springfield")}},
                           kABHomeLabel);
        ann->setValueForProperty(QVariant::fromValue(addresses), kABAddressProperty);
        acme = add({}, kABShowAsCompany);
        acme->setValueForProperty(QStringLiteral("Acme"), kABOrganizationProperty);
        bob = add(QStringLiteral("Bob"), 0x20);
        friends = Group::create();
        friends->setValueForProperty(QStringLiteral("Friends"), kABGroupNameProperty);
        book->addRecord(friends);
    }

    PersonPtr add(const QString &first, int flags)
    {
        PersonPtr person = Person::create();
        if (!first.isEmpty())
            person->setValueForProperty(first, kABFirstNameProperty);
        person->setValueForProperty(flags, kABPersonFlags);
        book->addRecord(person);
        return person;
    }

    QStringList namesFound(const SearchElement &element) const
    {
        QStringList names;
        for (const RecordPtr &record : book->recordsMatchingSearchElement(element)) {
            if (record.get() == friends.get())
                names.append(QStringLiteral("Friends"));
            else if (record.get() == acme.get())
                names.append(QStringLiteral("Acme"));
            else
                names.append(record->valueForProperty(kABFirstNameProperty).toString());
        }
        return names;
    }

    static SearchElement person(const QString &property, const QVariant &value,
                                Comparison comparison, const QString &label = {},
                                const QString &key = {})
    {
        return SearchElement::forProperty(RecordClass::Person, property, label, key, value,
                                          comparison);
    }

    std::unique_ptr<AddressBook> book;
    PersonPtr ann;
    PersonPtr acme;
    PersonPtr bob;
    GroupPtr friends;
};

TEST_F(SearchElementTest, EachComparisonFindsTheRecordsItShould)
{
    const QString work = QStringLiteral("ann@work.example");
    const struct
    {
        const char *what;
        SearchElement element;
        QStringList expected;
    } cases[] = {
        {"equal",
         person(kABFirstNameProperty, QStringLiteral("Ann"), Comparison::Equal),
         {QStringLiteral("Ann")}},
        {"equal is exact",
         person(kABFirstNameProperty, QStringLiteral("ann"), Comparison::Equal),
         {}},
        {"equal ignoring case",
         person(kABFirstNameProperty, QStringLiteral("aNN"), Comparison::EqualCaseInsensitive),
         {QStringLiteral("Ann")}},
        {"not equal needs a value",
         person(kABFirstNameProperty, QStringLiteral("Ann"), Comparison::NotEqual),
         {QStringLiteral("Bob")}},
        {"not equal to nothing is any value",
         person(kABBirthdayProperty, QVariant(), Comparison::NotEqual),
         {QStringLiteral("Ann")}},
        {"substring in any entry",
         person(kABEmailProperty, QStringLiteral("WORK"),
                Comparison::ContainsSubStringCaseInsensitive),
         {QStringLiteral("Ann")}},
        {"label limits the entries",
         person(kABEmailProperty, work, Comparison::Equal, kABHomeLabel),
         {}},
        {"label picks the entry",
         person(kABEmailProperty, work, Comparison::Equal, kABWorkLabel),
         {QStringLiteral("Ann")}},
        {"key of an address",
         person(kABAddressProperty, QStringLiteral("Springfield"), Comparison::Equal, {},
                kABAddressCityKey),
         {QStringLiteral("Ann")}},
        {"other key of an address",
         person(kABAddressProperty, QStringLiteral("Springfield"), Comparison::Equal, {},
                kABAddressStreetKey),
         {}},
        {"prefix",
         person(kABOrganizationProperty, QStringLiteral("Ac"), Comparison::PrefixMatch),
         {QStringLiteral("Acme")}},
        {"companies",
         person(kABPersonFlags, kABShowAsCompany, Comparison::BitsInBitFieldMatch),
         {QStringLiteral("Acme")}},
        {"no bits match every person",
         person(kABPersonFlags, kABShowAsPerson, Comparison::BitsInBitFieldMatch),
         {QStringLiteral("Ann"), QStringLiteral("Acme"), QStringLiteral("Bob")}},
        {"earlier date",
         person(kABBirthdayProperty, QDate(1980, 1, 1), Comparison::LessThan),
         {QStringLiteral("Ann")}},
        {"date on the day",
         person(kABBirthdayProperty, QDate(1970, 2, 28), Comparison::GreaterThanOrEqual),
         {QStringLiteral("Ann")}},
        {"later date", person(kABBirthdayProperty, QDate(1980, 1, 1), Comparison::GreaterThan), {}},
        {"and",
         SearchElement::conjunction(
             SearchElement::Conjunction::And,
             {person(kABPersonFlags, 0x20, Comparison::BitsInBitFieldMatch),
              person(kABFirstNameProperty, QStringLiteral("B"), Comparison::PrefixMatch)}),
         {QStringLiteral("Bob")}},
        {"or",
         SearchElement::conjunction(
             SearchElement::Conjunction::Or,
             {person(kABFirstNameProperty, QStringLiteral("Bob"), Comparison::Equal),
              person(kABOrganizationProperty, QStringLiteral("Acme"), Comparison::Equal)}),
         {QStringLiteral("Acme"), QStringLiteral("Bob")}},
        {"groups only",
         SearchElement::forProperty(RecordClass::Group, kABGroupNameProperty, {}, {},
                                    QStringLiteral("friends"),
                                    Comparison::ContainsSubStringCaseInsensitive),
         {QStringLiteral("Friends")}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(namesFound(c.element), c.expected) << c.what;
}

TEST_F(SearchElementTest, StoredFormReadsBackTheSameCriteria)
{
    const SearchElement element = SearchElement::conjunction(
        SearchElement::Conjunction::Or,
        {person(kABBirthdayProperty, QDate(1980, 1, 1), Comparison::LessThan),
         person(kABEmailProperty, QStringLiteral("ann@work.example"), Comparison::Equal,
                kABWorkLabel),
         person(kABPersonFlags, 0x20, Comparison::BitsInBitFieldMatch)});
    const std::optional<SearchElement> copy = SearchElement::fromJson(element.toJson());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->toJson(), element.toJson());
    EXPECT_EQ(namesFound(*copy), (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob")}));
    EXPECT_FALSE(SearchElement::fromJson("{\"comparison\":\"Unknown\"}"));
    EXPECT_FALSE(SearchElement::fromJson("not json"));
}
