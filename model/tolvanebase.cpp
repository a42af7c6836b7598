#include "model/tolvanebase.h"

#include "foundation/log.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "platform/store/entitydescription.h"

QList<ManagedObject *> TolvaneBase::allActiveInContext(const QString &className,
                                                       ManagedObjectContext &context)
{
    return context.executeFetchTemplate(QStringLiteral("allActive") + className, {}, nullptr)
        .value_or(QList<ManagedObject *>{});
}

void TolvaneBase::awakeFromInsert()
{
    TolvaneManagedObject::awakeFromInsert();
    setDateCreated(QDateTime::currentDateTime());
    setDateLastModified(QDateTime::currentDateTime());
}

bool TolvaneBase::validateForInsert(StoreError *error)
{
    StoreError local;
    const bool valid = validateValues(&local);
    setStoreError(error, local);
    return reportValidation(valid, local, QStringLiteral("***  %1 ERROR ***  "));
}

bool TolvaneBase::validateForUpdate(StoreError *error)
{
    // Restamped without announcing it: observers see the saved change, not the bookkeeping. The
    // new date stays even when the validation then fails.
    setPrimitiveValue(QStringLiteral("dateLastModified"), QDateTime::currentDateTime());
    StoreError local;
    const bool valid = validateValues(&local);
    setStoreError(error, local);
    return reportValidation(valid, local, QStringLiteral("***  %1 ERROR ***"));
}

bool TolvaneBase::reportValidation(bool valid, const StoreError &error, const QString &banner)
{
    if (valid)
        return true;
    if (tlog::tracing()) {
        tlog::write(banner.arg(entity().name()));
        tlog::write(QStringLiteral("Object: %1 ").arg(description()));
    }
    ErrorInfo info;
    info.domain = error.domain;
    info.code = int(error.code);
    info.localizedDescription = error.description;
    info.userInfo = error.userInfo;
    VozuVeva::logError(info);
    return false;
}
