#pragma once

#include "addressbook/vcards/vcardexportoptions.h"
#include "platform/addressbook/recordclass.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The vCard of an address book person as the program exports it: the address book's own vCard,
// filtered by the user's vCard export preferences, with the person's photo and note added when
// the address book left them out.
namespace AddressBookTool {

QString vCardStringForPerson(const Person &person);
// The same with the preferences read once by the caller, for exports of many people at a time
// (reading them costs more than filtering a card).
QString vCardStringForPerson(const Person &person, const VCardExportOptions &options);
// The same with picture bytes of the caller's added in place of the person's own, when the card
// has no photo and photos are not excluded (a Google contact's card gets the portrait that the
// browser shows).
QString vCardStringForPerson(const Person &person, const VCardExportOptions &options,
                             const QByteArray &imageData);
// The UTF-8 bytes of a vCard text up to its first NUL character, should one occur.
QByteArray vCardDataForString(const QString &text);
// The UTF-8 bytes of vCardStringForPerson up to a NUL character, should one occur; null for no
// person.
QByteArray vCardForABPerson(const PersonPtr &person);

// The same for the person of that record identifier; null when there is none.
QByteArray vCardForABID(const QString &abid);
// The vCards of the direct members of a group, people and companies alike, in the order of
// membersOfGroupID (or membersOfGroupName); the preferences are read once for the whole group.
QList<QByteArray> vCardsForMembersOfGroupID(const QString &groupABID);
QList<QByteArray> vCardsForMembersOfGroup(const QString &groupName);

// The person's note with its line breaks (CR LF or CR) as line feeds.
QString vCardNoteStringForPerson(const Person &person);
// The person's own image data in Base64, one line.
QString vCardImageStringForPerson(const Person &person);

} // namespace AddressBookTool
