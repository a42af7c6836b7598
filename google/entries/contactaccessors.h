#pragma once

#include "foundation/parsers/addressparser.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

// Derived values of a Google contact, computed on demand; texts are "" where nothing is found.
// The program's property is the one named by the preference googleContactExtendedPropertyName.
// Home, work and mobile values are told by their rel, or by their label lower-cased ("home",
// "work", "cell" for a mobile phone).
namespace tolvane {

inline constexpr int kGenderMale = 1;
inline constexpr int kGenderFemale = 0;
inline constexpr int kGenderNone = -1;

// The one program property; nothing when there is none or several.
std::optional<GDataExtendedProperty> tolvaneExtendedProperty(const GDataEntryContact &contact);
std::optional<QHash<QString, QString>>
tolvaneExtendedPropertyXMLValuesDictionary(const GDataEntryContact &contact);
bool tolvaneHasExtendedProperties(const GDataEntryContact &contact);
// The linked Address Book person's identifier (aID), else "".
QString tolvaneABID(const GDataEntryContact &contact);
QDateTime tolvaneCreateDate(const GDataEntryContact &contact);

// These read the first property of the program's name, even when there are several.
bool tolvaneIsCompany(const GDataEntryContact &contact);
QString tolvaneGender(const GDataEntryContact &contact);
// 1 for "M", 0 for "F", -1 otherwise.
int tolvaneGenderInt(const GDataEntryContact &contact);

QString tolvanePhotoLink(const GDataEntryContact &contact);
QString tolvanePhotoETag(const GDataEntryContact &contact);
// A photo is stored at Google: the photo link carries an ETag.
bool tolvaneHasImage(const GDataEntryContact &contact);
QString tolvaneNote(const GDataEntryContact &contact);

// The deleted-entry mark; else the title, or the primary (else first) organisation's name when
// the title is empty; else "Email Address Only" for a contact with an e-mail address; else the
// empty title, or "No Title" without any title.
QString tolvaneTitle(const GDataEntryContact &contact);
// tolvaneTitle, or the entry's description when that is empty.
QString entryDisplayName(const GDataEntryContact &contact);
// The primary organisation's name, else the first organisation's.
QString tolvaneOrg(const GDataEntryContact &contact);
QString tolvaneJob(const GDataEntryContact &contact);

QString tolvaneMobilePhone(const GDataEntryContact &contact);
QString tolvaneHomePhone(const GDataEntryContact &contact);
QString tolvaneWorkPhone(const GDataEntryContact &contact);
// The primary phone, else the mobile, work or home one, else the first.
QString tolvanePrimaryPhone(const GDataEntryContact &contact);
// Whether the phone to call is a home phone: the primary one (the second phone when the primary
// is a mobile), else the first.
bool tolvanePhoneIsHome(const GDataEntryContact &contact);

QString tolvaneHomeEmail(const GDataEntryContact &contact);
QString tolvaneWorkEmail(const GDataEntryContact &contact);
// The primary e-mail, else the work or home one, else the first.
QString tolvanePrimaryEmail(const GDataEntryContact &contact);

// The IM marked primary, and its code (-1 without one).
QString tolvanePrimaryIM(const GDataEntryContact &contact);
int tolvanePrimaryIMType(const GDataEntryContact &contact);
// The first IM labelled work (home); without one, the IMs labelled neither by their position:
// the first is the work handle, the next the home handle. -1 as type when there is none.
QString tolvaneWorkIM(const GDataEntryContact &contact);
int tolvaneWorkIMType(const GDataEntryContact &contact);
QString tolvaneHomeIM(const GDataEntryContact &contact);
int tolvaneHomeIMType(const GDataEntryContact &contact);

// The last home (work) address parsed; six empty parts without one.
zeltor::GoogleAddress tolvaneHomeAddress(const GDataEntryContact &contact);
zeltor::GoogleAddress tolvaneWorkAddress(const GDataEntryContact &contact);
// Which element the readers above read, so an edit changes that one and no other: the index of
// the postal address tolvaneHomeAddress (tolvaneWorkAddress) parses, and of the organisation
// whose name tolvaneOrg (whose title tolvaneJob) gives; -1 when there is none.
int tolvaneHomeAddressIndex(const GDataEntryContact &contact);
int tolvaneWorkAddressIndex(const GDataEntryContact &contact);
int tolvaneOrgIndex(const GDataEntryContact &contact);
int tolvaneJobIndex(const GDataEntryContact &contact);
// A mobile phone: the mobile rel, or the label "cell" in any case.
bool isMobilePhone(const GDataPhoneNumber &phone);

// Nothing without addresses; else the primary address parsed, else the work address.
std::optional<zeltor::GoogleAddress> tolvanePrimaryAddress(const GDataEntryContact &contact);
// "city  state  postal" of the address, the blanks only before a part present; of the home (work)
// address.
QString tolvaneLocation(const zeltor::GoogleAddress &address);
QString tolvaneHomeLocation(const GDataEntryContact &contact);
QString tolvaneWorkLocation(const GDataEntryContact &contact);
QString tolvaneMapURLForHome(const GDataEntryContact &contact);
QString tolvaneMapURLForWork(const GDataEntryContact &contact);

} // namespace tolvane
