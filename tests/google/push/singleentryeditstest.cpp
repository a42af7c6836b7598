#include "google/engine/googlecontacttool.h"
#include "google/push/singleentryedits.h"
#include "platform/gdata/gdataconstants.h"

#include <gtest/gtest.h>

namespace {

QVariantMap panel(const QVariantMap &values)
{
    QVariantMap dictionary{{"nameDict", QVariantMap{{"first", ""}, {"last", ""}, {"nick", ""}}},
                           {"notes", ""}};
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.key().startsWith("nameDict.")) {
            QVariantMap names = dictionary.value("nameDict").toMap();
            names.insert(it.key().mid(9), it.value());
            dictionary.insert("nameDict", names);
        } else {
            dictionary.insert(it.key(), it.value());
        }
    }
    return dictionary;
}

} // namespace

TEST(SingleEntryEdits, Titles_AreCleanedInBothForms)
{
    GoogleContactTool tool(GoogleContactTool::Role::Agent);
    struct Case
    {
        QVariantMap values;
        QString title;
    };
    const Case cases[] = {
        {{{"nameDict.first", "A"}, {"nameDict.nick", "B"}}, "A \"B\""},
        {{{"nameDict.last", "Smith"}}, "Smith"},
        {{{"nameDict.first", "Ann"}, {"nameDict.last", "Smith"}}, "Ann Smith"},
        {{{"nameDict.first", "Ann"}, {"nameDict.nick", "Nan"}, {"nameDict.last", "Smith"}},
         "Ann \"Nan\" Smith"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(singleentryedits::contactFromBrowserPanel(tool, panel(c.values), {})
                      ->title()
                      .value_or(QString()),
                  c.title);
}

TEST(SingleEntryEdits, PrimaryFlagsRelationsAndAddresses)
{
    GoogleContactTool tool(GoogleContactTool::Role::Agent);
    const GDataEntryContactPtr onlyHome = singleentryedits::contactFromBrowserPanel(
        tool,
        panel({{"homeEmail", "h@example.com"}, {"homePhone", "555"}, {"homeIM", "me"},
               {"homeIMType", -1}}),
        {});
    ASSERT_EQ(onlyHome->emailAddresses().size(), 1u);
    EXPECT_TRUE(onlyHome->emailAddresses()[0].primary);
    ASSERT_EQ(onlyHome->phoneNumbers().size(), 1u);
    EXPECT_TRUE(onlyHome->phoneNumbers()[0].primary);
    ASSERT_EQ(onlyHome->IMAddresses().size(), 1u);
    // The home handle reads back as the home handle.
    EXPECT_EQ(onlyHome->IMAddresses()[0].rel, QString::fromLatin1(kGDataContactHome));
    EXPECT_EQ(onlyHome->IMAddresses()[0].protocol, QString::fromLatin1(kGDataIMProtocolGoogleTalk));
    EXPECT_TRUE(onlyHome->IMAddresses()[0].primary);

    const GDataEntryContactPtr both = singleentryedits::contactFromBrowserPanel(
        tool,
        panel({{"workEmail", "w@example.com"}, {"homeEmail", "h@example.com"},
               {"workPhone", "1"}, {"homePhone", "2"}, {"workIM", "w"}, {"workIMType", 6},
               {"homeIM", "h"}, {"homeIMType", 0},
               {"workAddrDict", QVariantMap{{"street1", "1 Main St"}, {"street2", "Suite 2"},
                                            {"city", "Springfield"}, {"country", "USA"}}},
               {"homeAddrDict", QVariantMap{{"country", "USA"}}}}),
        {});
    EXPECT_TRUE(both->emailAddresses()[0].primary);
    EXPECT_FALSE(both->emailAddresses()[1].primary);
    EXPECT_TRUE(both->phoneNumbers()[0].primary);
    EXPECT_FALSE(both->phoneNumbers()[1].primary);
    EXPECT_EQ(both->IMAddresses()[0].protocol, QString::fromLatin1(kGDataIMProtocolSkype));
    EXPECT_EQ(both->IMAddresses()[1].protocol, QString::fromLatin1(kGDataIMProtocolAIM));
    EXPECT_FALSE(both->IMAddresses()[1].primary);
    // A country alone makes no address; the two street lines are joined.
    ASSERT_EQ(both->postalAddresses().size(), 1u);
    EXPECT_EQ(both->postalAddresses()[0].stringValue,
              QStringLiteral("1 Main St\rSuite 2\rSpringfield    \rUSA"));
    EXPECT_TRUE(both->postalAddresses()[0].primary);
}

TEST(SingleEntryEdits, StreetKeys)
{
    EXPECT_EQ(singleentryedits::streetOfAddress({{"street", "One"}}), "One");
    EXPECT_EQ(singleentryedits::streetOfAddress({{"street1", "One"}, {"street2", ""}}), "One");
    EXPECT_EQ(singleentryedits::streetOfAddress({{"street1", "One"}, {"street2", "Two"}}),
              "One\rTwo");
}

TEST(SingleEntryEdits, AllNeverBecomesAMembership)
{
    GoogleContactTool tool(GoogleContactTool::Role::Agent);
    const GDataEntryContactPtr entry = singleentryedits::contactFromBrowserPanel(
        tool, panel({}), {QStringLiteral("All"), QStringLiteral("http://groups/1")});
    std::vector<QString> hrefs;
    for (const GDataGroupMembershipInfo &info : entry->groupMembershipInfos())
        hrefs.push_back(info.href);
    EXPECT_EQ(hrefs, std::vector<QString>{QStringLiteral("http://groups/1")});
}
