#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/abconstants.h"

#include <QElapsedTimer>
#include <QSet>

#include <gtest/gtest.h>

TEST(MultiValue, AddedEntriesGetDistinctIdentifiersAndNoPrimary)
{
    MutableMultiValue value(PropertyType::MultiString);
    const QString first = value.addValue(QStringLiteral("a@example.com"), kABHomeLabel);
    const QString second = value.addValue(QStringLiteral("b@example.com"), QStringLiteral("Boat"));

    ASSERT_FALSE(first.isEmpty());
    EXPECT_NE(first, second);
    EXPECT_EQ(value.count(), 2);
    EXPECT_EQ(value.indexForIdentifier(second), 1);
    EXPECT_EQ(value.labelAt(1), QStringLiteral("Boat"));
    EXPECT_TRUE(value.primaryIdentifier().isNull());
    EXPECT_EQ(value.indexForIdentifier(QStringLiteral("unknown")), -1);
}

TEST(MultiValue, InvalidValuesAndIndexesAreRefused)
{
    MutableMultiValue value(PropertyType::MultiString);
    EXPECT_TRUE(value.addValue(QVariant(), kABHomeLabel).isNull());
    EXPECT_TRUE(value.insertValue(QStringLiteral("x"), kABHomeLabel, 1).isNull());
    EXPECT_FALSE(value.replaceValueAt(0, QStringLiteral("x")));
    EXPECT_FALSE(value.replaceLabelAt(-1, kABWorkLabel));
    EXPECT_FALSE(value.removeAt(0));
    EXPECT_FALSE(value.setPrimaryIdentifier(QStringLiteral("nope")));
    EXPECT_FALSE(value.valueAt(3).isValid());
    EXPECT_EQ(value.count(), 0);
}

TEST(MultiValue, MutableCopyKeepsIdentifiersAndPrimary)
{
    MutableMultiValue value(PropertyType::MultiString);
    value.addValue(QStringLiteral("1"), kABWorkLabel);
    const QString id = value.addValue(QStringLiteral("2"), kABHomeLabel);
    ASSERT_TRUE(value.setPrimaryIdentifier(id));
    const MultiValue frozen = value;

    MutableMultiValue copy = frozen.mutableCopy();
    EXPECT_EQ(copy.entries(), frozen.entries());
    EXPECT_EQ(copy.primaryIdentifier(), id);

    copy.insertValue(QStringLiteral("0"), kABOtherLabel, 0);
    EXPECT_EQ(copy.indexForIdentifier(id), 2);
    EXPECT_EQ(frozen.count(), 2);
}

TEST(MultiValue, RemovingThePrimaryEntryClearsThePrimary)
{
    MutableMultiValue value(PropertyType::MultiString);
    const QString id = value.addValue(QStringLiteral("1"), kABWorkLabel);
    value.setPrimaryIdentifier(id);
    ASSERT_TRUE(value.removeAt(0));
    EXPECT_TRUE(value.primaryIdentifier().isNull());
}

TEST(MultiValue, VariantOfEitherClassReadsBack)
{
    MutableMultiValue value(PropertyType::MultiString);
    value.addValue(QStringLiteral("1"), kABWorkLabel);
    const QVariant mutableVariant = QVariant::fromValue(value);
    const QVariant frozenVariant = QVariant::fromValue(MultiValue(value));

    EXPECT_TRUE(variantHoldsMultiValue(mutableVariant));
    EXPECT_TRUE(variantHoldsMultiValue(frozenVariant));
    EXPECT_FALSE(variantHoldsMultiValue(QStringLiteral("1")));
    EXPECT_EQ(multiValueFromVariant(mutableVariant), MultiValue(value));
    EXPECT_EQ(multiValueFromVariant(frozenVariant), MultiValue(value));
}

TEST(MultiValue, AddingManyEntriesTakesTimeInProportionToTheirNumber)
{
    // A card from a broken export can hold 100,000 e-mail entries; looking through every entry
    // for each new identifier took half a minute.
    constexpr int kEntries = 100000;
    QElapsedTimer timer;
    timer.start();
    MutableMultiValue values(PropertyType::MultiString);
    for (int i = 0; i < kEntries; ++i)
        values.addValue(QStringLiteral("a%1@example.com").arg(i), kABWorkLabel);
    EXPECT_LT(timer.elapsed(), 20000);
    QSet<QString> identifiers;
    for (const MultiValueEntry &entry : values.entries())
        identifiers.insert(entry.identifier);
    EXPECT_EQ(identifiers.size(), kEntries);

    // A copy taken from stored entries goes on with identifiers of its own.
    MutableMultiValue copy = MultiValue(values).mutableCopy();
    const QString added = copy.addValue(QStringLiteral("last@example.com"), kABHomeLabel);
    EXPECT_FALSE(identifiers.contains(added));
    EXPECT_EQ(copy.count(), kEntries + 1);
}
