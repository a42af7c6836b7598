#pragma once

#include <QString>

// Names of the built-in properties, labels, address keys and change-notice keys. The values are
// stored in the database and in search elements, so they never change.

// Properties of every record
inline const QString kABUIDProperty = QStringLiteral("UID");
inline const QString kABCreationDateProperty = QStringLiteral("Creation");
inline const QString kABModificationDateProperty = QStringLiteral("Modification");

// Group
inline const QString kABGroupNameProperty = QStringLiteral("GroupName");

// Person: single values
inline const QString kABFirstNameProperty = QStringLiteral("First");
inline const QString kABLastNameProperty = QStringLiteral("Last");
inline const QString kABMiddleNameProperty = QStringLiteral("Middle");
inline const QString kABTitleProperty = QStringLiteral("Title");
inline const QString kABSuffixProperty = QStringLiteral("Suffix");
inline const QString kABNicknameProperty = QStringLiteral("Nickname");
inline const QString kABOrganizationProperty = QStringLiteral("Organization");
inline const QString kABDepartmentProperty = QStringLiteral("ABDepartment");
inline const QString kABJobTitleProperty = QStringLiteral("JobTitle");
inline const QString kABNoteProperty = QStringLiteral("Note");
inline const QString kABBirthdayProperty = QStringLiteral("Birthday");
inline const QString kABPersonFlags = QStringLiteral("ABPersonFlags");

// Person: multi-values
inline const QString kABEmailProperty = QStringLiteral("Email");
inline const QString kABPhoneProperty = QStringLiteral("Phone");
inline const QString kABURLsProperty = QStringLiteral("URLs");
inline const QString kABRelatedNamesProperty = QStringLiteral("ABRelatedNames");
inline const QString kABAIMInstantProperty = QStringLiteral("AIMInstant");
inline const QString kABJabberInstantProperty = QStringLiteral("JabberInstant");
inline const QString kABMSNInstantProperty = QStringLiteral("MSNInstant");
inline const QString kABICQInstantProperty = QStringLiteral("ICQInstant");
inline const QString kABYahooInstantProperty = QStringLiteral("YahooInstant");
// Instant messaging on any other service; each entry's label is the service name.
inline const QString kABOtherInstantProperty = QStringLiteral("OtherInstant");
inline const QString kABOtherDatesProperty = QStringLiteral("ABOtherDates");
inline const QString kABAddressProperty = QStringLiteral("Address");

// kABPersonFlags: which name a record shows, in its low three bits
inline constexpr int kABShowAsMask = 7;
inline constexpr int kABShowAsPerson = 0;
inline constexpr int kABShowAsCompany = 1;

// The year of a birthday or other date read without a year: a leap year, so that 29 February
// survives. Such a date has a day and a month and no year.
inline constexpr int kABYearlessDateYear = 1604;

// Address dictionary keys
inline const QString kABAddressStreetKey = QStringLiteral("Street");
inline const QString kABAddressCityKey = QStringLiteral("City");
inline const QString kABAddressStateKey = QStringLiteral("State");
inline const QString kABAddressZIPKey = QStringLiteral("ZIP");
inline const QString kABAddressCountryKey = QStringLiteral("Country");
inline const QString kABAddressCountryCodeKey = QStringLiteral("CountryCode");

// Labels, in the form that vCards carry in X-ABLabel
inline const QString kABWorkLabel = QStringLiteral("_$!<Work>!$_");
inline const QString kABHomeLabel = QStringLiteral("_$!<Home>!$_");
inline const QString kABOtherLabel = QStringLiteral("_$!<Other>!$_");

