#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>
#include <QVariantMap>

// The factory values of the main program, in two layers registered before any preference is read:
// the fixed values of the program's "InitialDefaults" resource, then values made at run time from
// the user's Me record and the locale, which replace a fixed value of the same key. Registered
// values answer only while the user has stored none, and are never written to the preferences.
namespace factorydefaults {

// The three address labels that follow the street, as the address book names them in the user's
// language.
struct AddressLabels
{
    QString city;
    QString state;
    QString postal;
};
AddressLabels addressLabels();

// The area code of a phone number as the user's Me record holds it: between the first "(" and the
// ")" after it, else the first three characters of a number of more than 8 characters without
// parentheses, else none.
QString areaCodeOfPhone(const QString &phone);

// The run-time layer for the Me record (null: none).
QVariantMap runTimeValues(const PersonPtr &me);

// Registers both layers in the standard preferences.
void registerFactoryDefaults();

} // namespace factorydefaults
