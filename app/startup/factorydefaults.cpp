#include "app/startup/factorydefaults.h"

#include "addressbook/fields/personaddresses.h"
#include "addressbook/fields/personphones.h"
#include "addressbook/records/mynames.h"
#include "addressbook/records/recordlookup.h"
#include "app/appkeys.h"
#include "app/startup/initialdefaults.h"
#include "foundation/parsers/countrynames.h"
#include "foundation/parsers/parserkeys.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"

namespace factorydefaults {
namespace {

// A Me record without a usable phone leaves the area code lengths at the commonest length.
constexpr int kDefaultAreaCodeLength = 3;

QString addressValue(const QVariantMap &address, const QString &key)
{
    return address.value(key).toString();
}

// The country of the Me record's address: its text, a two-letter code turned into its name, and
// the locale's own country when the address names none.
QString countryOfAddress(const QVariantMap &address)
{
    const QString country = addressValue(address, kABAddressCountryKey);
    if (country.isEmpty())
        return zeltor::localeCountryName();
    if (country.size() == 2) {
        const QString name = zeltor::countryNameForCode(country);
        return name.isEmpty() ? country : name;
    }
    return country;
}

void addAddressValues(QVariantMap &values, const PersonPtr &me)
{
    const QVariantMap address = me ? AddressBookTool::primaryAddressForPerson(me) : QVariantMap();
    QString city, state, postal, country;
    if (!address.isEmpty()) {
        city = addressValue(address, kABAddressCityKey);
        state = addressValue(address, kABAddressStateKey);
        postal = addressValue(address, kABAddressZIPKey);
        country = countryOfAddress(address);
    }
    values.insert(appkeys::defaultCity, city);
    values.insert(appkeys::defaultState, state);
    values.insert(appkeys::defaultPostalCode, postal);
    values.insert(zeltor::kDefaultCountryKey, country);
    values.insert(appkeys::useDefaultCity, city.isEmpty());
    values.insert(appkeys::useDefaultState, state.isEmpty());
    values.insert(appkeys::useDefaultPostalCode, postal.isEmpty());
    values.insert(appkeys::useDefaultCountry, country.isEmpty());
}

void addAreaCodeValues(QVariantMap &values, const PersonPtr &me)
{
    const QString phone = me ? AddressBookTool::primaryPhoneForPerson(me) : QString();
    const QString areaCode = areaCodeOfPhone(phone);
    const int length = phone.size() <= 2 ? kDefaultAreaCodeLength : int(areaCode.size());
    values.insert(appkeys::defaultAreaCode, areaCode);
    values.insert(appkeys::updateAreaCode, areaCode);
    values.insert(appkeys::minAreaCodeLength, length);
    values.insert(appkeys::maxAreaCodeLength, length);
}

} // namespace

AddressLabels addressLabels()
{
    return {localizedPropertyOrLabel(kABAddressCityKey),
            localizedPropertyOrLabel(kABAddressStateKey),
            localizedPropertyOrLabel(kABAddressZIPKey)};
}

QString areaCodeOfPhone(const QString &phone)
{
    if (phone.size() <= 2)
        return QString();
    const qsizetype open = phone.indexOf(u'(');
    if (open >= 0) {
        const qsizetype close = phone.indexOf(u')', open + 1);
        return close > open ? phone.mid(open + 1, close - open - 1) : QString();
    }
    if (!phone.contains(u')') && phone.size() > 8)
        return phone.left(3);
    return QString();
}

QVariantMap runTimeValues(const PersonPtr &me)
{
    QVariantMap values;
    values.insert(googlekeys::gsAccount, AddressBookTool::myGoogleEmail());
    const AddressLabels labels = addressLabels();
    values.insert(appkeys::streetLabel, localizedPropertyOrLabel(kABAddressStreetKey));
    values.insert(zeltor::kLabel1Key, labels.city);
    values.insert(zeltor::kLabel2Key, labels.state);
    values.insert(zeltor::kLabel3Key, labels.postal);
    values.insert(appkeys::countryLabel, localizedPropertyOrLabel(kABAddressCountryKey));
    addAddressValues(values, me);
    addAreaCodeValues(values, me);
    return values;
}

void registerFactoryDefaults()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.registerDefaults(initialdefaults::values());
    defaults.registerDefaults(runTimeValues(AddressBookTool::meAB()));
}

} // namespace factorydefaults
