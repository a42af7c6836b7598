#include "tests/support/google/elementdescriptions.h"

#include "google/entries/dictionaryelements.h"
#include "platform/gdata/gdataconstants.h"

#include <QVariantMap>

#include <gtest/gtest.h>

namespace {

QVariantMap dict(std::initializer_list<std::pair<QString, QString>> pairs)
{
    QVariantMap map;
    for (const auto &[key, value] : pairs)
        map.insert(key, value);
    return map;
}

const QString kWork = QString::fromLatin1(kGDataContactWork);

// Rows of every kind: primary only on "YES", empty rel and label ignored, both kept together.
const QVariantList kRows = {
    dict({{"address", "a"}, {"isPrimary", "YES"}, {"rel", kWork}}),
    dict({{"address", "b"}, {"isPrimary", "yes"}, {"label", "Club"}, {"rel", ""}}),
    dict({{"address", "c"}, {"rel", kWork}, {"label", "Desk"}}),
    dict({{"address", ""}, {"label", ""}}),
};
const QStringList kExpected = {"a rel=work primary", "b label=Club", "c rel=work label=Desk", ""};

TEST(DictionaryElementsTest, ValueElements_OnePerDictionaryInOrder)
{
    EXPECT_EQ(describe(dictionaryelements::googleContactEmailsForArray(kRows)), kExpected);
    EXPECT_EQ(describe(dictionaryelements::googleContactPhonesForArray(kRows)), kExpected);
    EXPECT_EQ(describe(dictionaryelements::googleContactAddressesForArray(kRows)), kExpected);
    EXPECT_TRUE(dictionaryelements::googleContactEmailsForArray({}).empty());
}

TEST(DictionaryElementsTest, IMs_CarryTheirProtocol)
{
    const QVariantList rows = {
        dict({{"address", "ann"}, {"protocol", kGDataIMProtocolSkype}, {"isPrimary", "YES"}}),
        dict({{"address", "bob"}, {"label", "Games"}}),
    };
    EXPECT_EQ(describe(dictionaryelements::googleContactIMsForArray(rows)),
              (QStringList{"ann SKYPE primary", "bob  label=Games"}));
}

TEST(DictionaryElementsTest, Organizations_NameAndTitleOnlyWhenNonEmpty)
{
    const QVariantList rows = {
        dict({{"name", "Acme"}, {"title", "CEO"}, {"rel", kWork}, {"isPrimary", "YES"}}),
        dict({{"name", ""}, {"title", "Clerk"}}),
        dict({}),
    };
    EXPECT_EQ(describe(dictionaryelements::googleContactOrganizationsForArray(rows)),
              (QStringList{"name=Acme title=CEO rel=work primary", "name=(none) title=Clerk",
                           "name=(none) title=(none)"}));
}

TEST(DictionaryElementsTest, Memberships_FromTheHRef)
{
    const QVariantList rows = {dict({{"hRef", "g/1"}}), dict({{"hRef", "g/2"}})};
    EXPECT_EQ(describe(dictionaryelements::googleContactMembershipsForArray(rows)),
              (QStringList{"g/1", "g/2"}));
}

} // namespace
