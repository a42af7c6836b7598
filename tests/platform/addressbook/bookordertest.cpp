#include "addressbookfixture.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/searchelement.h"

namespace {

// Which of the first records added are removed again, by their place among them.
struct RemovalCase
{
    const char *name;
    QList<int> removed;
};

const RemovalCase kRemovalCases[] = {
    {"none", {}},
    {"one in the middle", {4}},
    {"every other", {0, 2, 4, 6, 8, 10}},
    {"all but the last", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    {"the first half", {0, 1, 2, 3, 4, 5}},
};

template <typename Records> QStringList idsOf(const Records &records)
{
    QStringList ids;
    for (const auto &record : records)
        ids.append(record->uniqueId());
    return ids;
}

} // namespace

using BookOrderTest = AddressBookFixture;

TEST_F(BookOrderTest, PeopleAndGroupsKeepTheOrderTheyWereAddedInThroughRemovals)
{
    for (const RemovalCase &removal : kRemovalCases) {
        SCOPED_TRACE(removal.name);
        const QString path = m_dir.filePath(QString::fromLatin1(removal.name) + ".sqlite");
        auto book = std::make_unique<AddressBook>(path, 100, QStringLiteral("Tolvane"));
        QStringList people = idsOf(book->people()); // Me
        QStringList groups;
        // People and groups in turn, a group after every third person.
        QList<RecordPtr> added;
        for (int i = 0; i < 12; ++i) {
            RecordPtr record;
            if (i % 4 == 3)
                record = Group::create();
            else
                record = Person::create();
            record->setValueForProperty(QStringLiteral("Name %1").arg(i),
                                        record->recordClass() == RecordClass::Group
                                            ? kABGroupNameProperty
                                            : kABFirstNameProperty);
            ASSERT_TRUE(book->addRecord(record));
            added.append(record);
        }
        for (int i : removal.removed)
            ASSERT_TRUE(book->removeRecord(added.at(i)));
        for (int i = 0; i < added.size(); ++i) {
            if (removal.removed.contains(i))
                continue;
            (added.at(i)->recordClass() == RecordClass::Group ? groups : people)
                .append(added.at(i)->uniqueId());
        }
        const PersonPtr later = Person::create();
        later->setValueForProperty(QStringLiteral("Later"), kABFirstNameProperty);
        const GroupPtr laterGroup = Group::create();
        book->addRecord(later);
        book->addRecord(laterGroup);
        people.append(later->uniqueId());
        groups.append(laterGroup->uniqueId());

        EXPECT_EQ(idsOf(book->people()), people);
        EXPECT_EQ(idsOf(book->groups()), groups);
        // A search walks the same order.
        const SearchElement everyPerson =
            SearchElement::forProperty(RecordClass::Person, kABFirstNameProperty, {}, {}, {},
                                       SearchElement::Comparison::NotEqual);
        EXPECT_EQ(idsOf(book->recordsMatchingSearchElement(everyPerson)), people);
    }
}
