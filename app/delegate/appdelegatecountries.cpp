#include "app/delegate/appdelegate.h"

#include "app/appkeys.h"
#include "app/apptexts.h"
#include "app/prefs/sortdescriptors.h"
#include "foundation/log.h"
#include "foundation/parsers/addressparser.h"
#include "foundation/parsers/parserkeys.h"
#include "foundation/text/zeltorstring.h"
#include "google/engine/googlekeys.h"
#include "model/refdata/country.h"
#include "model/refdata/region.h"
#include "model/tolvaneowner.h"
#include "platform/addressbook/abconstants.h"
#include "platform/defaults/userdefaults.h"
#include "platform/store/managedobjectcontext.h"

#include <QLocale>
#include <QSet>

#include <algorithm>
#include <array>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

struct Continent
{
    const QString &preference;
    QString name;
};

// The continents of the pickers, in the order the region list is built.
const std::array<Continent, 5> &continents()
{
    static const std::array<Continent, 5> list = {{
        {appkeys::useAmericas, QStringLiteral("Americas")},
        {appkeys::useAfrica, QStringLiteral("Africa")},
        {appkeys::useEurope, QStringLiteral("Europe")},
        {appkeys::useAsia, QStringLiteral("Asia")},
        {appkeys::useOceania, QStringLiteral("Oceania")},
    }};
    return list;
}

QString localeCountryCode()
{
    return QLocale::territoryToCode(QLocale().territory());
}

} // namespace

QString AppDelegate::defaultCountry() const
{
    const QVariant stored = UserDefaults::standard().objectForKey(zeltor::kDefaultCountryKey);
    if (stored.isValid())
        return stored.toString();
    if (!m_context)
        return QString();
    const Country *const country = Country::lookupByISO(localeCountryCode(), *m_context);
    return country ? country->name() : QString();
}

Country *AppDelegate::countryNamed(const QString &name) const
{
    return m_context ? Country::lookup(name, *m_context) : nullptr;
}

void AppDelegate::loadRegionData()
{
    m_useRegionsArray.clear();
    if (!m_context)
        return;
    UserDefaults &defaults = UserDefaults::standard();
    for (const Continent &continent : continents()) {
        if (!defaults.boolForKey(continent.preference))
            continue;
        const auto regions = Region::regionsForGeoRegion(continent.name, *m_context);
        for (const Region *region : regions.value_or(QList<Region *>()))
            m_useRegionsArray.append({region->name(), false});
    }
    sortdescriptors::sortRows(
        m_useRegionsArray, nameSort(), [](const RegionChoice &row, const QString &key) {
            return key == QStringLiteral("name") ? QVariant(row.name) : QVariant(row.on);
        });
    loadTolvaneRegions();
    loadCountryData();
}

void AppDelegate::loadTolvaneRegions()
{
    if (!m_owner)
        return;
    QSet<QString> preferred;
    for (ManagedObject *object : m_owner->menuPrefs())
        preferred.insert(static_cast<Region *>(object)->name());
    for (RegionChoice &choice : m_useRegionsArray)
        if (preferred.contains(choice.name))
            choice.on = true;
}

void AppDelegate::setRegionOn(int row, bool on)
{
    if (row >= 0 && row < m_useRegionsArray.size())
        m_useRegionsArray[row].on = on;
}

