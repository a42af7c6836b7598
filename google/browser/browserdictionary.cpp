#include "google/browser/browserdictionary.h"

#include "google/browser/namedictionary.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "platform/defaults/userdefaults.h"

#include <QDir>
#include <QHash>
#include <QImage>

namespace tolvane {

namespace {

// The application's image of that name; a null image when there is none. Every row of a fetch
// asks for one of a few images, and a missing one is looked for under every image format, so
// each is read once for the folders it is searched in.
QImage imageNamed(const QString &name)
{
    static QHash<QString, QImage> read;
    const QString key = QDir::searchPaths(QStringLiteral("images")).join(u'\n') + u'\n' + name;
    const auto found = read.constFind(key);
    if (found != read.cend())
        return *found;
    return *read.insert(key, QImage(QStringLiteral("images:") + name));
}

QString typeIcon(bool company, bool hasImage)
{
    if (company)
        return QStringLiteral("Company");
    return hasImage ? QStringLiteral("Account") : QStringLiteral("Blank32");
}

QString genderIcon(bool company, const QString &gender)
{
    if (company || !UserDefaults::standard().boolForKey(googlekeys::useGenderBasedImages))
        return QStringLiteral("Blank32");
    if (gender == u"M")
        return QStringLiteral("Male");
    if (gender == u"F")
        return QStringLiteral("Female");
    return QStringLiteral("Blank32");
}

} // namespace

QString typeIconName(const GDataEntryContact &contact)
{
    return typeIcon(tolvaneIsCompany(contact), tolvaneHasImage(contact));
}

QString genderIconName(const GDataEntryContact &contact)
{
    return genderIcon(tolvaneIsCompany(contact), tolvaneGender(contact));
}

QVariantMap googleAddressDictionary(const zeltor::GoogleAddress &address)
{
    return {
        {QStringLiteral("street1"), address.street1}, {QStringLiteral("street2"), address.street2},
        {QStringLiteral("city"), address.city},       {QStringLiteral("state"), address.state},
        {QStringLiteral("postal"), address.postal},   {QStringLiteral("country"), address.country}};
}

QVariantMap tolvaneBrowserDictionary(const GDataEntryContact &contact)
{
    // Each value read once: every read of the contact's program property or of an address asks
    // the preferences again, and a fetch builds 25,000 rows.
    const bool hasImage = tolvaneHasImage(contact);
    const bool company = tolvaneIsCompany(contact);
    const QString title = tolvaneTitle(contact);
    const QString typeIconName = typeIcon(company, hasImage);
    const zeltor::GoogleAddress home = tolvaneHomeAddress(contact);
    const zeltor::GoogleAddress work = tolvaneWorkAddress(contact);
    return {
        {QStringLiteral("gID"), contact.identifier()},
        {QStringLiteral("abid"), tolvaneABID(contact)},
        {QStringLiteral("hasImage"), hasImage},
        {QStringLiteral("gHasExP"), tolvaneHasExtendedProperties(contact)},
        {QStringLiteral("photoLink"), hasImage ? tolvanePhotoLink(contact) : QStringLiteral("")},
        {QStringLiteral("imageLoaded"), false},
        {QStringLiteral("image"), imageNamed(typeIconName)},
        {QStringLiteral("newImage"), QStringLiteral("")},
        {QStringLiteral("name"), title},
        {QStringLiteral("nameWithImage"), QVariant::fromValue(NameWithImage{title, typeIconName})},
        {QStringLiteral("homeEmail"), tolvaneHomeEmail(contact)},
        {QStringLiteral("workEmail"), tolvaneWorkEmail(contact)},
        {QStringLiteral("mobilePhone"), tolvaneMobilePhone(contact)},
        {QStringLiteral("homePhone"), tolvaneHomePhone(contact)},
        {QStringLiteral("workPhone"), tolvaneWorkPhone(contact)},
        {QStringLiteral("homeLocation"), tolvaneLocation(home)},
        {QStringLiteral("workLocation"), tolvaneLocation(work)},
        {QStringLiteral("org"), tolvaneOrg(contact)},
        {QStringLiteral("job"), tolvaneJob(contact)},
        {QStringLiteral("nameDict"), tolvaneNameDictionary(contact)},
        {QStringLiteral("homeAddrDict"), googleAddressDictionary(home)},
        {QStringLiteral("workAddrDict"), googleAddressDictionary(work)},
        {QStringLiteral("homeIM"), tolvaneHomeIM(contact)},
        {QStringLiteral("homeIMType"), tolvaneHomeIMType(contact)},
        {QStringLiteral("workIM"), tolvaneWorkIM(contact)},
        {QStringLiteral("workIMType"), tolvaneWorkIMType(contact)},
        {QStringLiteral("notes"), tolvaneNote(contact)},
        {QStringLiteral("isCo"), company},
        {QStringLiteral("gender"), tolvaneGenderInt(contact)},
        {QStringLiteral("genderImage"), imageNamed(genderIcon(company, tolvaneGender(contact)))},
        {QStringLiteral("delta"), 0},
    };
}

} // namespace tolvane
