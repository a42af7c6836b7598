#include "google/browser/browserextendedproperty.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/text/textdate.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "platform/defaults/userdefaults.h"

namespace tolvane {

namespace {

// A dictionary without "gender" leaves the contact without one: no gender is not female.
QString genderText(const QVariantMap &browserDictionary)
{
    const QVariant gender = browserDictionary.value(QStringLiteral("gender"));
    if (!gender.isValid())
        return QStringLiteral("");
    const int code = gender.toInt();
    if (code > 0)
        return QStringLiteral("M");
    return code == 0 ? QStringLiteral("F") : QStringLiteral("");
}

QString text(const QVariantMap &dictionary, const QString &key)
{
    return dictionary.value(key).toString();
}

} // namespace

GDataExtendedProperty googleExtendedPropertiesForBrowserDictionary(
    const GDataEntryContact &contact, const QVariantMap &browserDictionary, const QDateTime &now)
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString stamp = textdate::format(now);
    const QVariantMap names = browserDictionary.value(QStringLiteral("nameDict")).toMap();
    const std::vector<GDataExtendedProperty::XMLValue> xml = {
        {QStringLiteral("aID"), QStringLiteral("tolvaneBrowser")},
        {defaults.stringForKey(googlekeys::googleDataMask), stamp},
        {QStringLiteral("asOf"), stamp},
        {QStringLiteral("isCo"),
         QString::number(browserDictionary.value(QStringLiteral("isCo")).toInt())},
        {QStringLiteral("gender"), genderText(browserDictionary)},
        {QStringLiteral("gT"), tolvaneTitle(contact)},
        {QStringLiteral("aF"), text(names, QStringLiteral("first"))},
        {QStringLiteral("aN"), text(names, QStringLiteral("nick"))},
        {QStringLiteral("aL"), text(names, QStringLiteral("last"))},
        {QStringLiteral("aC"), text(browserDictionary, QStringLiteral("org"))},
        {QStringLiteral("gID"), text(browserDictionary, QStringLiteral("gID"))}};
    GDataExtendedProperty property = GDataExtendedProperty::propertyWithName(
        defaults.stringForKey(abkeys::googleContactExtendedPropertyName));
    property.setXMLValues(xml);
    return property;
}

} // namespace tolvane
