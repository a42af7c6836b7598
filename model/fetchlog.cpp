#include "model/fetchlog.h"

#include "foundation/log.h"

#include <QStringList>

namespace fetchlog {

bool isTemplateFault(const StoreError &error)
{
    return error.code == StoreError::MissingFetchTemplate ||
           error.code == StoreError::MissingSubstitutionVariable;
}

void logFailure(const QString &cls, const QString &op, const QString &templateName,
                const StoreError &error)
{
    if (isTemplateFault(error)) {
        tlog::caughtInTemplate(cls, op, templateName, QStringLiteral("InvalidArgumentException"),
                               error.description);
        return;
    }
    tlog::write(op + QStringLiteral(" - Caught ") + QString::number(int(error.code)) +
                QStringLiteral(": ") + error.domain + QStringLiteral("  info = ") +
                tlog::describe(error.userInfo));
}

} // namespace fetchlog
