#pragma once

#include <QString>

// The readable name of a property, label or address key in the user's language: "work", "home",
// "home page" for labels (lower case), "Street", "City", "ZIP" for address keys, an English name
// for other properties. A string the address book does not know (a custom label) comes back
// unchanged. Translated through the "AB" context of the installed Qt translations.
QString localizedPropertyOrLabel(const QString &propertyOrLabel);
