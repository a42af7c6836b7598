#pragma once

#include <QString>

// Preference keys that the address book layer reads and writes. Each key has this one definition.
namespace abkeys {

// Names of the link properties that tie records to Google entries.
inline const QString googleContactIDPropertyName = QStringLiteral("googleContactIDPropertyName");
inline const QString googleContactVersionPropertyName =
    QStringLiteral("googleContactVersionPropertyName");
inline const QString googleContactAsOfDatePropertyName =
    QStringLiteral("googleContactAsOfDatePropertyName");
inline const QString googleContactDataMaskPropertyName =
    QStringLiteral("googleContactDataMaskPropertyName");
inline const QString googleGroupIDPropertyName = QStringLiteral("googleGroupIDPropertyName");
inline const QString googleGroupVersionPropertyName =
    QStringLiteral("googleGroupVersionPropertyName");
inline const QString googleGroupAsOfDatePropertyName =
    QStringLiteral("googleGroupAsOfDatePropertyName");
inline const QString googleGroupDataMaskPropertyName =
    QStringLiteral("googleGroupDataMaskPropertyName");

// The program's extended property on Google entries and its key for the record identifier.
inline const QString googleContactExtendedPropertyName =
    QStringLiteral("googleContactExtendedPropertyName");
inline const QString googleGroupExtendedPropertyName =
    QStringLiteral("googleGroupExtendedPropertyName");
inline const QString extendedRecordIDKey = QStringLiteral("aID");

inline const QString addressBookDataMask = QStringLiteral("addressBookDataMask");
inline const QString abUpdateIncludeCreateDate = QStringLiteral("abUpdateIncludeCreateDate");

// What an update from Google may remove.
inline const QString abUpdateNeverRemoveSmartGroups =
    QStringLiteral("abUpdateNeverRemoveSmartGroups");
inline const QString abUpdateNeverRemoveManualGroups =
    QStringLiteral("abUpdateNeverRemoveManualGroups");
inline const QString abUpdateNeverRemoveCompanies = QStringLiteral("abUpdateNeverRemoveCompanies");
inline const QString abUpdateNeverRemovePeople = QStringLiteral("abUpdateNeverRemovePeople");
inline const QString abUpdateNeverRemoveContacts = QStringLiteral("abUpdateNeverRemoveContacts");

// Which kinds an update to Google carries.
inline const QString gmUpdatePeople = QStringLiteral("gmUpdatePeople");
inline const QString gmUpdateCompanies = QStringLiteral("gmUpdateCompanies");

// How a person's name becomes a Google contact's title.
inline const QString gmUpdateNameFormat = QStringLiteral("gmUpdateNameFormat");
inline const QString gmUpdateNicknameUsage = QStringLiteral("gmUpdateNicknameUsage");
inline const QString gmUpdateKeepSeperate = QStringLiteral("gmUpdateKeepSeperate");

// What the poster text of a person shows, and which map service shows an address.
inline const QString displayOrgAndJob = QStringLiteral("displayOrgAndJob");
inline const QString displayFirst = QStringLiteral("displayFirst");
inline const QString displayCSZ = QStringLiteral("displayCSZ");
inline const QString useGoogleMaps = QStringLiteral("useGoogleMaps");

// The snapshot the main program stores when it quits.
inline const QString lastABPersonCount = QStringLiteral("lastABPersonCount");
inline const QString lastABGroupCount = QStringLiteral("lastABGroupCount");
inline const QString lastABPersonInsert = QStringLiteral("lastABPersonInsert");
inline const QString lastABGroupInsert = QStringLiteral("lastABGroupInsert");
inline const QString lastABPersonUpdate = QStringLiteral("lastABPersonUpdate");
inline const QString lastABGroupUpdate = QStringLiteral("lastABGroupUpdate");

// Totals published for the windows.
inline const QString addressBookTotalManualGroups = QStringLiteral("addressBookTotalManualGroups");
inline const QString addressBookTotalSmartGroups = QStringLiteral("addressBookTotalSmartGroups");
inline const QString addressBookTotalGroups = QStringLiteral("addressBookTotalGroups");
inline const QString addressBookTotalPeople = QStringLiteral("addressBookTotalPeople");
inline const QString addressBookTotalCompanies = QStringLiteral("addressBookTotalCompanies");
inline const QString addressBookTotalContacts = QStringLiteral("addressBookTotalContacts");
inline const QString addressBookTotalNoGroups = QStringLiteral("addressBookTotalNoGroups");
inline const QString addressBookHasData = QStringLiteral("addressBookHasData");

// Counts logged at start.
inline const QString personCountAddressBook = QStringLiteral("personCountAddressBook");
inline const QString birthdayCountAddressBook = QStringLiteral("birthdayCountAddressBook");
inline const QString anniversaryCountAddressBook = QStringLiteral("anniversaryCountAddressBook");
inline const QString personImageCountAddressBook = QStringLiteral("personImageCountAddressBook");
inline const QString companyCountAddressBook = QStringLiteral("companyCountAddressBook");
inline const QString companyImageCountAddressBook = QStringLiteral("companyImageCountAddressBook");

} // namespace abkeys
