#pragma once

#include "foundation/parsers/addressparser.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QString>
#include <QVariantMap>

// The browser's view of a Google contact: a dictionary of display values with exactly 31 keys
// ("gID", "abid", "hasImage", "gHasExP", "photoLink", "imageLoaded", "image", "newImage", "name",
// "nameWithImage", "homeEmail", "workEmail", "mobilePhone", "homePhone", "workPhone",
// "homeLocation", "workLocation", "org", "job", "nameDict", "homeAddrDict", "workAddrDict",
// "homeIM", "homeIMType", "workIM", "workIMType", "notes", "isCo", "gender", "genderImage",
// "delta"). Images are QImage, "nameWithImage" a QSharedPointer<QTextDocument>.
namespace tolvane {

QVariantMap tolvaneBrowserDictionary(const GDataEntryContact &contact);

// "Company" for a company, else "Account" for a contact with a stored photo, else "Blank32".
QString typeIconName(const GDataEntryContact &contact);
// "Male" or "Female" by the stored gender when the preference useGenderBasedImages is on and the
// contact is no company; else "Blank32".
QString genderIconName(const GDataEntryContact &contact);

// "street1", "street2", "city", "state", "postal", "country".
QVariantMap googleAddressDictionary(const zeltor::GoogleAddress &address);

} // namespace tolvane
