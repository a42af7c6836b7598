#pragma once

#include <QDateTime>
#include <QString>

// What the push snapshot reads of an address book person, company or group: its identifier, its
// Google identifier link property (null when unlinked) and its creation and modification dates.
class TolvaneRecord
{
public:
    virtual ~TolvaneRecord() = default;
    virtual QString uniqueId() const = 0;
    virtual QString googleID() const = 0;
    virtual QDateTime creationDate() const = 0;
    virtual QDateTime modificationDate() const = 0;
};
