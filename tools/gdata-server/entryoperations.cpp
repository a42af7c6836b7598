#include "tools/gdata-server/entryoperations.h"

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

namespace {

constexpr int kMaxContacts = 25000;
constexpr char kPreconditionRequired[] =
    "If-Match or If-None-Match header or entry etag attribute required.";

QString reasonFor(int status)
{
    switch (status) {
    case 200:
        return QStringLiteral("Success");
    case 201:
        return QStringLiteral("Created");
    case 400:
        return QStringLiteral("Bad Request");
    case 403:
        return QStringLiteral("Forbidden");
    case 404:
        return QStringLiteral("Not Found");
    case 409:
        return QStringLiteral("Conflict");
    case 412:
        return QStringLiteral("Precondition Failed");
    default:
        return QStringLiteral("Error");
    }
}

Account::Collection collectionOf(GDataEntryBase::Kind kind)
{
    return kind == GDataEntryBase::Kind::Contact ? Account::Collection::Contacts
                                                 : Account::Collection::Groups;
}

bool isSystemGroup(const GDataEntryBase &entry)
{
    return entry.kind() == GDataEntryBase::Kind::ContactGroup &&
           static_cast<const GDataEntryContactGroup &>(entry).systemGroup().has_value();
}

// The notes come back with line feeds only, as the real service stores them.
std::optional<QString> normalisedNotes(std::optional<QString> notes)
{
    if (notes) {
        notes->replace(QLatin1String("\r\n"), QLatin1String("\n"));
        notes->replace(u'\r', u'\n');
    }
    return notes;
}

std::vector<GDataExtendedProperty>
propertiesAfterWrite(const Projection &projection, const std::vector<GDataExtendedProperty> &old,
                     const std::vector<GDataExtendedProperty> &sent)
{
    std::vector<GDataExtendedProperty> result;
    for (const GDataExtendedProperty &property : old) {
        if (!projection.shows(property.name()))
            result.push_back(property);
    }
    for (const GDataExtendedProperty &property : sent) {
        if (projection.shows(property.name()))
            result.push_back(property);
    }
    return result;
}

} // namespace

OperationResult failure(int status, const QString &message)
{
    return {status, reasonFor(status), message, nullptr};
}

OperationResult EntryOperations::validate(Account &account, Account::Collection collection,
                                          const GDataEntryBase &incoming) const
{
    if (collectionOf(incoming.kind()) != collection)
        return failure(400, QStringLiteral("Entry kind does not match the feed."));
    if (incoming.extendedProperties().size() > size_t(kGDataMaxExtendedProperties))
        return failure(400, QStringLiteral("Too many extended properties (at most %1).")
                                .arg(kGDataMaxExtendedProperties));
    if (incoming.kind() != GDataEntryBase::Kind::Contact)
        return {};
    for (const auto &info :
         static_cast<const GDataEntryContact &>(incoming).groupMembershipInfos()) {
        const QString localId = ServerUrls::localIdOf(info.href, Account::Collection::Groups);
        const StoredEntry *group =
            localId.isEmpty() ? nullptr : account.find(Account::Collection::Groups, localId);
        if (!group || group->entry->isDeleted())
            return failure(400, QStringLiteral("Invalid group membership: %1").arg(info.href));
    }
    return {};
}

GDataEntryPtr EntryOperations::storedForm(const GDataEntryBase &incoming) const
{
    GDataEntryPtr entry = incoming.copy();
    entry->setIdentifier({});
    entry->setLinks({});
    entry->setBatchID(std::nullopt);
    entry->setBatchOperation(std::nullopt);
    entry->setBatchStatus(std::nullopt);
    entry->setBatchInterrupted(std::nullopt);
    entry->setIsDeleted(false);
    entry->setUploadData({});
    entry->setContentWithString(normalisedNotes(entry->content()));
    if (entry->kind() == GDataEntryBase::Kind::ContactGroup)
        static_cast<GDataEntryContactGroup &>(*entry).setSystemGroup(std::nullopt);
    return entry;
}

