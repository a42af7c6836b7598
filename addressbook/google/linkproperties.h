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
// The identifier's name alone, for lookups that run once per entry of a whole transfer.
QString contactIDPropertyName();
QString groupIDPropertyName();

// Makes sure the schema holds the four properties of each class; false when one cannot be added
// (those after it are not tried).
bool addTolvaneGroupProperties();
bool addTolvaneContactProperties();

// Every write of a link property below leaves the record's modification date alone: tying a
// record to its Google entry is no edit of the record, and an edit is what the next upload looks
// for. Nothing here saves.

// Sets one link property; a null value removes it.
void setLinkProperty(Record &record, const QString &property, const QString &value);

// A null identifier removes the link.
void setGoogleID(const QString &googleID, const GroupPtr &group);
void setGoogleID(const QString &googleID, const PersonPtr &person);

// Records a transfer: the entry's update time as the version, the as-of time, and the data mask
// preference's text (removed when the preference has none). Dates are written as date text.
void writeTransferStamp(const RecordPtr &record, const LinkPropertyNames &names,
                        const QDateTime &entryUpdated, const QDateTime &asOf);

} // namespace AddressBookTool
