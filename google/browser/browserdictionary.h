#pragma once

#include "foundation/parsers/addressparser.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QMetaType>
#include <QString>
#include <QVariantMap>

// The browser's view of a Google contact: a dictionary of display values with exactly 31 keys
// ("gID", "abid", "hasImage", "gHasExP", "photoLink", "imageLoaded", "image", "newImage", "name",
// "nameWithImage", "homeEmail", "workEmail", "mobilePhone", "homePhone", "workPhone",
// "homeLocation", "workLocation", "org", "job", "nameDict", "homeAddrDict", "workAddrDict",
// "homeIM", "homeIMType", "workIM", "workIMType", "notes", "isCo", "gender", "genderImage",
// "delta"). Images are QImage, "nameWithImage" a NameWithImage.
namespace tolvane {

// The name column's value: the title and the name of the 15-point icon drawn before it. A row
// holds these two texts rather than a laid-out document: an account holds up to 25,000 rows, and
// a document per row costs hundreds of megabytes and half the time of building them. The
// browser's item delegate paints the icon and the title.
struct NameWithImage
{
    QString title;
    QString imageName;
    friend bool operator==(const NameWithImage &, const NameWithImage &) = default;
};

QVariantMap tolvaneBrowserDictionary(const GDataEntryContact &contact);

// "Company" for a company, else "Account" for a contact with a stored photo, else "Blank32".
QString typeIconName(const GDataEntryContact &contact);
// "Male" or "Female" by the stored gender when the preference useGenderBasedImages is on and the
// contact is no company; else "Blank32".
QString genderIconName(const GDataEntryContact &contact);

// "street1", "street2", "city", "state", "postal", "country".
QVariantMap googleAddressDictionary(const zeltor::GoogleAddress &address);

} // namespace tolvane

Q_DECLARE_METATYPE(tolvane::NameWithImage)
