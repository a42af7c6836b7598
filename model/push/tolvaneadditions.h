#pragma once

#include <QDateTime>
#include <QString>

// What the push snapshot reads of a Google contact or group entry: its identifier and update
// date, and the program's additions: the linked address book identifier ("" when none), the
// creation date and whether it is one of Google's own system groups.
class TolvaneAdditions
{
public:
    virtual ~TolvaneAdditions() = default;
    virtual QString identifier() const = 0;
    virtual QDateTime updatedDate() const = 0;
    virtual QString tolvaneABID() const = 0;
    virtual QDateTime tolvaneCreateDate() const = 0;
    virtual bool isGoogleSystemGroup() const = 0;
};
