#include "platform/gdata/entries/gdatabatch.h"

QString GDataBatchInterrupted::description() const
{
    return QStringLiteral("GDataBatchInterrupted reason:%1 success:%2 failures:%3 parsed:%4")
        .arg(reason)
        .arg(success)
        .arg(failures)
        .arg(parsed);
}
