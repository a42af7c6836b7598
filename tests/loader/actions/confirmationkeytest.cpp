#include "loader/actions/confirmationkey.h"

#include <gtest/gtest.h>

namespace {

using confirmationkey::Key;

TEST(ConfirmationKeyTest, FixedWordsMatchWholeAndPrefixesOnlyAtTheStart)
{
    struct Case
    {
        QString text;
        std::optional<Key> key;
        QString name;
    };
    const Case cases[] = {
        {"people", Key::People, ""},
        {"companies", Key::Companies, ""},
        {"googleGoogleAllContacts", Key::AllContactsDownload, ""},
        // A group named like a key word, or holding one, is read as the group's name.
        {"removeABGroupMembers:Work people", Key::RemoveABGroupMembers, "Work people"},
        {"removeABGroup:people", Key::RemoveABGroup, "people"},
        {"removeABGroup:removeABGroup:x", Key::RemoveABGroup, "removeABGroup:x"},
        {"removeABGoogleGroup:removeABGroup:", Key::RemoveABGoogleGroup, "removeABGroup:"},
        {"googleGoogleGroupCreate:", Key::GoogleGroupCreate, ""},
        {"removeABGoogleGroupMembers:Team", Key::RemoveABGoogleGroupMembers, "Team"},
        // No key: a word with more around it, a prefix not at the start, another case.
        {"Work people", std::nullopt, ""},
        {"people ", std::nullopt, ""},
        {"xremoveABGroup:Team", std::nullopt, ""},
        {"Companies", std::nullopt, ""},
        {"", std::nullopt, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const std::optional<confirmationkey::Parsed> parsed = confirmationkey::parse(c.text);
        ASSERT_EQ(parsed.has_value(), c.key.has_value());
        if (!parsed)
            continue;
        EXPECT_EQ(parsed->key, *c.key);
        EXPECT_EQ(parsed->name, c.name);
        EXPECT_EQ(confirmationkey::text(parsed->key, parsed->name), c.text);
    }
}

} // namespace
