#pragma once

#include <QString>

#include <optional>

// The confirmation key a confirmed batch action stores in the preference contextString before its
// sheet opens, and that the sheet's handler reads back. Fourteen keys are fixed words; seven are a
// prefix ending in ":" followed by a group name, which may itself hold any text, a prefix or a key
// word included.
namespace confirmationkey {

enum class Key {
    // Group deletions.
    SmartGroups,
    ManualGroups,
    RemoveABGroup,       // + name
    RemoveABGoogleGroup, // + name
    RemoveABAllGoogleGroups,
    // Record deletions.
    RemoveABGroupMembers, // + name
    Companies,
    People,
    RemoveABGoogleGroupMembers, // + name
    AllGoogleContacts,
    AllGoogleEmailOnlyContacts,
    AllGoogleNoGroupContacts,
    // Downloads.
    GoogleGroupMemberDownload, // + name
    NoGroupDownload,
    OnlyEmailDownload,
    AllContactsDownload,
    ABGroupMemberDownload, // + name
    CompaniesDownload,
    PeopleDownload,
    GoogleGroupCreate, // + name
    AllGroupsDownload,
};

struct Parsed
{
    Key key;
    QString name; // empty for a fixed word
};

// The stored text of the key.
QString text(Key key, const QString &name = QString());
// A fixed word matches only whole, a prefix only at the start, and the name is everything after
// the prefix. Nothing for a text that is no key.
std::optional<Parsed> parse(const QString &text);

} // namespace confirmationkey
