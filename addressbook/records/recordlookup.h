#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

// The way into the address book: the Me record, single records by identifier, e-mail address,
// instant-messaging handle or property value, and the kind of a record. Every call searches the
// shared address book again. A lookup that finds several records answers none and logs the
// ambiguity whatever the log level.
namespace AddressBookTool {

PersonPtr meAB();
bool isMe(const RecordPtr &record);
// Null when there is no Me record.
QString myABID();

PersonPtr personByABID(const QString &abid);
GroupPtr groupByABID(const QString &abid);
GroupPtr groupByName(const QString &name);
PersonPtr findByEmail(const QString &address);
// A Jabber handle first; an AIM handle only when no record has the Jabber handle.
PersonPtr findByIM(const QString &handle);
PersonPtr findPersonByPropery(const QString &property, const QString &value);
GroupPtr groupByPropery(const QString &property, const QString &value);

bool abidIsValidRecord(const QString &abid);
bool abidIsGroup(const QString &abid);
// A record shows as a person when its flags masked with the show-as mask are 0, as a company when
// they are 1; a record without flags is a person.
bool personIsPerson(const PersonPtr &person);
bool personIsCompany(const PersonPtr &person);
bool abidIsPerson(const QString &abid);
bool abidIsCompany(const QString &abid);

} // namespace AddressBookTool
