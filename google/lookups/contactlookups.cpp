#include "google/lookups/contactlookups.h"

#include "foundation/log.h"
#include "google/lookups/lookuplog.h"
#include "google/lookups/lookuptexts.h"
#include "google/lookups/namewords.h"

namespace contactlookups {

namespace {

GDataEntryContactPtr onlyOne(const ContactIndex::Found &found)
{
    return found.size() == 1 ? found.front() : nullptr;
}

// The given name the name match uses: the first name, else the nickname, else the middle name,
// each only beside a last name.
QString givenNameFor(const PersonNames &names)
{
    if (names.last.isEmpty())
        return {};
    for (const QString *given : {&names.first, &names.nick, &names.middle}) {
        if (!given->isEmpty())
            return *given;
    }
    return {};
}


} // namespace

GDataEntryContactPtr contactHoldingNames(const GoogleContactLists &lists, const QString &given,
                                         const QString &last)
{
    const QStringList givenWords = namewords::foldedWords(given);
    const QStringList lastWords = namewords::foldedWords(last);
    if (givenWords.isEmpty() || lastWords.isEmpty())
        return nullptr;
    // Only the shorter list of contacts holding a first word is read and tested whole.
    ContactIndex &index = lists.contactIndex();
    const QString &rarerWord =
        index.countWithTitleWord(givenWords.front()) < index.countWithTitleWord(lastWords.front())
            ? givenWords.front()
            : lastWords.front();
    ContactIndex::Found candidates;
    for (const GDataEntryContactPtr &contact : index.candidatesWithTitleWord(rarerWord)) {
        const QStringList titleWords = namewords::foldedWords(contact->title().value_or(QString()));
        if (namewords::holdsName(titleWords, givenWords) &&
            namewords::holdsName(titleWords, lastWords))
            candidates.append(contact);
    }
    return onlyOne(candidates);
}

GDataEntryContactPtr contactForID(const GoogleContactLists &lists, const QString &identifier)
{
    if (identifier.isNull() || lists.contacts().empty())
        return nullptr;
    const ContactIndex::Found found = lists.contactIndex().withIdentifier(identifier);
    if (found.size() > 1)
        lookuplog::nonUnique(QStringLiteral("contactForID:"), lookuptexts::nonUniqueContactID,
                             identifier);
    return onlyOne(found);
}

GDataEntryContactPtr contactForEmailAddress(const GoogleContactLists &lists, const QString &address)
{
    if (address.isNull() || lists.contacts().empty())
        return nullptr;
    tlog::trace(lookuptexts::engineClass, QStringLiteral("contactForEmailAddress:"));
    return onlyOne(lists.contactIndex().withEmailAddress(address));
}

GDataEntryContactPtr contactForETag(const GoogleContactLists &lists, const QString &etag)
{
    if (etag.isNull() || lists.contacts().empty())
        return nullptr;
    const ContactIndex::Found found = lists.contactIndex().withPhotoETag(etag);
    if (found.size() > 1)
        lookuplog::nonUnique(QStringLiteral("contactForETag:"), lookuptexts::nonUniqueContactETag,
                             etag);
    return onlyOne(found);
}

GDataEntryContactPtr contactForGID(const GoogleContactLists &lists, const QString &gid)
{
    if (gid.isEmpty())
        return nullptr;
    const ContactIndex::Found found = lists.contactIndex().withOwnGID(gid);
    if (found.size() > 1)
        lookuplog::nonUniqueWithMatches(QStringLiteral("contactForGID:"),
                                        lookuptexts::nonUniqueContactGID, gid,
                                        lookuplog::descriptions(found));
    return found.isEmpty() ? nullptr : found.front();
}

GDataEntryContactPtr contactForABID(const GoogleContactLists &lists, const QString &abid)
{
    if (abid.isEmpty())
        return nullptr;
    tlog::trace(lookuptexts::engineClass, QStringLiteral("contactForABID:"));
    const ContactIndex::Found found = lists.contactIndex().withOwnABID(abid);
    if (found.size() > 1)
        lookuplog::nonUniqueWithMatches(QStringLiteral("contactForABID:"),
                                        lookuptexts::nonUniqueContactABID, abid,
                                        lookuplog::descriptions(found));
    return found.isEmpty() ? nullptr : found.front();
}

QList<GDataEntryContactPtr> membersOfGroupID(const GoogleContactLists &lists,
                                             const QString &groupID)
{
    if (groupID.isEmpty())
        return {};
    return lists.contactIndex().inGroup(groupID);
}

int countOfMembersOfGroupID(const GoogleContactLists &lists, const QString &groupID)
{
    return groupID.isEmpty() ? 0 : lists.contactIndex().countInGroup(groupID);
}

GDataEntryContactPtr contactForName(const GoogleContactLists &lists, const PersonNames &names)
{
    if (lists.contacts().empty())
        return nullptr;
    tlog::trace(lookuptexts::engineClass, QStringLiteral("contactForName:"));
    if (GDataEntryContactPtr titled = onlyOne(lists.contactIndex().withTitle(names.expectedTitle)))
        return titled;
    switch (names.kind) {
    case PersonNames::Kind::Person: {
        const QString given = givenNameFor(names);
        return given.isEmpty() ? nullptr : contactHoldingNames(lists, given, names.last);
    }
    case PersonNames::Kind::Company:
        return onlyOne(lists.contactIndex().withOrganizationName(names.expectedTitle));
    case PersonNames::Kind::Neither:
        break;
    }
    return nullptr;
}

} // namespace contactlookups
