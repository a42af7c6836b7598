#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QString>
#include <QVariantMap>

// A browser dictionary edited in a window, written back into the held Google entry field by
// field. Each update compares the new value with what the entry's readers show today and does
// nothing when they are equal; otherwise it changes the element those readers read, removes it
// for an empty value, or adds one when there was none. A new element is marked primary when the
// contact has none of its kind yet, or none of them is primary. Nothing here talks to Google: the
// caller sends the changed entry.
namespace tolvane {

// "notes", "nameDict", "isCo", "gender", "org", "job", the e-mails, phones, IM handles and
// address dictionaries, in this order; a contact still without the program's property gets the
// one the browser writes for the dictionary.
void assignValues(GDataEntryContact &contact, const QVariantMap &browserDictionary);

// Sets one element of the program's property (made when the contact has none), keeping the
// company mark and the gender exclusive: a gender makes "isCo" "0", and marking a company
// ("isCo" "1") empties the gender. Marking a person keeps the gender.
void assignExPropValue(GDataEntryContact &contact, const QString &value, const QString &property);

// The title from "first", "nick" and "last"; for a company ("isCompany" true) the title is its
// organisation name, "coName", as a new company's is.
void updateName(GDataEntryContact &contact, const QVariantMap &nameDictionary);
// gender: 1 male, 0 female, -1 none. A change of both writes the company mark first and then,
// for a person, the gender.
void updateGenderAndIsCo(GDataEntryContact &contact, int gender, bool isCo);
// Changes only the organisation whose name (title) the contact shows; a contact without any
// organisation gets one with the work rel.
void updateOrgAndJob(GDataEntryContact &contact, const QString &org, const QString &job);
// Every e-mail (phone) holding the current home or work value takes the new one with the home or
// work rel and no label, or goes for an empty value.
void updateEmail(GDataEntryContact &contact, const QString &address, bool isHome);
void updatePhone(GDataEntryContact &contact, const QString &number, bool isHome);
// Every mobile phone takes the new number, its rel and label kept, or goes for an empty one.
void updateMobile(GDataEntryContact &contact, const QString &number);
// imType: the IM code (0 to 7; any other code adds no handle and leaves a protocol as it is).
void updateIMUsingProtocol(GDataEntryContact &contact, const QString &handle, int imType,
                           bool isHome);
// googleAddress: "street1", "street2", "city", "state", "postal", "country". Changes only the
// address the home or work reader parses.
void updateAddress(GDataEntryContact &contact, const QVariantMap &googleAddress, bool isHome);

} // namespace tolvane
