#include "app/menus/forwardedcommands.h"

namespace forwardedcommands {

namespace {

struct Entry
{
    const char *command;
    const char *sentAs; // null: the same name
    Sender sender;
};

constexpr Sender kItem = Sender::MenuItem;
constexpr Sender kDelegate = Sender::ApplicationDelegate;

constexpr Entry kTable[] = {
    {"uploadFromABGoogleGroupMembers:", nullptr, kItem},
    {"uploadFromABAllGoogleContacts:", nullptr, kItem},
    {"uploadFromABABGMs:", "uploadFromABABGroupMembers:", kItem},
    {"uploadFromABAllCompanies:", nullptr, kItem},
    {"uploadFromABAllPeople:", nullptr, kItem},
    {"uploadFromABABGroup:", nullptr, kItem},
    {"uploadFromABAllManualGroups:", nullptr, kItem},
    {"uploadFromABAllSmartGroups:", nullptr, kItem},
    {"removeABAllGoogleGroups:", nullptr, kItem},
    {"removeABAllGoogleContacts:", nullptr, kItem},
    {"removeABGoogleGroup:", nullptr, kItem},
    {"removeABGoogleGroupMembers:", nullptr, kItem},
    {"removeABGoogleOnlyEmailContacts:", nullptr, kItem},
    {"removeABGoogleNoGroupContacts:", nullptr, kItem},
    {"removeABAllSmartGroups:", nullptr, kItem},
    {"removeABAllManualGroups:", nullptr, kItem},
    {"removeABGroup:", nullptr, kItem},
    {"removeABGroupMembers:", nullptr, kItem},
    {"removeABAllPeople:", nullptr, kDelegate},
    {"removeABAllCompanies:", nullptr, kDelegate},
    {"removeGoogleGoogleGroupMembers:", nullptr, kItem},
    {"removeGoogleGroupMembers:", "removeGoogleGoogleGroupMembers:", kItem},
    {"removeGoogleGoogleOnlyEmailContacts:", nullptr, kDelegate},
    {"removeAllGoogleOnlyEmailContacts:", "removeGoogleGoogleOnlyEmailContacts:", kDelegate},
    {"removeGoogleGoogleNoGroupContacts:", nullptr, kDelegate},
    {"removeGoogleAllGoogleContacts:", nullptr, kDelegate},
    {"removeGoogleAllContacts:", "removeGoogleAllGoogleContacts:", kDelegate},
    {"removeGoogleABGroupMembers:", nullptr, kItem},
    {"removeGoogleAllPeople:", nullptr, kDelegate},
    {"removeGoogleAllCompanies:", nullptr, kDelegate},
    {"removeGoogleAllGoogleGroups:", nullptr, kDelegate},
    {"removeGoogleAllGroups:", "removeGoogleAllGoogleGroups:", kDelegate},
    {"removeGoogleGoogleGroup:", nullptr, kItem},
    {"removeGoogleGroup:", "removeGoogleGoogleGroup:", kItem},
    {"downloadFromGoogleGoogleGroupMembers:", nullptr, kItem},
    {"downloadFromGoogleNoGroupContacts:", nullptr, kItem},
    {"downloadFromGoogleOnlyEmailContacts:", nullptr, kItem},
    {"downloadFromGoogleAllGoogleContacts:", nullptr, kItem},
    {"downloadFromGoogleABGroupMembers:", nullptr, kItem},
    {"downloadFromGoogleCompanies:", nullptr, kItem},
    {"downloadFromGooglePeople:", nullptr, kItem},
    {"downloadFromGoogleGoogleGroup:", nullptr, kItem},
    {"downloadFromGoogleAllGroups:", nullptr, kItem},
};

} // namespace

std::optional<Forwarded> lookup(const QString &command)
{
    for (const Entry &entry : kTable) {
        if (command == QLatin1String(entry.command))
            return Forwarded{QLatin1String(entry.sentAs ? entry.sentAs : entry.command),
                             entry.sender};
    }
    return std::nullopt;
}

} // namespace forwardedcommands
