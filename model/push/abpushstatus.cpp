#include "model/push/abpushstatus.h"

#include "foundation/log.h"

#include <algorithm>

void ABPushStatus::awakeFromInsert()
{
    TolvaneManagedObject::awakeFromInsert();
    setDateCreated(QDateTime::currentDateTime());
}

ABPushStatus *ABPushStatus::sharedABPushStatusInContext(ManagedObjectContext &context)
{
    std::optional<QList<ABPushStatus *>> records = allInContext<ABPushStatus>(context);
    if (!records)
        return nullptr;
    if (records->isEmpty()) {
        ABPushStatus *status = context.insertNew<ABPushStatus>();
        status->setAsOfDate(QDateTime::currentDateTime());
        tlog::write(QStringLiteral("Shared ABPushStatus Record - Created"));
        return status;
    }
    if (records->size() > 1) {
        tlog::message(
            entityName(), QStringLiteral("sharedABPushStatusInContext:"),
            QStringLiteral("Houston we have a problem: More than one ABPushStatus record"));
        // The newest snapshot is the one to compare with; the others go.
        std::stable_sort(records->begin(), records->end(), [](ABPushStatus *a, ABPushStatus *b) {
            return a->asOfDate() > b->asOfDate();
        });
        for (qsizetype i = 1; i < records->size(); ++i)
            context.deleteObject(records->at(i));
    }
    return records->first();
}
