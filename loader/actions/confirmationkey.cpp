#include "loader/actions/confirmationkey.h"

#include <array>
#include <utility>

namespace confirmationkey {

namespace {

struct Spelling
{
    Key key;
    const char16_t *text;
    bool prefix;
};

constexpr std::array<Spelling, 21> kSpellings{{
    {Key::SmartGroups, u"smartgroups", false},
    {Key::ManualGroups, u"manualgroups", false},
    {Key::RemoveABGroup, u"removeABGroup:", true},
    {Key::RemoveABGoogleGroup, u"removeABGoogleGroup:", true},
    {Key::RemoveABAllGoogleGroups, u"removeABAllGoogleGroups", false},
    {Key::RemoveABGroupMembers, u"removeABGroupMembers:", true},
    {Key::Companies, u"companies", false},
    {Key::People, u"people", false},
    {Key::RemoveABGoogleGroupMembers, u"removeABGoogleGroupMembers:", true},
    {Key::AllGoogleContacts, u"AllGoogleContacts", false},
    {Key::AllGoogleEmailOnlyContacts, u"AllGoogleEmailOnlyContacts", false},
    {Key::AllGoogleNoGroupContacts, u"AllGoogleNoGroupContacts", false},
    {Key::GoogleGroupMemberDownload, u"googleGoogleGroupMemberDownload:", true},
    {Key::NoGroupDownload, u"googleNoGroupDownload", false},
    {Key::OnlyEmailDownload, u"googleOnlyEmailDownload", false},
    {Key::AllContactsDownload, u"googleGoogleAllContacts", false},
    {Key::ABGroupMemberDownload, u"googleABGroupMemberDownload:", true},
    {Key::CompaniesDownload, u"googleCompaniesDownload", false},
    {Key::PeopleDownload, u"googlePeopleDownload", false},
    {Key::GoogleGroupCreate, u"googleGoogleGroupCreate:", true},
    {Key::AllGroupsDownload, u"googleGoogleAllGroups", false},
}};

} // namespace

QString text(Key key, const QString &name)
{
    for (const Spelling &spelling : kSpellings) {
        if (spelling.key == key)
            return QString::fromUtf16(spelling.text) + (spelling.prefix ? name : QString());
    }
    return QString();
}

std::optional<Parsed> parse(const QString &text)
{
    for (const Spelling &spelling : kSpellings) {
        const QString word = QString::fromUtf16(spelling.text);
        if (spelling.prefix ? text.startsWith(word) : text == word)
            return Parsed{spelling.key, spelling.prefix ? text.mid(word.size()) : QString()};
    }
    return std::nullopt;
}

} // namespace confirmationkey
