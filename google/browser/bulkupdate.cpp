#include "google/browser/bulkupdate.h"

#include "foundation/text/zeltorstring.h"
#include "google/browser/bulkupdatekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <functional>
#include <optional>
#include <vector>

namespace {

enum FieldTag { Title, OrgName, OrgTitle, Email, Phone, Address, Notes };

bool matches(const QString &value, const bulkupdate::Settings &settings)
{
    // Qt finds the empty string in every text: an empty find string would replace nothing, yet
    // report every contact changed.
    if (settings.find.isEmpty())
        return false;
    return value.contains(settings.find,
                          settings.ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

// The new value of one value, or nothing when it stays.
std::optional<QString> changed(const QString &value, const bulkupdate::Settings &settings)
{
    if (value.isEmpty())
        return settings.addIfEmpty ? std::optional<QString>(settings.replace) : std::nullopt;
    if (!matches(value, settings))
        return std::nullopt;
    return zeltor::replaceAllX(value, settings.find, settings.replace, settings.ignoreCase);
}

// Visits every element's value; with none, one element is made from the replace string when the
// settings add to empty fields.
template <class Element, class Get, class Set, class Make>
bool updateElements(std::vector<Element> elements, const bulkupdate::Settings &settings, Get get,
                    Set set, Make make, const std::function<void(std::vector<Element>)> &store)
{
    if (elements.empty()) {
        if (!settings.addIfEmpty)
            return false;
        elements.push_back(make(settings.replace));
        store(std::move(elements));
        return true;
    }
    bool any = false;
    for (Element &element : elements) {
        if (const std::optional<QString> value = changed(get(element), settings)) {
            set(element, *value);
            any = true;
        }
    }
    if (any)
        store(std::move(elements));
    return any;
}

} // namespace

namespace bulkupdate {

Settings settingsFromPreferences()
{
    UserDefaults &ud = UserDefaults::standard();
    return Settings{int(ud.integerForKey(bulkupdatekeys::bulkFieldTag)),
                    ud.stringForKey(bulkupdatekeys::bulkFindString),
                    ud.stringForKey(bulkupdatekeys::bulkReplaceString),
                    ud.boolForKey(bulkupdatekeys::bulkIgnoreCase),
                    ud.boolForKey(bulkupdatekeys::bulkAddIfEmpty)};
}

bool bulkUpdateContact(GDataEntryContact &contact, const Settings &settings)
{
    switch (settings.fieldTag) {
    case Title:
        if (const auto value = changed(contact.title().value_or(QString()), settings)) {
            contact.setTitle(*value);
            return true;
        }
        return false;
    case Notes:
        if (const auto value = changed(contact.content().value_or(QString()), settings)) {
            contact.setContentWithString(*value);
            return true;
        }
        return false;
    case OrgName:
    case OrgTitle: {
        const auto field = settings.fieldTag == OrgName ? &GDataOrganization::orgName
                                                        : &GDataOrganization::orgTitle;
        return updateElements<GDataOrganization>(
            contact.organizations(), settings,
            [&](const GDataOrganization &org) { return (org.*field).value_or(QString()); },
            [&](GDataOrganization &org, const QString &value) { org.*field = value; },
            [&](const QString &value) {
                GDataOrganization org = GDataOrganization::organizationWithName(
                    settings.fieldTag == OrgName ? value : QString());
                if (settings.fieldTag == OrgTitle)
                    org.orgTitle = value;
                return org;
            },
            [&](std::vector<GDataOrganization> orgs) {
                contact.setOrganizations(std::move(orgs));
            });
    }
    case Email:
        return updateElements<GDataEmail>(
            contact.emailAddresses(), settings,
            [](const GDataEmail &email) { return email.address; },
            [](GDataEmail &email, const QString &value) { email.address = value; },
            [](const QString &value) {
                GDataEmail email = GDataEmail::emailWithLabel(std::nullopt, value);
                email.rel = QString::fromLatin1(kGDataContactWork);
                return email;
            },
            [&](std::vector<GDataEmail> emails) { contact.setEmailAddresses(std::move(emails)); });
    case Phone:
        return updateElements<GDataPhoneNumber>(
            contact.phoneNumbers(), settings,
            [](const GDataPhoneNumber &phone) { return phone.stringValue; },
            [](GDataPhoneNumber &phone, const QString &value) { phone.stringValue = value; },
            [](const QString &value) { return GDataPhoneNumber::phoneNumberWithString(value); },
            [&](std::vector<GDataPhoneNumber> phones) {
                contact.setPhoneNumbers(std::move(phones));
            });
    case Address:
        return updateElements<GDataPostalAddress>(
            contact.postalAddresses(), settings,
            [](const GDataPostalAddress &address) { return address.stringValue; },
            [](GDataPostalAddress &address, const QString &value) { address.stringValue = value; },
            [](const QString &value) { return GDataPostalAddress::postalAddressWithString(value); },
            [&](std::vector<GDataPostalAddress> addresses) {
                contact.setPostalAddresses(std::move(addresses));
            });
    default:
        return false;
    }
}

} // namespace bulkupdate
