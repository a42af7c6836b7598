#include "google/upload/contactupdate.h"

#include "addressbook/fields/persontitle.h"
#include "addressbook/fields/personurls.h"
#include "addressbook/records/recordlookup.h"
#include "google/engine/googlekeys.h"
#include "google/entries/extendedproperty.h"
#include "google/entries/lineends.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/workorganization.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <optional>
#include <vector>

namespace contactupdate {
namespace {

using contactfields::Field;

const QString kReturn = QStringLiteral("\r");

struct Options
{
    bool name = false;
    bool company = false;
    bool notes = false;
    bool appendNotes = false;
    bool jobTitle = false;
    bool urlsInNotes = false;
    QString tag;
};

Options readOptions()
{
    UserDefaults &defaults = UserDefaults::standard();
    Options options;
    options.name = defaults.boolForKey(googlekeys::gmUpdateName);
    options.company = defaults.boolForKey(googlekeys::gmUpdateCompany);
    options.notes = defaults.boolForKey(googlekeys::gmUpdateNotes);
    options.appendNotes = defaults.boolForKey(googlekeys::gmUpdateAppendNotes);
    options.jobTitle = defaults.boolForKey(googlekeys::gmUpdateTitle);
    options.urlsInNotes = defaults.boolForKey(googlekeys::gmUpdateIncludeURLsInNotes);
    options.tag = defaults.stringForKey(googlekeys::gmTagForCreatedRecords);
    return options;
}

struct OrganizationFacts
{
    QString organization;
    QString job;
    bool jobCarried = false;
};

std::optional<QString> carriedJob(const OrganizationFacts &facts)
{
    return facts.jobCarried ? std::optional<QString>(facts.job) : std::nullopt;
}

// Marks the organisation primary; the others lose the mark, since a contact has at most one
// primary organisation.
void makeOnlyPrimary(std::vector<GDataOrganization> &organizations, std::size_t index)
{
    for (std::size_t i = 0; i < organizations.size(); ++i)
        organizations[i].primary = i == index;
    organizations[index].rel = QString::fromLatin1(kGDataContactWork);
}

// A contact with one organisation: it takes the new name when its name differs from the person's
// organisation, and the job when that is carried and differs.
void updateSingleOrganization(GDataOrganization &organization, const OrganizationFacts &facts,
                              const QString &newName)
{
    if (organization.orgName.value_or(QString()) != facts.organization)
        organization.orgName = newName;
    if (facts.jobCarried && organization.orgTitle.value_or(QString()) != facts.job)
        organization.orgTitle = facts.job;
}

// Several organisations: the first one that the person's organisation or job recognises is
// brought in step and marked primary; else a new one is added. The name recognises an
// organisation whether or not the job is carried, and a title only by a job that is there:
// otherwise the organisation added at one update would not be recognised at the next, and every
// update would add one more.
void updateAmongSeveral(GDataEntryContact &contact, const OrganizationFacts &facts,
                        bool titleMatchNeedsOrganization)
{
    std::vector<GDataOrganization> organizations = contact.organizations();
    for (std::size_t index = 0; index < organizations.size(); ++index) {
        GDataOrganization &candidate = organizations[index];
        if (candidate.orgName.value_or(QString()) == facts.organization) {
            if (facts.jobCarried)
                candidate.orgTitle = facts.job;
        } else if (!facts.job.isEmpty() && candidate.orgTitle.value_or(QString()) == facts.job &&
                   (!titleMatchNeedsOrganization || !facts.organization.isEmpty())) {
            candidate.orgName = facts.organization;
        } else {
            continue;
        }
        makeOnlyPrimary(organizations, index);
        contact.setOrganizations(organizations);
        return;
    }
    for (GDataOrganization &organization : organizations)
        organization.primary = false;
    organizations.push_back(workOrganization(facts.organization, carriedJob(facts)));
    contact.setOrganizations(organizations);
}

void updateCompanyOrganizations(GDataEntryContact &contact, const OrganizationFacts &facts,
                                const QString &companyTitle)
{
    const std::size_t count = contact.organizations().size();
    if (count == 1) {
        std::vector<GDataOrganization> organizations = contact.organizations();
        updateSingleOrganization(organizations.front(), facts, companyTitle);
        contact.setOrganizations(organizations);
    } else if (count == 0) {
        if (!facts.job.isEmpty() || !companyTitle.isEmpty())
            contact.setOrganizations({workOrganization(companyTitle, carriedJob(facts))});
    } else if (!facts.job.isEmpty() || !facts.organization.isEmpty()) {
        updateAmongSeveral(contact, facts, true);
    }
}

void updatePersonOrganizations(GDataEntryContact &contact, const OrganizationFacts &facts)
{
    const std::size_t count = contact.organizations().size();
    if (count == 1) {
        std::vector<GDataOrganization> organizations = contact.organizations();
        updateSingleOrganization(organizations.front(), facts, facts.organization);
        contact.setOrganizations(organizations);
    } else if (facts.job.isEmpty() && facts.organization.isEmpty()) {
        return;
    } else if (count == 0) {
        contact.addOrganization(workOrganization(facts.organization, carriedJob(facts)));
    } else {
        updateAmongSeveral(contact, facts, false);
    }
}

void updateTitleAndOrganizations(GDataEntryContact &contact, const PersonPtr &person,
                                 const Options &options)
{
    OrganizationFacts facts;
    facts.organization = person->valueForProperty(kABOrganizationProperty).toString();
    facts.job = person->valueForProperty(kABJobTitleProperty).toString();
    facts.jobCarried = options.jobTitle && !facts.job.isEmpty();
    if (AddressBookTool::personIsCompany(person)) {
        // A company's name travels in its organisation; the title stays empty.
        contact.setTitle(QString());
        updateCompanyOrganizations(contact, facts,
                                   AddressBookTool::googleTitleForPerson(person, true));
        return;
    }
    const QString personalTitle = AddressBookTool::googleTitleForPerson(person, false);
    if (options.name && contact.title().value_or(QString()) != personalTitle)
        contact.setTitle(personalTitle);
    if (options.company)
        updatePersonOrganizations(contact, facts);
}

QString noteText(const PersonPtr &person, const Options &options)
{
    const QString note = person->valueForProperty(kABNoteProperty).toString();
    if (!options.urlsInNotes)
        return note;
    const QString urls = AddressBookTool::urlListForPerson(person);
    return urls.isEmpty() ? note : note + kReturn + urls;
}

// The tag is added where the texts that the new note is made of lack it. Without carried notes
// the new note is Google's own text, so that is the text to look at whatever the append option.
QString tagText(const QString &note, const QString &existing, const Options &options)
{
    if (options.tag.isEmpty())
        return QString();
    QStringList looked;
    if (options.notes) {
        looked.append(note);
        if (options.appendNotes)
            looked.append(existing);
    } else {
        looked.append(existing);
    }
    bool allEmpty = true;
    for (const QString &text : looked) {
        if (text.contains(options.tag))
            return QString();
        allEmpty = allEmpty && text.isEmpty();
    }
    return allEmpty ? options.tag : kReturn + options.tag;
}

QString newContent(const QString &note, const QString &existing, const QString &tag,
                   const Options &options)
{
    if (!options.notes)
        return existing + tag;
    if (note.isEmpty())
        return options.appendNotes ? existing + tag : tag;
    if (!options.appendNotes || existing.isEmpty())
        return note + tag;
    // Google hands carriage returns back as line feeds, a server that keeps them hands them back
    // unchanged: either way an unchanged note is already there.
    if (lineends::lineFeedsOnly(existing).contains(lineends::lineFeedsOnly(note)))
        return existing + tag;
    return existing + kReturn + note + tag;
}

void updateContent(GDataEntryContact &contact, const PersonPtr &person, const Options &options)
{
    const QString note = noteText(person, options);
    const QString existing = contact.content().value_or(QString());
    const QString tag = tagText(note, existing, options);
    contact.setContentWithString(newContent(note, existing, tag, options));
}

} // namespace

GDataEntryContact &updateGoogleContactUsingABPerson(GDataEntryContact &contact,
                                                    const PersonPtr &person,
                                                    const ContactBuildingContext &context,
                                                    const QDateTime &now)
{
    const Options options = readOptions();
    updateTitleAndOrganizations(contact, person, options);
    updateContent(contact, person, options);
    extendedproperty::abExtendedPropertiesFor(contact, person, now);
    contactfields::mapFieldsByOptions(
        contact, person, context,
        {Field::Emails, Field::Phones, Field::Postals, Field::IMs, Field::Memberships});
    contact.setBatchID(person->uniqueId());
    return contact;
}

} // namespace contactupdate
