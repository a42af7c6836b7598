#include "tests/platform/addressbook/fullperson.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/sqlite/recordcodec.h"

#include <gtest/gtest.h>

TEST(RecordCodec, EveryValueReadsBackExactly)
{
    const PersonPtr original = fullPerson();
    const PersonPtr copy = Person::create();
    ASSERT_TRUE(RecordCodec::decodeInto(*copy, RecordCodec::encode(*original)));
    for (const QString &property : original->classProperties()) {
        if (property == kABUIDProperty)
            continue;
        EXPECT_EQ(copy->valueForProperty(property), original->valueForProperty(property))
            << property.toStdString();
    }
}

TEST(RecordCodec, APersonReadLaterHoldsEveryValueAndCanBeChanged)
{
    const PersonPtr original = fullPerson();
    const PersonPtr copy = Person::create();
    ASSERT_TRUE(RecordCodec::decodeLaterInto(*copy, RecordCodec::encode(*original)));
    ASSERT_TRUE(copy->setValueForProperty(QStringLiteral("Changed"), kABNoteProperty));
    for (const QString &property : original->classProperties()) {
        if (property == kABUIDProperty || property == kABNoteProperty)
            continue;
        EXPECT_EQ(copy->valueForProperty(property), original->valueForProperty(property))
            << property.toStdString();
    }
    EXPECT_EQ(copy->valueForProperty(kABNoteProperty), QVariant(QStringLiteral("Changed")));
}

TEST(RecordCodec, DamagedDataIsRefusedAndLeavesTheRecordAlone)
{
    const QByteArray stored = RecordCodec::encode(*fullPerson());
    QByteArray hugeCount = stored;
    hugeCount[8] = '\x7f'; // the property count's low byte
    hugeCount[15] = '\x7f';
    QList<QByteArray> damaged{stored + "trailing", hugeCount};
    for (qsizetype length = 0; length < stored.size(); ++length)
        damaged.append(stored.left(length));
    // The check made at open, before a person is decoded, refuses whatever decoding refuses.
    for (const auto decode : {&RecordCodec::decodeInto, &RecordCodec::decodeLaterInto}) {
        const PersonPtr target = Person::create();
        target->setValueForProperty(QStringLiteral("Kept"), kABFirstNameProperty);
        for (const QByteArray &data : damaged) {
            ASSERT_FALSE(decode(*target, data)) << data.size();
            ASSERT_FALSE(RecordCodec::isReadable(data, false)) << data.size();
        }
        EXPECT_EQ(target->valueForProperty(kABFirstNameProperty), QVariant(QStringLiteral("Kept")));
    }
    EXPECT_TRUE(RecordCodec::isReadable(stored, false));
}
