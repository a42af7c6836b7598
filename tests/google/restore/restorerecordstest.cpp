#include "google/restore/restorerecords.h"

#include "foundation/propertylist.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const QString kOwn = QStringLiteral("tolvaneContact");

QVariantMap archivedProperty(const QString &name, const QVariantMap &xml, const QString &value = {})
{
    QVariantMap property{{"name", name}, {"value", value}};
    if (!xml.isEmpty())
        property.insert("XMLValue", xml);
    return property;
}

std::map<QString, QString> elements(const GDataExtendedProperty &property)
{
    std::map<QString, QString> out;
    for (const auto &[key, text] : property.XMLValues())
        out[key] = text;
    return out;
}

TEST(RestoredPropertiesTest, OwnElementsComeBackWithoutMaskAndAsOfAndOthersAsArchived)
{
    const QVariantList archived{
        archivedProperty("otherProgram", {{"note", "Smith &amp; Co <b>"}}),
        archivedProperty(kOwn, {{"aID", "X:ABPerson"},
                                {"dm11111111110310", "2009-03-14 15:09:26 -0700"},
                                {"asOf", "2009-03-14 15:09:26 -0700"},
                                {"gID", "old"},
                                {"gT", "M"}}),
        archivedProperty("valueOnly", {}, "plain")};
    bool kept = false;
    const std::vector<GDataExtendedProperty> restored =
        restorerecords::restoredProperties(archived, kOwn, QStringLiteral("archived-id"), &kept);
    ASSERT_EQ(restored.size(), 3u);
    EXPECT_TRUE(kept);
    EXPECT_EQ(restored[0].name(), kOwn);
    EXPECT_EQ(elements(restored[0]), (std::map<QString, QString>{
                                         {"aID", "X:ABPerson"}, {"gT", "M"}, {"gID", "archived-id"}}));
    EXPECT_EQ(restored[1].name(), "otherProgram");
    // Held unescaped, as the archive has it: the writer escapes once.
    EXPECT_EQ(elements(restored[1]), (std::map<QString, QString>{{"note", "Smith &amp; Co <b>"}}));
    EXPECT_EQ(restored[2].value(), QStringLiteral("plain"));
    EXPECT_TRUE(restored[2].XMLValues().empty());
}

TEST(RestoredPropertiesTest, TheLinkNeedsRoomBesideTheOtherProperties)
{
    struct Case
    {
        const char *name;
        int others;
        bool withOwn;
        size_t expectedCount;
        bool expectedOwnKept;
    };
    const Case cases[] = {
        {"nine others and the link", 9, false, 10, true},
        {"ten others, no room for the link", 10, false, 10, false},
        {"eleven others are cut to ten", 11, true, 10, false},
        {"only the link", 0, false, 1, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QVariantList archived;
        for (int i = 0; i < c.others; ++i)
            archived << archivedProperty(QStringLiteral("p%1").arg(i), {{"v", "1"}});
        if (c.withOwn)
            archived << archivedProperty(kOwn, {{"aID", "Y:ABPerson"}});
        bool kept = false;
        const auto restored = restorerecords::restoredProperties(archived, kOwn, QStringLiteral("id"), &kept);
        EXPECT_EQ(restored.size(), c.expectedCount);
        EXPECT_EQ(kept, c.expectedOwnKept);
        const bool hasOwn = std::any_of(restored.begin(), restored.end(),
                                        [](const GDataExtendedProperty &p) { return p.name() == kOwn; });
        EXPECT_EQ(hasOwn, c.expectedOwnKept);
    }
}

TEST(RestoreRecordsTest, BatchIdentifierPrefersTheRecordIdentifier)
{
    struct Case
    {
        QString aID;
        QString identifier;
        QString expected;
    };
    const Case cases[] = {
        {"A:ABPerson", "http://g/m8/feeds/contacts/x/base/12", "A:ABPerson"},
        {"", "http://g/m8/feeds/contacts/x/base/12", "12"},
        {"", "opaque-identifier", "opaque-identifier"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(restorerecords::batchIDFor(c.aID, c.identifier), c.expected) << c.identifier.toStdString();
}

TEST(RestoreRecordsTest, AContactListIsTakenOnlyWhenEveryRecordCarriesItsTexts)
{
    struct Case
    {
        const char *name;
        QVariant list;
        bool taken;
    };
    const Case cases[] = {
        {"records with identifier and name", QVariantList{QVariantMap{{"identifier", "a"}, {"name", ""}}}, true},
        {"an empty list", QVariantList{}, true},
        {"a record without name", QVariantList{QVariantMap{{"identifier", "a"}}}, false},
        {"a name that is a number", QVariantList{QVariantMap{{"identifier", "a"}, {"name", 3}}}, false},
        {"an empty identifier", QVariantList{QVariantMap{{"identifier", ""}, {"name", "n"}}}, false},
        {"a text among records", QVariantList{QVariantMap{{"identifier", "a"}, {"name", "n"}}, "x"}, false},
        {"a dictionary", QVariantMap{{"identifier", "a"}, {"name", "n"}}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        const auto list = restorerecords::readContactList(*propertylist::xmlData(c.list, nullptr), &error);
        EXPECT_EQ(list.has_value(), c.taken);
        EXPECT_EQ(error.isEmpty(), c.taken);
    }
    QString error;
    EXPECT_FALSE(restorerecords::readGroupList("not a list", &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
