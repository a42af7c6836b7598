#pragma once

#include "platform/addressbook/recordclass.h"

#include <QDateTime>
#include <QString>

// The four custom string properties that tie a person or group to its Google entry: the entry's
// identifier, its version (its update time at Google), the time of the transfer that last brought
// both into step, and the data mask of that transfer. Their names are preference values, looked
// up at every use, so both programs agree on them.
namespace AddressBookTool {

struct LinkPropertyNames
{
    QString identifier;
    QString version;
    QString asOfDate;
    QString dataMask;
};

LinkPropertyNames contactLinkPropertyNames();
LinkPropertyNames groupLinkPropertyNames();

// Makes sure the schema holds the four properties of each class; false when one cannot be added
// (those after it are not tried).
bool addTolvaneGroupProperties();
bool addTolvaneContactProperties();

// A null identifier removes the link. Neither saves.
void setGoogleID(const QString &googleID, const GroupPtr &group);
void setGoogleID(const QString &googleID, const PersonPtr &person);

// Records a transfer: the entry's update time as the version, the as-of time, and the data mask
// preference's text (removed when the preference has none). Dates are written as date text.
void writeTransferStamp(const RecordPtr &record, const LinkPropertyNames &names,
                        const QDateTime &entryUpdated, const QDateTime &asOf);

} // namespace AddressBookTool
