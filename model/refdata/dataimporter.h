#pragma once

#include <QList>
#include <QString>

#include <optional>

class AreaCode;
class ManagedObjectContext;
class State;
struct PhoneFormatSettings;

// Fills the reference entities from the program's tab-separated resource files ("SupportData",
// "Regions", "Countries" and one state file per country code, each of type "txt"), and rebuilds
// the phone formats. The resource folder is the program's own unless a caller names another.
namespace DataImporter {

inline const QString kResourceFolder = QStringLiteral(":/refdata");

// Imports support values, regions, countries and their states, only when counting the countries
// succeeded and found none; then, either way, the application delegate saves the store. The
// version and the limit take no part.
void importAllInContext(ManagedObjectContext &context, const QString &version, int limitation,
                        const QString &folder = kResourceFolder);

void importSuppotDataInContext(ManagedObjectContext &context,
                               const QString &folder = kResourceFolder);
void importSubRegionDataInContext(ManagedObjectContext &context,
                                  const QString &folder = kResourceFolder);
void importCountryDataInContext(ManagedObjectContext &context,
                                const QString &folder = kResourceFolder);

// A user's file of "code<TAB>name" lines for one country (a code or a name); nullopt when the
// file cannot be read.
std::optional<QList<State *>> importStatesNameFile(const QString &path, const QString &country,
                                                   ManagedObjectContext &context);
std::optional<QList<AreaCode *>> importAreaCodeFile(const QString &path, const QString &country,
                                                    ManagedObjectContext &context);

// Replaces every PhoneFormat row with one per current layout: the address book's when its
// formatting is on, else the built-in ones. Does not save.
void importPhoneFormatDataInContext(ManagedObjectContext &context,
                                    const PhoneFormatSettings &addressBookSettings);

} // namespace DataImporter
