#include "google/browser/contactmerge.h"

#include "foundation/text/textdate.h"
#include "platform/gdata/gdataconstants.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace {

const QString kReturn = QStringLiteral("\r");

template <class Element, class Key>
QStringList keysOf(const std::vector<Element> &elements, Key key)
{
    QStringList keys;
    for (const Element &element : elements)
        keys << key(element);
    return keys;
}

// The contact's values that the master lacks, each once, in the contact's order.
QStringList missing(const QStringList &contactValues, const QStringList &masterValues)
{
    QStringList values;
    for (const QString &value : contactValues) {
        if (!masterValues.contains(value) && !values.contains(value))
            values << value;
    }
    return values;
}

// The contact's elements whose value the master lacks, one per value, each given to add.
template <class Element, class Key, class Add>
QStringList addMissing(const std::vector<Element> &contactElements,
                       const std::vector<Element> &masterElements, Key key, Add add)
{
    const QStringList values = missing(keysOf(contactElements, key), keysOf(masterElements, key));
    QStringList added;
    for (const Element &element : contactElements) {
        const QString value = key(element);
        if (values.contains(value) && !added.contains(value)) {
            add(element);
            added << value;
        }
    }
    return added;
}

std::optional<QString> nonEmpty(const std::optional<QString> &text)
{
    return text && !text->isEmpty() ? text : std::nullopt;
}

// An organisation without a name (or title) gives an absent member, which the master's own
// absent member cancels.
std::vector<std::optional<QString>>
missingMembers(const std::vector<GDataOrganization> &contactOrgs,
               const std::vector<GDataOrganization> &masterOrgs,
               std::optional<QString> GDataOrganization::*field)
{
    auto has = [](const std::vector<std::optional<QString>> &set,
                  const std::optional<QString> &member) {
        for (const std::optional<QString> &m : set) {
            if (m == member)
                return true;
        }
        return false;
    };
    std::vector<std::optional<QString>> masterSet;
    for (const GDataOrganization &org : masterOrgs)
        masterSet.push_back(nonEmpty(org.*field));
    std::vector<std::optional<QString>> members;
    for (const GDataOrganization &org : contactOrgs) {
        const std::optional<QString> member = nonEmpty(org.*field);
        if (!has(masterSet, member) && !has(members, member))
            members.push_back(member);
    }
    return members;
}

GDataOrganization workOrganization(const QString &name, const std::optional<QString> &title)
{
    GDataOrganization org = GDataOrganization::organizationWithName(name);
    org.rel = QString::fromLatin1(kGDataContactWork);
    org.orgTitle = title;
    return org;
}

// Adds the paired organisations; their note lines, every one of them.
QString mergeOrganizations(const GDataEntryContact &contact, GDataEntryContact &master)
{
    const auto names = missingMembers(contact.organizations(), master.organizations(),
                                      &GDataOrganization::orgName);
    const auto titles = missingMembers(contact.organizations(), master.organizations(),
                                       &GDataOrganization::orgTitle);
    QString text;
    if (names.size() < titles.size()) {
        for (size_t i = 0; i < titles.size(); ++i) {
            const QString name = i < names.size() ? names[i].value_or(QString()) : QString();
            const QString title = titles[i].value_or(QString());
            master.addOrganization(workOrganization(name, titles[i]));
            text += name + title + kReturn;
        }
        return text;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        const QString name = names[i].value_or(QString());
        const std::optional<QString> title = i < titles.size() ? titles[i] : std::nullopt;
        master.addOrganization(workOrganization(name, title));
        text += name + (title ? QStringLiteral(" - ") + *title : QString()) + kReturn;
    }
    return text;
}

QString mergeGroups(const GDataEntryContact &contact, GDataEntryContact &master,
                    const contactmerge::Settings &settings)
{
    const QStringList added = addMissing(
        contact.groupMembershipInfos(), master.groupMembershipInfos(),
        [](const GDataGroupMembershipInfo &info) { return info.href; },
        [&](const GDataGroupMembershipInfo &info) {
            master.addGroupMembershipInfo(
                GDataGroupMembershipInfo::groupMembershipInfoWithHref(info.href));
        });
    QString text;
    for (const QString &href : added)
        text += (settings.groupTitle ? settings.groupTitle(href) : QString()) + kReturn;
    return text;
}

