#include "model/push/abpushrecord.h"

#include "foundation/log.h"
#include "model/fetchlog.h"
#include "model/push/tolvaneadditions.h"
#include "model/push/tolvanerecord.h"

struct ABPushRecord::Kind
{
    const char *templateName;
    bool isAB;
    bool isGroup;
};

namespace {

constexpr ABPushRecord::Kind kABGroup{"allABGroup", true, true};
constexpr ABPushRecord::Kind kABContact{"allABContact", true, false};
constexpr ABPushRecord::Kind kGoogleGroup{"allGoogleGroup", false, true};
constexpr ABPushRecord::Kind kGoogleContact{"allGoogleContact", false, false};

} // namespace

void ABPushRecord::awakeFromInsert()
{
    TolvaneManagedObject::awakeFromInsert();
    setDateCreated(QDateTime::currentDateTime());
}

std::optional<QList<ABPushRecord *>> ABPushRecord::fetchKind(const Kind &kind, const QString &op,
                                                             ManagedObjectContext &context)
{
    const QString templateName = QString::fromLatin1(kind.templateName);
    StoreError error;
    const auto rows = context.executeFetchTemplate(templateName, {}, &error);
    if (!rows)
        fetchlog::logFailure(entityName(), op, templateName, error);
    return cast<ABPushRecord>(rows);
}

std::optional<QList<ABPushRecord *>>
ABPushRecord::allABGroupsInContext(ManagedObjectContext &context)
{
    return fetchKind(kABGroup, QStringLiteral("allABGroupsInContext:"), context);
}

std::optional<QList<ABPushRecord *>>
ABPushRecord::allABContactsInContext(ManagedObjectContext &context)
{
    return fetchKind(kABContact, QStringLiteral("allABContactsInContext:"), context);
}

bool ABPushRecord::replaceKind(const Kind &kind, const QString &op, ManagedObjectContext &context)
{
    const std::optional<QList<ABPushRecord *>> old = fetchKind(kind, op, context);
    if (!old)
        return false;
    QList<ObjectID> ids;
    for (ABPushRecord *row : *old)
        ids.append(row->objectID());
    removeTheseObjectIDs(ids, context);
    return true;
}

ABPushRecord *ABPushRecord::insertRow(const Kind &kind, ManagedObjectContext &context)
{
    ABPushRecord *row = context.insertNew<ABPushRecord>();
    row->setIsABRecord(kind.isAB);
    row->setIsGoogleRecord(!kind.isAB);
    row->setIsGroup(kind.isGroup);
    return row;
}

bool ABPushRecord::writeRecords(const Kind &kind, const QString &op,
                                const QList<const TolvaneRecord *> &records,
                                ManagedObjectContext &context)
{
    if (!replaceKind(kind, op, context))
        return false;
    for (const TolvaneRecord *record : records) {
        ABPushRecord *row = insertRow(kind, context);
        row->setAbid(record->uniqueId());
        row->setGoogleID(record->googleID());
        row->setDateRecordCreated(record->creationDate());
        row->setDateRecordModified(record->modificationDate());
    }
    return true;
}

bool ABPushRecord::writeEntries(const Kind &kind, const QString &op,
                                const QList<const TolvaneAdditions *> &entries,
                                ManagedObjectContext &context)
{
    if (!replaceKind(kind, op, context))
        return false;
    for (const TolvaneAdditions *entry : entries) {
        if (kind.isGroup && entry->isGoogleSystemGroup())
            continue;
        ABPushRecord *row = insertRow(kind, context);
        row->setAbid(entry->tolvaneABID());
        row->setGoogleID(entry->identifier());
        row->setDateRecordCreated(entry->tolvaneCreateDate());
        row->setDateRecordModified(entry->updatedDate());
        if (kind.isGroup)
            tlog::write(QStringLiteral("%1 = %2").arg(entry->identifier(), entry->tolvaneABID()));
    }
    return true;
}

bool ABPushRecord::writeABGroupRecords(const QList<const TolvaneRecord *> &groups,
                                       ManagedObjectContext &context)
{
    return writeRecords(kABGroup, QStringLiteral("writeABGroupRecords:inContext:"), groups,
                        context);
}

bool ABPushRecord::writeABContactRecords(const QList<const TolvaneRecord *> &people,
                                         ManagedObjectContext &context)
{
    return writeRecords(kABContact, QStringLiteral("writeABContactRecords:inContext:"), people,
                        context);
}

bool ABPushRecord::writeGoogleGroupRecords(const QList<const TolvaneAdditions *> &groups,
                                           ManagedObjectContext &context)
{
    return writeEntries(kGoogleGroup, QStringLiteral("writeGoogleGroupRecords:inContext:"), groups,
                        context);
}

bool ABPushRecord::writeGoogleContactRecords(const QList<const TolvaneAdditions *> &contacts,
                                             ManagedObjectContext &context)
{
    return writeEntries(kGoogleContact, QStringLiteral("writeGoogleContactRecords:inContext:"),
                        contacts, context);
}
