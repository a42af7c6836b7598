// The batch elements of an entry in a batch feed and of its result.
#pragma once

#include <QString>

struct GDataBatchStatus
{
    unsigned code = 0;
    QString reason;
    QString stringValue; // the element's text, often empty
};

// Sent by the server when it stopped processing a batch part way.
struct GDataBatchInterrupted
{
    QString reason;
    int success = 0;
    int failures = 0;
    int parsed = 0;

    QString description() const;
};

// Batch identifiers and operations are plain strings on the wire; these name the constructors the
// callers use.
namespace GDataBatchID {
inline QString batchIDWithString(const QString &text)
{
    return text;
}
} // namespace GDataBatchID

namespace GDataBatchOperation {
inline QString batchOperationWithType(const QString &type)
{
    return type;
}
} // namespace GDataBatchOperation
