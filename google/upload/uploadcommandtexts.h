#pragma once

#include <QString>

// The sheets and progress texts of the upload commands, one definition each.
namespace uploadtexts {

inline const QString cancelButton = QStringLiteral("Cancel");
inline const QString cannotBeUndone = QStringLiteral("This cannot be undone!");
inline const QString noUpdateRequired = QStringLiteral("No update is required.");
inline const QString initializing = QStringLiteral("Initializing a Google update");

inline const QString groupTitle = QStringLiteral("Upload the Address Book Group \"%1\" to Google?");
inline const QString groupAlternate = QStringLiteral("Just create the Group");
inline const QString groupOther = QStringLiteral("Create Group AND Upload all Members");

inline const QString manualGroupsTitle = QStringLiteral("Upload %1 Address Book Groups to Google?");
inline const QString manualGroupsAlternate = QStringLiteral("Just Upload the Groups");
inline const QString manualGroupsOther = QStringLiteral("Upload Groups AND Members");
inline const QString noManualGroups = QStringLiteral("There are no manual groups in Address Book.");

inline const QString smartGroupsTitle =
    QStringLiteral("Upload %1 Address Book Smart Groups to Google?");
inline const QString smartGroupsAlternate = QStringLiteral("Upload just Smart Groups");
inline const QString smartGroupsOther = QStringLiteral("Upload Smart Groups AND Members");
inline const QString noSmartGroups = QStringLiteral("There are no smart groups in Address Book.");

inline const QString googleMembersTitle =
    QStringLiteral("Use Address Book data to update the information on  %1 Google Contacts who "
                   "are members of group \"%2\"?");
inline const QString googleMembersAlternate = QStringLiteral("Upload Google Contacts");
inline const QString noGoogleMembers =
    QStringLiteral("There are no current members of Google Group: %1.");
inline const QString noABDataForGoogleMembers =
    QStringLiteral("There is no Address Book data for the current members of Google Group: %1.");

inline const QString allGoogleTitle =
    QStringLiteral("Use Address Book data to update the information on  %1 Google Contacts?");
inline const QString allGoogleAlternate = QStringLiteral("Update Google Contacts");
inline const QString noUpdatePossible = QStringLiteral("No update is possible.");
inline const QString noGoogleContactsInAB =
    QStringLiteral("No Google Contacts found in the Address Book data.");

inline const QString groupMembersTitle =
    QStringLiteral("Upload the %1 members of Address Book group \"%2\" to Google?");
inline const QString groupMembersAlternate = QStringLiteral("Just Upload the Members.");
inline const QString groupMembersOther = QStringLiteral("Upload the Members AND Create the group.");
inline const QString alreadyUpToDate = QStringLiteral("All information is already up to date.");

inline const QString companiesTitle =
    QStringLiteral("Upload the %1 companies in Address Book to Google?");
inline const QString companiesAlternate = QStringLiteral("Upload the Companies");
inline const QString noCompanies = QStringLiteral("There are no company records in Address Book.");

inline const QString peopleTitle =
    QStringLiteral("Upload the %1 people in Address Book to Google?");
inline const QString peopleAlternate = QStringLiteral("Upload the People");
inline const QString noPeople = QStringLiteral("There are no people in Address Book.");

inline const QString companiesUpToDate =
    QStringLiteral("All Address Book company information is up-to-date!");
inline const QString peopleUpToDate =
    QStringLiteral("All Address Book people information is up-to-date!");
inline const QString noUpdatesNow = QStringLiteral("No updates are required at this time.");

} // namespace uploadtexts

// The contexts of the contact upload sheet: whose records its decisions are made for.
namespace uploadcontexts {
inline const QString googleContacts = QStringLiteral("googleContacts");
inline const QString abGroup = QStringLiteral("abGroup");
inline const QString companies = QStringLiteral("companies");
inline const QString people = QStringLiteral("people");
} // namespace uploadcontexts
