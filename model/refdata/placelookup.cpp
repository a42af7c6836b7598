#include "model/refdata/placelookup.h"

#include "foundation/log.h"
#include "model/rowsdescription.h"
#include "platform/store/managedobjectcontext.h"

ManagedObject *lookupPlace(ManagedObjectContext &context, const QString &templateName,
                           const QVariantMap &variables, const QString &text,
                           const QString &severalFormat)
{
    StoreError error;
    const auto rows = context.executeFetchTemplate(templateName, variables, &error);
    if (!rows) {
        if (tlog::tracing())
            tlog::write(QStringLiteral("%1 -- results = %2 -- error: %3")
                            .arg(text, QStringLiteral("(null)"), error.description));
        return nullptr;
    }
    if (rows->isEmpty())
        return nullptr;
    if (rows->size() > 1 && tlog::tracing())
        tlog::write(severalFormat.arg(text, describeRows(*rows)));
    return rows->first();
}
