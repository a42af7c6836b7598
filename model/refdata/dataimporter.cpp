#include "model/refdata/dataimporter.h"

#include "foundation/applicationdelegate.h"
#include "foundation/log.h"
#include "model/fetchlog.h"
#include "model/refdata/areacode.h"
#include "model/refdata/country.h"
#include "model/refdata/phoneformat.h"
#include "model/refdata/region.h"
#include "model/refdata/state.h"
#include "model/refdata/support.h"
#include "model/refdata/tabbedtext.h"
#include "platform/addressbook/phoneformatsettings.h"

#include <QFile>

// The resource list is compiled into this static library; naming it here keeps the linker from
// dropping it.
static void initReferenceDataResources()
{
    Q_INIT_RESOURCE(refdata);
}

namespace DataImporter {
namespace {

const QString kClass = QStringLiteral("DataImporter");
const QString kBootstrap = QStringLiteral("kvBootstrap");

enum class Column { Text, Integer, Boolean, Region };

struct CountryColumn
{
    const char *attribute;
    Column kind;
};

// The 21 columns of the "Countries" file, in file order.
constexpr CountryColumn kCountryColumns[] = {
    {"isoCode", Column::Text},
    {"name", Column::Text},
    {"countryCode", Column::Text},
    {"internationalAccessCode", Column::Text},
    {"minAreaCode", Column::Integer},
    {"maxAreaCode", Column::Integer},
    {"minPhoneNumber", Column::Integer},
    {"maxPhoneNumber", Column::Integer},
    {"minStateCode", Column::Integer},
    {"maxStateCode", Column::Integer},
    {"spaceStateCode", Column::Boolean},
    {"dashStateCode", Column::Boolean},
    {"onlyUpperStateCode", Column::Boolean},
    {"minPostalCode", Column::Integer},
    {"maxPostalCode", Column::Integer},
    {"spacePostalCode", Column::Boolean},
    {"dashPostalCode", Column::Boolean},
    {"onlyUpperPostalCode", Column::Boolean},
    {"region", Column::Region},
    {"uNCode", Column::Integer},
    {"uNName", Column::Text},
};

std::optional<QList<QStringList>> readRows(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return tabbedtext::rows(QString::fromUtf8(file.readAll()));
}

std::optional<QList<QStringList>> readResource(const QString &folder, const QString &name)
{
    static const bool s_resources = (initReferenceDataResources(), true);
    Q_UNUSED(s_resources);
    return readRows(folder + u'/' + name + QStringLiteral(".txt"));
}

bool isHeader(const QStringList &row, const QString &header, bool anyCase)
{
    const QString first = tabbedtext::field(row, 0);
    return (anyCase ? first.toUpper() : first) == header;
}

qsizetype countOf(const QString &className, ManagedObjectContext &context)
{
    return TolvaneManagedObject::allInContext(className, context)
        .value_or(QList<ManagedObject *>{})
        .size();
}

void fillCountry(Country &country, const QStringList &row, ManagedObjectContext &context)
{
    for (int column = 0; column < int(std::size(kCountryColumns)); ++column) {
        const QString key = QString::fromLatin1(kCountryColumns[column].attribute);
        const QString text = tabbedtext::field(row, column);
        switch (kCountryColumns[column].kind) {
        case Column::Text:
            country.setValue(key, text);
            break;
        case Column::Integer:
            country.setValue(key, tabbedtext::leadingInteger(text));
            break;
        case Column::Boolean:
            country.setValue(key, tabbedtext::leadingInteger(text) != 0);
            break;
        case Column::Region:
            country.setRegion(Region::lookup(text, context));
            break;
        }
    }
}

void importStateDataForCountry(Country &country, ManagedObjectContext &context,
                               const QString &folder)
{
    const std::optional<QList<QStringList>> rows = readResource(folder, country.isoCode());
    if (!rows) {
        country.setIsActive(false);
        return;
    }
    country.setIsActive(true);
    for (const QStringList &row : *rows) {
        if (isHeader(row, QStringLiteral("STATE"), true))
            continue;
        State *state = context.insertNew<State>();
        state->setSource(kBootstrap);
        state->setName(tabbedtext::field(row, 0));
        state->setCode(tabbedtext::field(row, 1));
        state->setCountry(&country);
    }
}

template <class T>
std::optional<QList<T *>> importUserFile(const QString &path, const QString &countryText,
                                         ManagedObjectContext &context)
{
    const std::optional<QList<QStringList>> rows = readRows(path);
    if (!rows)
        return std::nullopt;
    Country *country = Country::lookup(countryText, context);
    QList<T *> made;
    for (const QStringList &row : *rows) {
        T *place = context.insertNew<T>();
        place->setSource(QStringLiteral("userTextFile"));
        place->setCode(tabbedtext::field(row, 0));
        place->setName(tabbedtext::field(row, 1));
        place->setCountry(country);
        made.append(place);
    }
    return made;
}

} // namespace

void importAllInContext(ManagedObjectContext &context, const QString &, int, const QString &folder)
{
    StoreError error;
    const auto countries = context.executeFetchRequest(FetchRequest(Country::entityName()), &error);
    if (!countries) {
        // An uncounted store is not an empty one: importing now could store every row twice.
        fetchlog::logFailure(kClass, QStringLiteral("importAllInContext:version:limitation:"),
                             QString(), error);
    } else if (countries->isEmpty()) {
        importSuppotDataInContext(context, folder);
        importSubRegionDataInContext(context, folder);
        importCountryDataInContext(context, folder);
    }
    // The save also stores the phone formats rebuilt just before.
    ApplicationDelegate::updateCoreDataIfOffered();
}

void importSuppotDataInContext(ManagedObjectContext &context, const QString &folder)
{
    const std::optional<QList<QStringList>> rows =
        readResource(folder, QStringLiteral("SupportData"));
    if (!rows)
        return;
    for (const QStringList &row : *rows) {
        Support *support = context.insertNew<Support>();
        support->setSource(kBootstrap);
        support->setType(tabbedtext::field(row, 0));
        support->setCode(tabbedtext::field(row, 1));
        support->setStringVal(tabbedtext::field(row, 2));
        support->setIntVal(tabbedtext::leadingInteger(tabbedtext::field(row, 3)));
    }
    if (tlog::diagnostics())
        tlog::labelled(kClass, QStringLiteral("importSuppotDataInContext:"),
                       QStringLiteral("Support Data Completed"),
                       int(countOf(Support::entityName(), context)));
}

void importSubRegionDataInContext(ManagedObjectContext &context, const QString &folder)
{
    tlog::trace(kClass, QStringLiteral("importSubRegionDataInContext:"));
    const QList<QStringList> rows =
        readResource(folder, QStringLiteral("Regions")).value_or(QList<QStringList>{});
    for (const QStringList &row : rows) {
        if (isHeader(row, QStringLiteral("GEOREGION"), true))
            continue;
        Region *region = context.insertNew<Region>();
        region->setSource(kBootstrap);
        region->setType(0);
        region->setGeoRegion(tabbedtext::field(row, 0));
        region->setName(tabbedtext::field(row, 1));
    }
    tlog::write(QStringLiteral("SubRegion & Region count = %1")
                    .arg(countOf(Region::entityName(), context)));
}

void importCountryDataInContext(ManagedObjectContext &context, const QString &folder)
{
    const QList<QStringList> rows =
        readResource(folder, QStringLiteral("Countries")).value_or(QList<QStringList>{});
    for (const QStringList &row : rows) {
        if (isHeader(row, QStringLiteral("ISO"), false))
            continue;
        Country *country = context.insertNew<Country>();
        country->setSource(kBootstrap);
        country->setAllowNewStates(true);
        fillCountry(*country, row, context);
        importStateDataForCountry(*country, context, folder);
    }
}

std::optional<QList<State *>> importStatesNameFile(const QString &path, const QString &country,
                                                   ManagedObjectContext &context)
{
    return importUserFile<State>(path, country, context);
}

std::optional<QList<AreaCode *>> importAreaCodeFile(const QString &path, const QString &country,
                                                    ManagedObjectContext &context)
{
    return importUserFile<AreaCode>(path, country, context);
}

void importPhoneFormatDataInContext(ManagedObjectContext &context,
                                    const PhoneFormatSettings &addressBookSettings)
{
    // Without the old rows in hand they cannot be replaced; keep them rather than add a second set.
    const std::optional<QList<PhoneFormat *>> old =
        TolvaneManagedObject::allInContext<PhoneFormat>(context);
    if (!old)
        return;
    for (PhoneFormat *row : *old)
        context.deleteObject(row);
    const QStringList layouts =
        addressBookSettings.enabled ? addressBookSettings.formats : PhoneFormat::builtInLayouts();
    if (addressBookSettings.enabled)
        tlog::write(QStringLiteral("%1 phone formats").arg(layouts.size()));
    for (const QString &layout : layouts) {
        PhoneFormat *row = context.insertNew<PhoneFormat>();
        row->setSource(kBootstrap);
        row->setFormattingString(layout);
        row->setInitialCharacter(PhoneFormat::initialCharacterOfLayout(layout));
        row->setDigitCount(PhoneFormat::digitCountOfLayout(layout));
    }
}

} // namespace DataImporter
