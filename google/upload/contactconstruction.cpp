#include "google/upload/contactconstruction.h"

#include "addressbook/fields/personemail.h"
#include "addressbook/fields/persontitle.h"
#include "addressbook/fields/personurls.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "google/download/personlinks.h"
#include "google/engine/googlekeys.h"
#include "google/entries/extendedproperty.h"
#include "google/entries/lineends.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/workorganization.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <optional>

namespace contactconstruction {
namespace {

using contactfields::Field;

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kVCardOperation = QStringLiteral("newGoogleContactUsingVCardData:sourceAccoumt:");
const QString kExistingOperation = QStringLiteral("existingGoogleContactUsingVCardData:");
const QString kReturn = QStringLiteral("\r");
const QString kCreatedFormat = QStringLiteral("created: %1");
const QString kDroppedSource = QStringLiteral("source: dropped vCard");
const QString kTransferSourceFormat = QStringLiteral("source: transfer from: %1");

enum class Source { AddressBook, VCard };

// What the person holds and what the options make of it.
struct Facts
{
    QString organization;
    QString job;
    std::optional<QString> note; // ends with a carriage return when non-empty
    QString companyTitle;
    QString personalTitle;
    bool isCompany = false;
    bool jobCarried = false;
    bool companyCarried = false;
    bool notesCarried = false;
    QString urlList;
    QString createdText;
};

Facts factsFor(const PersonPtr &person, const QDateTime &now)
{
    UserDefaults &defaults = UserDefaults::standard();
    Facts facts;
    facts.organization = person->valueForProperty(kABOrganizationProperty).toString();
    facts.job = person->valueForProperty(kABJobTitleProperty).toString();
    const QVariant note = person->valueForProperty(kABNoteProperty);
    if (note.isValid()) {
        facts.note = note.toString();
        if (!facts.note->isEmpty() && !facts.note->endsWith(kReturn))
            facts.note->append(kReturn);
    }
    if (defaults.boolForKey(googlekeys::gmUpdateIncludeCreateDate))
        facts.createdText = kCreatedFormat.arg(textdate::format(now));
    facts.companyTitle = AddressBookTool::googleTitleForPerson(person, true);
    facts.personalTitle = AddressBookTool::googleTitleForPerson(person, false);
    facts.isCompany = AddressBookTool::personIsCompany(person);
    facts.jobCarried = defaults.boolForKey(googlekeys::gmUpdateTitle) && !facts.job.isEmpty();
    facts.companyCarried = defaults.boolForKey(googlekeys::gmUpdateCompany);
    facts.notesCarried = defaults.boolForKey(googlekeys::gmUpdateNotes);
    if (defaults.boolForKey(googlekeys::gmUpdateIncludeURLsInNotes))
        facts.urlList = AddressBookTool::urlListForPerson(person);
    return facts;
}

std::optional<QString> carriedJob(const Facts &facts)
{
    return facts.jobCarried ? std::optional<QString>(facts.job) : std::nullopt;
}

std::optional<GDataOrganization> companyOrganization(const Facts &facts, Source source)
{
    if (facts.organization != facts.companyTitle)
        return workOrganization(facts.organization, carriedJob(facts));
    if (!facts.jobCarried)
        return std::nullopt;
    // The title already names the company; the organisation only holds the job.
    const std::optional<QString> name =
        source == Source::VCard ? std::optional<QString>(QString()) : std::nullopt;
    return workOrganization(name, facts.job);
}

std::optional<GDataOrganization> personOrganization(const Facts &facts, Source source)
{
    if (!facts.organization.isEmpty() && facts.companyCarried)
        return workOrganization(facts.organization, carriedJob(facts));
    if (facts.jobCarried && source == Source::AddressBook)
        return workOrganization(std::nullopt, facts.job);
    return std::nullopt;
}

void setOrganization(GDataEntryContact &contact, const Facts &facts, Source source)
{
    if (facts.isCompany) {
        if (const auto organization = companyOrganization(facts, source))
            contact.setOrganizations({*organization});
        return;
    }
    if (const auto organization = personOrganization(facts, source))
        contact.addOrganization(*organization);
}

// The marker that says where a contact came from: the preference's tag for people (only when
// tagging is on), the card's source for vCards.
std::optional<QString> marker(Source source, const QString &sourceAccount)
{
    if (source == Source::VCard) {
        return sourceAccount.isEmpty() ? kDroppedSource : kTransferSourceFormat.arg(sourceAccount);
    }
    UserDefaults &defaults = UserDefaults::standard();
    const QString tag = defaults.stringForKey(googlekeys::gmTagForCreatedRecords);
    if (tag.isEmpty() || !defaults.boolForKey(googlekeys::gmDoTagCreatedRecords))
        return std::nullopt;
    return tag;
}

QString urlText(const Facts &facts, Source source)
{
    if (facts.urlList.isEmpty())
        return QString();
    if (source == Source::VCard && facts.note &&
        lineends::lineFeedsOnly(*facts.note).contains(lineends::lineFeedsOnly(facts.urlList)))
        return QString();
    return facts.urlList + kReturn;
}

QString tagText(const Facts &facts, Source source, const QString &sourceAccount)
{
    const QString urls = urlText(facts, source);
    const std::optional<QString> mark = marker(source, sourceAccount);
    if (!mark || (facts.note && facts.note->contains(*mark)))
        return urls + facts.createdText;
    return urls + *mark + kReturn + facts.createdText;
}

void setContent(GDataEntryContact &contact, const Facts &facts, Source source,
                const QString &sourceAccount)
{
    const QString tag = tagText(facts, source, sourceAccount);
    if (facts.note && !facts.note->isEmpty() && facts.notesCarried)
        contact.setContentWithString(*facts.note + kReturn + tag);
    else if (!tag.isEmpty())
        contact.setContentWithString(tag);
}

GDataEntryContactPtr buildContact(const PersonPtr &person, const ContactBuildingContext &context,
                                  const QDateTime &now, Source source, const QString &sourceAccount)
{
    const Facts facts = factsFor(person, now);
    const GDataEntryContactPtr contact = GDataEntryContact::contactEntryWithTitle(
        facts.isCompany ? facts.companyTitle : facts.personalTitle);
    setOrganization(*contact, facts, source);
    setContent(*contact, facts, source, sourceAccount);
    extendedproperty::abExtendedPropertiesFor(*contact, person, now);
    if (source == Source::AddressBook) {
        contactfields::mapFieldsByOptions(
            *contact, person, context,
            {Field::Emails, Field::IMs, Field::Postals, Field::Phones, Field::Memberships});
    } else {
        contactfields::mapFieldsByOptions(
            *contact, person, context,
            {Field::Emails, Field::Phones, Field::Postals, Field::IMs, Field::Memberships});
    }
    contact->setBatchID(person->uniqueId());
    return contact;
}

// Null for null data and for data that holds no readable card, even after the retry.
PersonPtr personFromVCard(const QByteArray &data, const QString &operation)
{
    if (data.isNull())
        return nullptr;
    if (const PersonPtr person = Person::fromVCardRepresentation(data))
        return person;
    tlog::message(kClass, operation, QStringLiteral("unable to create ABPerson from vCard data"));
    const QString text = QString::fromUtf8(data);
    tlog::value(kClass, operation, QStringLiteral("tempString"), text);
    return Person::fromVCardRepresentation(text.toUtf8());
}

} // namespace

GDataEntryContactPtr newGoogleContactUsingABPerson(const PersonPtr &person,
                                                   const ContactBuildingContext &context,
                                                   const QDateTime &now)
{
    return buildContact(person, context, now, Source::AddressBook, QString());
}

GDataEntryContactPtr newGoogleContactUsingVCardData(const QByteArray &data,
                                                    const QString &sourceAccount,
                                                    const ContactBuildingContext &context,
                                                    const QDateTime &now)
{
    const PersonPtr person = personFromVCard(data, kVCardOperation);
    // Without a person there is no identifier to link the contact by: nothing is made.
    if (!person)
        return nullptr;
    tlog::value(kClass, kVCardOperation, QStringLiteral("thisABPerson"), person->uniqueId());
    tlog::value(kClass, kVCardOperation,
                QStringLiteral("[thisABPerson valueForProperty:kABUIDProperty]"),
                person->uniqueId());
    tlog::value(kClass, kVCardOperation,
                QStringLiteral("[thisABPerson valueForProperty:kABFirstNameProperty]"),
                tlog::orNull(person->valueForProperty(kABFirstNameProperty).toString()));
    return buildContact(person, context, now, Source::VCard, sourceAccount);
}

GDataEntryContactPtr existingGoogleContactUsingVCardData(const QByteArray &data,
                                                         const GoogleContactLists &lists)
{
    const PersonPtr person = personFromVCard(data, kExistingOperation);
    return person ? personlinks::contactForABPerson(
                        lists, person,
                        {AddressBookTool::tryOrderedEmailAddressesForPerson(person),
                         AddressBookTool::googleTitleForPerson(person, true)})
                  : nullptr;
}

} // namespace contactconstruction