void EntryOperations::stamp(GDataEntryBase &entry)
{
    entry.setUpdatedDate(m_state.nextUpdated());
    entry.setETag(m_state.nextETag());
}

OperationResult EntryOperations::insert(Account &account, Account::Collection collection,
                                        const Projection &projection,
                                        const GDataEntryBase &incoming)
{
    if (OperationResult invalid = validate(account, collection, incoming); !invalid.ok())
        return invalid;
    // Counting is only worth it once the account could be full.
    if (collection == Account::Collection::Contacts &&
        account.entries(collection).size() >= size_t(kMaxContacts) &&
        account.liveContactCount() >= kMaxContacts)
        return failure(403, QStringLiteral("Contact limit reached."));
    GDataEntryPtr entry = storedForm(incoming);
    entry->setExtendedProperties(
        propertiesAfterWrite(projection, {}, incoming.extendedProperties()));
    stamp(*entry);
    StoredEntry &stored = account.add(collection, entry);
    return {201, reasonFor(201), {}, &stored};
}

OperationResult EntryOperations::writable(Account &account, Account::Collection collection,
                                          const QString &localId)
{
    StoredEntry *stored = account.find(collection, localId);
    if (!stored || stored->entry->isDeleted())
        return failure(404, QStringLiteral("Entry not found: %1").arg(localId));
    if (isSystemGroup(*stored->entry))
        return failure(403, QStringLiteral("System groups cannot be changed."));
    return {200, reasonFor(200), {}, stored};
}

OperationResult EntryOperations::checkPrecondition(const QString &current,
                                                   const std::optional<QString> &precondition,
                                                   bool requirePrecondition) const
{
    if (!precondition)
        return requirePrecondition ? failure(412, QLatin1String(kPreconditionRequired))
                                   : OperationResult{};
    if (*precondition == QLatin1String("*") || *precondition == current)
        return {};
    return failure(
        m_options.conflictStatus,
        QStringLiteral("Mismatch: etags = [%1], version = [%2]").arg(*precondition, current));
}

OperationResult EntryOperations::update(Account &account, Account::Collection collection,
                                        const Projection &projection, const QString &localId,
                                        const GDataEntryBase &incoming,
                                        const std::optional<QString> &precondition,
                                        bool requirePrecondition)
{
    OperationResult target = writable(account, collection, localId);
    if (!target.ok())
        return target;
    StoredEntry &stored = *target.stored;
    if (OperationResult refused = checkPrecondition(stored.entry->ETag().value_or(QString()),
                                                    precondition, requirePrecondition);
        !refused.ok())
        return refused;
    if (OperationResult invalid = validate(account, collection, incoming); !invalid.ok())
        return invalid;
    const auto properties = propertiesAfterWrite(projection, stored.entry->extendedProperties(),
                                                 incoming.extendedProperties());
    if (properties.size() > size_t(kGDataMaxExtendedProperties))
        return failure(400, QStringLiteral("Too many extended properties (at most %1).")
                                .arg(kGDataMaxExtendedProperties));
    GDataEntryPtr entry = storedForm(incoming);
    entry->setExtendedProperties(properties);
    stamp(*entry);
    stored.entry = entry;
    return {200, reasonFor(200), {}, &stored};
}

OperationResult EntryOperations::remove(Account &account, Account::Collection collection,
                                        const QString &localId,
                                        const std::optional<QString> &precondition,
                                        bool requirePrecondition)
{
    OperationResult target = writable(account, collection, localId);
    if (!target.ok())
        return target;
    StoredEntry &stored = *target.stored;
    if (OperationResult refused = checkPrecondition(stored.entry->ETag().value_or(QString()),
                                                    precondition, requirePrecondition);
        !refused.ok())
        return refused;
    GDataEntryPtr dead = stored.entry->copy();
    dead->setIsDeleted(true);
    stamp(*dead);
    stored.entry = dead;
    stored.photo = {};
    return {200, reasonFor(200), {}, &stored};
}