void AppDelegate::loadCountryData()
{
    m_useCountriesArray.clear();
    m_countryNamesArray.clear();
    if (m_context) {
        QSet<Country *> seen;
        for (const RegionChoice &choice : std::as_const(m_useRegionsArray)) {
            if (!choice.on)
                continue;
            Region *const region = Region::lookup(choice.name, *m_context);
            if (!region)
                continue;
            for (ManagedObject *object :
                 region->allCountries().value_or(QList<ManagedObject *>())) {
                auto *const country = static_cast<Country *>(object);
                if (!seen.contains(country)) {
                    seen.insert(country);
                    m_useCountriesArray.append(country);
                }
            }
        }
    }
    sortdescriptors::sortRows(
        m_useCountriesArray, nameSort(),
        [](const Country *country, const QString &key) { return country->value(key); });
    for (const Country *country : std::as_const(m_useCountriesArray))
        m_countryNamesArray << country->name();
    std::stable_sort(
        m_countryNamesArray.begin(), m_countryNamesArray.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    UserDefaults &defaults = UserDefaults::standard();
    const QString stored = defaults.stringForKey(zeltor::kDefaultCountryKey);
    if (m_useCountriesArray.isEmpty() || !m_countryNamesArray.contains(stored)) {
        defaults.setBool(false, googlekeys::doDefaultCountry);
        defaults.setString(QString(""), zeltor::kDefaultCountryKey);
    }
    selectCountryAndRegionRows();
}

void AppDelegate::selectCountryAndRegionRows()
{
    const QString country = UserDefaults::standard().stringForKey(zeltor::kDefaultCountryKey);
    m_countrySelection = -1;
    m_regionSelection = -1;
    if (country.isEmpty())
        return;
    m_countrySelection = int(m_countryNamesArray.lastIndexOf(country));
    Country *const found = countryNamed(country);
    Region *const region = found ? found->region() : nullptr;
    if (!region) {
        // A home country the store does not know selects no region, and the start goes on.
        tlog::write(apptexts::noSuchCountry.arg(country));
        return;
    }
    for (int row = 0; row < m_useRegionsArray.size(); ++row)
        if (m_useRegionsArray.at(row).name == region->name())
            m_regionSelection = row;
}

void AppDelegate::toggleDefaultCountry()
{
    UserDefaults &defaults = UserDefaults::standard();
    if (!defaults.boolForKey(googlekeys::doDefaultCountry))
        defaults.setString(QString(""), zeltor::kDefaultCountryKey);
    selectCountryAndRegionRows();
}

QStringList AppDelegate::countryMenuItems() const
{
    QStringList names;
    for (const Country *country : m_useCountriesArray)
        names << country->name();
    return names;
}

void AppDelegate::recordTolvaneRegions()
{
    if (!m_owner || !m_context)
        return;
    for (ManagedObject *object : m_owner->menuPrefs())
        m_owner->removeMenuPrefsObject(static_cast<Region *>(object));
    for (const RegionChoice &choice : std::as_const(m_useRegionsArray)) {
        if (!choice.on)
            continue;
        if (Region *const region = Region::lookup(choice.name, *m_context))
            m_owner->addMenuPrefsObject(region);
    }
}

void AppDelegate::initializeTolvaneRegion()
{
    if (!m_context)
        return;
    Country *const country = Country::lookupByISO(localeCountryCode(), *m_context);
    const Region *const region = country ? country->region() : nullptr;
    if (!region)
        return;
    for (RegionChoice &choice : m_useRegionsArray)
        if (choice.name == region->name())
            choice.on = true;
}

void AppDelegate::initializeTolvaneGeoRegion()
{
    if (!m_context || !m_owner)
        return;
    const QString code = localeCountryCode();
    Country *const country = Country::lookupByISO(code, *m_context);
    Region *const region = country ? country->region() : nullptr;
    if (!region) {
        // A locale without a territory ("C") or a code the reference data lacks: nothing is
        // chosen, and the start goes on.
        tlog::write(apptexts::noLocaleCountry.arg(code));
        return;
    }
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(country->name(), zeltor::kDefaultCountryKey);
    defaults.setString(region->name(), appkeys::defaultRegion);
    m_owner->addMenuPrefsObject(region);
    m_useCountriesArray.clear();
    for (ManagedObject *object : region->allCountries().value_or(QList<ManagedObject *>()))
        m_useCountriesArray.append(static_cast<Country *>(object));
    const QString geoRegion = region->geoRegion();
    defaults.setString(geoRegion, appkeys::defaultGeoRegion);
    for (const Continent &continent : continents())
        if (continent.name == geoRegion)
            defaults.setBool(true, continent.preference);
}

void AppDelegate::resetTwoLabels()
{
    UserDefaults &defaults = UserDefaults::standard();
    m_twoLabels = m_threeLabels;
    m_twoLabels.removeAll(defaults.stringForKey(zeltor::kLabel1Key));
    if (!m_twoLabels.isEmpty())
        defaults.setString(m_twoLabels.at(0), zeltor::kLabel2Key);
    if (m_twoLabels.size() > 1)
        defaults.setString(m_twoLabels.at(1), zeltor::kLabel3Key);
}

void AppDelegate::resetLastLabel()
{
    UserDefaults &defaults = UserDefaults::standard();
    QStringList remaining = m_twoLabels;
    remaining.removeAll(defaults.stringForKey(zeltor::kLabel2Key));
    if (!remaining.isEmpty())
        defaults.setString(remaining.at(0), zeltor::kLabel3Key);
}

QVariantMap AppDelegate::unpackAddress(const QString &text) const
{
    QString address = text;
    if (!address.contains(QStringLiteral("\n\n")))
        address = zeltor::convertDoubleXToX(address, QStringLiteral("\n"));
    if (!address.contains(QStringLiteral("\r\r")))
        address = zeltor::convertDoubleXToX(address, QStringLiteral("\r"));
    const QChar separator = address.contains(u'\n') ? u'\n' : u'\r';
    QStringList lines;
    for (const QString &line : address.split(separator))
        if (!line.trimmed().isEmpty())
            lines << line;

    QVariantMap result;
    QString cityLine;
    bool countryFromLine = false;
    switch (lines.size()) {
    case 0:
        tlog::message(kClass, QStringLiteral("unpackAddress:"), apptexts::noRowsInGoogleAddress);
        return result;
    case 1:
        if (QStringLiteral("123456789").contains(lines.at(0).at(0)))
            result.insert(kABAddressStreetKey, lines.at(0));
        else
            cityLine = lines.at(0);
        break;
    case 2:
        result.insert(kABAddressStreetKey, lines.at(0));
        cityLine = lines.at(1);
        break;
    case 3:
        if (std::any_of(lines.at(2).cbegin(), lines.at(2).cend(),
                        [](QChar c) { return c.isDigit(); })) {
            result.insert(kABAddressStreetKey, lines.at(0) + u'\r' + lines.at(1));
            cityLine = lines.at(2);
        } else {
            result.insert(kABAddressStreetKey, lines.at(0));
            cityLine = lines.at(1);
            result.insert(kABAddressCountryKey, lines.at(2));
            countryFromLine = true;
        }
        break;
    case 4:
        result.insert(kABAddressStreetKey, lines.at(0) + u'\r' + lines.at(1));
        cityLine = lines.at(2);
        result.insert(kABAddressCountryKey, lines.at(3));
        countryFromLine = true;
        break;
    default:
        return result;
    }
    if (cityLine.isEmpty())
        return result;
    const zeltor::CityStateZip parts = zeltor::parseCSZ(cityLine);
    UserDefaults &defaults = UserDefaults::standard();
    result.insert(defaults.stringForKey(zeltor::kLabel1Key), parts.city);
    result.insert(defaults.stringForKey(zeltor::kLabel2Key), parts.state);
    result.insert(defaults.stringForKey(zeltor::kLabel3Key), parts.zip);
    if (!countryFromLine)
        result.insert(kABAddressCountryKey, parts.country);
    return result;
}