inline const QString kABEmailWorkLabel = kABWorkLabel;
inline const QString kABEmailHomeLabel = kABHomeLabel;
inline const QString kABAddressWorkLabel = kABWorkLabel;
inline const QString kABAddressHomeLabel = kABHomeLabel;
inline const QString kABPhoneWorkLabel = kABWorkLabel;
inline const QString kABPhoneHomeLabel = kABHomeLabel;
inline const QString kABAIMWorkLabel = kABWorkLabel;
inline const QString kABAIMHomeLabel = kABHomeLabel;
inline const QString kABJabberWorkLabel = kABWorkLabel;
inline const QString kABJabberHomeLabel = kABHomeLabel;
inline const QString kABMSNWorkLabel = kABWorkLabel;
inline const QString kABMSNHomeLabel = kABHomeLabel;
inline const QString kABICQWorkLabel = kABWorkLabel;
inline const QString kABICQHomeLabel = kABHomeLabel;
inline const QString kABYahooWorkLabel = kABWorkLabel;
inline const QString kABYahooHomeLabel = kABHomeLabel;

inline const QString kABPhoneMobileLabel = QStringLiteral("_$!<Mobile>!$_");
inline const QString kABPhoneMainLabel = QStringLiteral("_$!<Main>!$_");
inline const QString kABPhoneHomeFAXLabel = QStringLiteral("_$!<HomeFAX>!$_");
inline const QString kABPhoneWorkFAXLabel = QStringLiteral("_$!<WorkFAX>!$_");
inline const QString kABPhonePagerLabel = QStringLiteral("_$!<Pager>!$_");
inline const QString kABHomePageLabel = QStringLiteral("_$!<HomePage>!$_");
inline const QString kABAnniversaryLabel = QStringLiteral("_$!<Anniversary>!$_");

inline const QString kABSpouseLabel = QStringLiteral("_$!<Spouse>!$_");
inline const QString kABFatherLabel = QStringLiteral("_$!<Father>!$_");
inline const QString kABMotherLabel = QStringLiteral("_$!<Mother>!$_");
inline const QString kABParentLabel = QStringLiteral("_$!<Parent>!$_");
inline const QString kABBrotherLabel = QStringLiteral("_$!<Brother>!$_");
inline const QString kABSisterLabel = QStringLiteral("_$!<Sister>!$_");
inline const QString kABChildLabel = QStringLiteral("_$!<Child>!$_");
inline const QString kABFriendLabel = QStringLiteral("_$!<Friend>!$_");
inline const QString kABPartnerLabel = QStringLiteral("_$!<Partner>!$_");
inline const QString kABAssistantLabel = QStringLiteral("_$!<Assistant>!$_");
inline const QString kABManagerLabel = QStringLiteral("_$!<Manager>!$_");

// The property a smart group's class reports beside the group properties.
inline const QString kABSearchElementProperty = QStringLiteral("SearchElement");

// Change notices: names and the keys of their information dictionary
inline const QString kABDatabaseChangedNotification =
    QStringLiteral("ABDatabaseChangedNotification");
inline const QString kABDatabaseChangedExternallyNotification =
    QStringLiteral("ABDatabaseChangedExternallyNotification");
inline const QString kABSenderProcessName = QStringLiteral("ABSenderProcessName");
inline const QString kABSenderProcessID = QStringLiteral("ABSenderProcessID");
inline const QString kABInsertedRecords = QStringLiteral("ABInsertedRecords");
inline const QString kABUpdatedRecords = QStringLiteral("ABUpdatedRecords");
inline const QString kABDeletedRecords = QStringLiteral("ABDeletedRecords");

// The address book's own preference domain and its keys
inline const QString kABPreferencesDomain = QStringLiteral("com.zel-tor.tolvane.addressbook");
inline const QString kABIncludePhotosInVCard = QStringLiteral("ABIncludePhotosInVCard");
inline const QString kABIncludeNotesInVCard = QStringLiteral("ABIncludeNotesInVCard");
inline const QString kABPhoneFormatEnabled = QStringLiteral("ABPhoneFormat-Enabled");
inline const QString kABPhoneFormatPhoneFormatter = QStringLiteral("ABPhoneFormat-PhoneFormatter");
