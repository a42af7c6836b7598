#include "google/download/personwriting.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "foundation/text/zeltorstring.h"
#include "google/download/downloadkeys.h"
#include "google/download/downloadstamp.h"
#include "google/download/multivaluemapping.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/lineends.h"
#include "google/entries/noteurls.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/preferencereadscope.h"
#include "platform/defaults/userdefaults.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kOperation = QStringLiteral("makePerson:identicalToGoogleContact:");

} // namespace

namespace tolvane {
namespace {
const QChar kQuote = QLatin1Char('"');
constexpr double kSameTransferSeconds = 100.0;

using Elements = QHash<QString, QString>;

struct Options
{
    bool name = false;
    bool company = false;
    bool notes = false;
    bool appendNotes = false;
    bool tagCreated = false;
    QString tag;
    bool createDate = false;
    bool jobTitle = false;
    bool email = false;
    bool phone = false;
    bool im = false;
    bool postal = false;
    bool memberships = false;
};

Options readOptions()
{
    UserDefaults &defaults = UserDefaults::standard();
    Options options;
    options.name = defaults.boolForKey(googlekeys::abUpdateName);
    options.company = defaults.boolForKey(googlekeys::abUpdateCompany);
    options.notes = defaults.boolForKey(googlekeys::abUpdateNotes);
    options.appendNotes = defaults.boolForKey(googlekeys::abUpdateAppendNotes);
    options.tagCreated = defaults.boolForKey(googlekeys::abDoTagCreatedRecords);
    options.tag = defaults.stringForKey(googlekeys::abTagForCreatedRecords);
    options.createDate = defaults.boolForKey(abkeys::abUpdateIncludeCreateDate);
    options.jobTitle = defaults.boolForKey(googlekeys::abUpdateTitle);
    options.email = defaults.boolForKey(googlekeys::abUpdateEmail);
    options.phone = defaults.boolForKey(googlekeys::abUpdatePhone);
    options.im = defaults.boolForKey(googlekeys::abUpdateIM);
    options.postal = defaults.boolForKey(googlekeys::abUpdatePostal);
    options.memberships = defaults.boolForKey(googlekeys::abUpdateMemberships);
    return options;
}

QString text(const QVariant &value)
{
    return value.isValid() ? value.toString() : QString();
}

void setOrRemove(const PersonPtr &person, const QString &value, const QString &property)
{
    if (value.isEmpty())
        person->removeValueForProperty(property);
    else
        person->setValueForProperty(value, property);
}

std::optional<GDataOrganization> organizationOf(const GDataEntryContact &contact)
{
    const std::vector<GDataOrganization> &organizations = contact.organizations();
    for (const GDataOrganization &organization : organizations) {
        if (organization.primary)
            return organization;
    }
    if (organizations.empty())
        return std::nullopt;
    return organizations.front();
}

// The stamp the upload left in the contact's property: the person's modification date (else its
// creation date) and an as-of time within 100 seconds of Google's update time. A property without
// a readable as-of time proves nothing. The stamp only speaks for the record the upload read: a
// person of another book (or a new one) whose date text happens to be the same second is not it.
bool alreadyMatches(const PersonPtr &person, const GDataEntryContact &contact,
                    const std::optional<Elements> &elements)
{
    if (!elements || elements->value(QStringLiteral("aID")) != person->uniqueId())
        return false;
    if (text(person->valueForProperty(AddressBookTool::contactIDPropertyName())) !=
        contact.identifier())
        return false;
    const QVariant modified = person->valueForProperty(kABModificationDateProperty);
    const QDateTime stamp = modified.isValid()
                                ? modified.toDateTime()
                                : person->valueForProperty(kABCreationDateProperty).toDateTime();
    const QString dataMaskName = UserDefaults::standard().stringForKey(googlekeys::googleDataMask);
    if (elements->value(dataMaskName) != textdate::format(stamp))
        return false;
    const QDateTime asOf = textdate::parse(elements->value(QStringLiteral("asOf")));
    if (!asOf.isValid() || !contact.updatedDate().isValid())
        return false;
    return std::abs(asOf.secsTo(contact.updatedDate())) < kSameTransferSeconds;
}

void setNamesFromElements(const PersonPtr &person, const Elements &elements)
{
    setOrRemove(person, elements.value(QStringLiteral("aF")), kABFirstNameProperty);
    setOrRemove(person, elements.value(QStringLiteral("aN")), kABNicknameProperty);
    setOrRemove(person, elements.value(QStringLiteral("aM")), kABMiddleNameProperty);
    setOrRemove(person, elements.value(QStringLiteral("aL")), kABLastNameProperty);
}

// The upload's own record of the names for this very title: the person still holds them.
bool namesStillMatch(const PersonPtr &person, const QString &title,
                     const std::optional<Elements> &elements)
{
    if (!elements || elements->value(QStringLiteral("aID")) != person->uniqueId() ||
        elements->value(QStringLiteral("gT")) != title)
        return false;
    const std::pair<QString, QString> parts[] = {
        {QStringLiteral("aF"), kABFirstNameProperty},
        {QStringLiteral("aN"), kABNicknameProperty},
        {QStringLiteral("aM"), kABMiddleNameProperty},
        {QStringLiteral("aL"), kABLastNameProperty},
    };
    for (const auto &[element, property] : parts) {
        if (elements->value(element) != text(person->valueForProperty(property)))
            return false;
    }
    return true;
}

// First "nick" Last: the text before the first quote (less the blank before it), between the
// quotes and after the second. A part that comes out empty (a title that opens with the quote)
// leaves that name as it is.
void splitQuotedTitle(const PersonPtr &person, const QString &title)
{
    const qsizetype first = title.indexOf(kQuote);
    const QString second = title.mid(first + 1);
    tlog::labelled(kClass, kOperation, QStringLiteral("second"), second);
    const qsizetype closing = second.indexOf(kQuote);
    if (closing < 0)
        return;
    const std::pair<QString, QString> parts[] = {
        {zeltor::clean(title.left(std::max<qsizetype>(0, first - 1))), kABFirstNameProperty},
        {zeltor::clean(second.left(closing)), kABNicknameProperty},
        {zeltor::clean(second.mid(closing + 1)), kABLastNameProperty},
    };
    for (const auto &[value, property] : parts) {
        if (!value.isEmpty())
            person->setValueForProperty(value, property);
    }
}

void splitTitle(const PersonPtr &person, const QString &title)
{
    const QStringList words = title.split(QLatin1Char(' '));
    if (words.size() == 1) {
        person->setValueForProperty(title, kABFirstNameProperty);
    } else if (words.size() == 2) {
        setOrRemove(person, words[0], kABFirstNameProperty);
        setOrRemove(person, words[1], kABLastNameProperty);
    } else if (title.contains(kQuote)) {
        splitQuotedTitle(person, title);
    } else {
        setOrRemove(person, words[0], kABFirstNameProperty);
        setOrRemove(person, title.mid(words[0].size() + 1), kABLastNameProperty);
    }
}

void writeNames(const PersonPtr &person, const QString &title,
                const std::optional<GDataOrganization> &organization,
                const std::optional<Elements> &elements, bool nameHints, const Options &options)
{
    if (nameHints) {
        if (options.name)
            setNamesFromElements(person, *elements);
        if (options.company)
            setOrRemove(person, elements->value(QStringLiteral("aC")), kABOrganizationProperty);
        return;
    }
    if (options.company && organization && organization->orgName)
        person->setValueForProperty(*organization->orgName, kABOrganizationProperty);
    // Without a title there is nothing to read names from: the person keeps them.
    if (!options.name || title.isEmpty() || namesStillMatch(person, title, elements))
        return;
    splitTitle(person, title);
}

void writeCompanyAndNames(const PersonPtr &person, const GDataEntryContact &contact,
                          const std::optional<Elements> &elements, const Options &options)
{
    const QString title = contact.title().value_or(QString());
    const std::optional<GDataOrganization> organization = organizationOf(contact);
    const bool company = elements && elements->value(QStringLiteral("isCo")) == QLatin1String("1");
    const bool nameHints = elements && elements->contains(QStringLiteral("aNH")) &&
                           elements->value(QStringLiteral("gT")) == title;
    const bool shownAsCompany =
        (person->valueForProperty(kABPersonFlags).toInt() & kABShowAsMask) == kABShowAsCompany;
    if (!shownAsCompany && !company) {
        writeNames(person, title, organization, elements, nameHints, options);
        return;
    }
    if (shownAsCompany && !company)
        person->setValueForProperty(kABShowAsPerson, kABPersonFlags);
    else if (!shownAsCompany)
        person->setValueForProperty(kABShowAsCompany, kABPersonFlags);
    if (!options.name && !options.company)
        return;
    QString value = title;
    if (nameHints)
        value = elements->value(QStringLiteral("aC"));
    else if (organization && organization->orgName)
        value = *organization->orgName;
    person->setValueForProperty(value, kABOrganizationProperty);
}

// Google and vCards give line feeds where the program wrote carriage returns.
bool holdsText(const QString &text, const QString &part)
{
    return lineends::lineFeedsOnly(text).contains(lineends::lineFeedsOnly(part));
}

const QString kCreatedLine = QStringLiteral("record created: ");

// The note without the "record created" line an earlier download left as its last line.
QString withoutCreatedLine(const QString &note)
{
    const qsizetype lineStart =
        std::max(note.lastIndexOf(QLatin1Char('\r')), note.lastIndexOf(QLatin1Char('\n'))) + 1;
    if (!QStringView(note).sliced(lineStart).startsWith(kCreatedLine))
        return note;
    QString kept = note.left(std::max<qsizetype>(lineStart - 1, 0));
    if (note.mid(lineStart - 2, 2) == u"\r\n")
        kept.chop(1);
    return kept;
}

void writeNote(const PersonPtr &person, const QString &noteText, const QString &account,
               const Options &options, const QDateTime &now)
{
    QString result;
    QString oldNote = text(person->valueForProperty(kABNoteProperty));
    // A kept note holds the created line of the download before as its last line: the line
    // moves to the end with a new date, and the note does not grow a line at every download.
    if (options.createDate)
        oldNote = withoutCreatedLine(oldNote);
    if (options.appendNotes && !oldNote.isEmpty()) {
        result = oldNote;
        if (!noteText.isEmpty() && !holdsText(oldNote, noteText))
            result += QStringLiteral("\r\r") + noteText;
    } else if (!noteText.isEmpty()) {
        result = noteText;
    }
    if (options.tagCreated) {
        const QString tag = QString(options.tag).replace(QStringLiteral("(%GAcct)"), account);
        if (!tag.isEmpty() && !holdsText(result, tag))
            result += (result.isEmpty() ? QString() : QStringLiteral("\r\r")) + tag;
    }
    if (options.createDate)
        result = QStringLiteral("%1record created: %2")
                     .arg(result.isEmpty() ? QString() : result + QLatin1Char('\r'),
                          textdate::format(now));
    person->setValueForProperty(result, kABNoteProperty);
}

void writeMultiValues(const PersonPtr &person, const GDataEntryContact &contact,
                      const Options &options)
{
    if (options.email)
        googlizeEmailsFor(person, contact);
    if (options.phone)
        googlizePhonesFor(person, contact);
    if (options.im)
        googlizeIMsFor(person, contact);
    if (options.postal)
        googlizeAddressesFor(person, contact);
    if (options.memberships)
        googlizeMembershipsFor(person, contact);
}

} // namespace

bool writeContactIntoPerson(const PersonPtr &person, const GDataEntryContact &contact,
                            const QString &account, const QDateTime &now)
{
    const std::optional<Elements> elements = tolvaneExtendedPropertyXMLValuesDictionary(contact);
    if (alreadyMatches(person, contact, elements))
        return false;
    const Options options = readOptions();
    writeCompanyAndNames(person, contact, elements, options);
    QString noteText = contact.content().value_or(QString());
    if (!noteText.isEmpty())
        noteText = googlizeURLsFor(person, noteText);
    if (options.notes)
        writeNote(person, noteText, account, options, now);
    const std::optional<GDataOrganization> organization = organizationOf(contact);
    if (options.jobTitle && organization && organization->orgTitle)
        person->setValueForProperty(*organization->orgTitle, kABJobTitleProperty);
    writeMultiValues(person, contact, options);
    downloadstamp::writeStamp(person, contact.updatedDate(),
                              now.addSecs(downloadstamp::kAsOfAheadSeconds));
    return true;
}

} // namespace tolvane

void GoogleContactTool::makePerson(const PersonPtr &person, const GDataEntryContact &contact)
{
    // The options and the link property names are read again for every field written.
    const PreferenceReadScope samePreferences;
    if (!tolvane::writeContactIntoPerson(person, contact, user()))
        return;
    if (!UserDefaults::standard().boolForKey(googlekeys::abUpdatePicture) ||
        !tolvane::tolvaneHasImage(contact))
        return;
    const std::optional<GDataLink> link = contact.photoLink();
    if (!link || link->href.isEmpty()) {
        tlog::labelled(kClass, kOperation, QStringLiteral("imageURL is nil"),
                       contact.description());
        return;
    }
    // The stamp follows the photo, the last write of the download, so the person still reads as
    // written by the download and not changed since.
    if (setImageForPerson(person, link->URL(), link->ETag()))
        downloadstamp::writeStamp(
            person, contact.updatedDate(),
            QDateTime::currentDateTime().addSecs(downloadstamp::kAsOfAheadSeconds));
}
