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

TEST(RecordCodec, DamagedDataIsRefusedAndLeavesTheRecordAlone)
{
    const QByteArray stored = RecordCodec::encode(*fullPerson());
    const PersonPtr target = Person::create();
    target->setValueForProperty(QStringLiteral("Kept"), kABFirstNameProperty);
    for (qsizetype length = 0; length < stored.size(); ++length)
        ASSERT_FALSE(RecordCodec::decodeInto(*target, stored.left(length))) << length;
    EXPECT_FALSE(RecordCodec::decodeInto(*target, stored + "trailing"));
    QByteArray hugeCount = stored;
    hugeCount[8] = '\x7f'; // the property count's low byte
    hugeCount[15] = '\x7f';
    EXPECT_FALSE(RecordCodec::decodeInto(*target, hugeCount));
    EXPECT_EQ(target->valueForProperty(kABFirstNameProperty), QVariant(QStringLiteral("Kept")));
}