void appendNotes(GDataEntryContact &master, const QString &text)
{
    const QString notes = master.content().value_or(QString());
    master.setContentWithString(notes.isEmpty() ? text : notes + kReturn + text);
}

} // namespace

namespace contactmerge {

void merge(const GDataEntryContact &contact, GDataEntryContact &master, const Settings &settings)
{
    QString groups;
    if (settings.includeMergeGroups && !contact.groupMembershipInfos().empty())
        groups = mergeGroups(contact, master, settings);

    std::vector<GDataEmail> emails = master.emailAddresses();
    const QString emailText = addMissing(
                                  contact.emailAddresses(), master.emailAddresses(),
                                  [](const GDataEmail &email) { return email.address; },
                                  [&](const GDataEmail &email) {
                                      GDataEmail fresh =
                                          GDataEmail::emailWithLabel(email.label, email.address);
                                      if (nonEmpty(email.rel))
                                          fresh.rel = email.rel;
                                      emails.push_back(fresh);
                                  })
                                  .join(kReturn);
    master.setEmailAddresses(emails);

    std::vector<GDataPhoneNumber> phones = master.phoneNumbers();
    const QString phoneText =
        addMissing(
            contact.phoneNumbers(), master.phoneNumbers(),
            [](const GDataPhoneNumber &phone) { return phone.stringValue; },
            [&](const GDataPhoneNumber &phone) {
                GDataPhoneNumber fresh = GDataPhoneNumber::phoneNumberWithString(phone.stringValue);
                fresh.label = nonEmpty(phone.label);
                fresh.rel = nonEmpty(phone.rel);
                phones.push_back(fresh);
            })
            .join(kReturn);
    master.setPhoneNumbers(phones);

    std::vector<GDataPostalAddress> addresses = master.postalAddresses();
    const QString addressText =
        addMissing(
            contact.postalAddresses(), master.postalAddresses(),
            [](const GDataPostalAddress &address) { return address.stringValue; },
            [&](const GDataPostalAddress &address) {
                GDataPostalAddress fresh =
                    GDataPostalAddress::postalAddressWithString(address.stringValue);
                fresh.label = nonEmpty(address.label);
                fresh.rel = nonEmpty(address.rel);
                addresses.push_back(fresh);
            })
            .join(kReturn + kReturn);
    master.setPostalAddresses(addresses);

    std::vector<GDataIM> ims = master.IMAddresses();
    const QString imText =
        addMissing(
            contact.IMAddresses(), master.IMAddresses(),
            [](const GDataIM &im) { return im.address; },
            [&](const GDataIM &im) {
                ims.push_back(GDataIM::IMWithProtocol(im.protocol, im.rel, im.label, im.address));
            })
            .join(kReturn);
    master.setIMAddresses(ims);

    const QString orgText = mergeOrganizations(contact, master);

    const QString contactNotes = contact.content().value_or(QString());
    const QString masterNotes = master.content().value_or(QString());
    const QString keptNotes =
        !contactNotes.isEmpty() && !masterNotes.contains(contactNotes, Qt::CaseInsensitive)
            ? contactNotes
            : QString();
    const QString name = contact.title().value_or(QString());

    if (!settings.includeMergeInfo) {
        // The contact is deleted after the merge: its notes would be lost with it.
        if (!keptNotes.isEmpty())
            appendNotes(master, keptNotes);
        return;
    }
    QString note = QStringLiteral("** merged ") + textdate::format(settings.now) + kReturn;
    const std::pair<QString, QString> lines[] = {
        {QStringLiteral("name: %1\r"), name},
        {QStringLiteral("Organization: %1\r"), orgText},
        {QStringLiteral("Email: %1\r"), emailText},
        {QStringLiteral("Phone: %1\r"), phoneText},
        {QStringLiteral("IM: %1\r"), imText},
        {QStringLiteral("Address: %1\r"), addressText},
        {QStringLiteral("Groups: %1\r"), settings.includeMergeGroups ? groups : QString()},
        {QStringLiteral("Notes: %1\r"), keptNotes},
    };
    for (const auto &[format, text] : lines) {
        if (!text.isEmpty())
            note += format.arg(text);
    }
    appendNotes(master, note);
}

} // namespace contactmerge
