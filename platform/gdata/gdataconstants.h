// Wire values of the Google Contacts data API: namespaces, relation values, kinds and the relative
// paths of the default feeds.
#pragma once

inline constexpr char kGDataNamespaceAtom[] = "http://www.w3.org/2005/Atom";
inline constexpr char kGDataNamespaceGData[] = "http://schemas.google.com/g/2005";
inline constexpr char kGDataNamespaceContact[] = "http://schemas.google.com/contact/2008";
inline constexpr char kGDataNamespaceBatch[] = "http://schemas.google.com/gdata/batch";
inline constexpr char kGDataNamespaceOpenSearch[] = "http://a9.com/-/spec/opensearch/1.1/";
inline constexpr char kGDataNamespaceApp[] = "http://www.w3.org/2007/app";

inline constexpr char kGDataCategoryScheme[] = "http://schemas.google.com/g/2005#kind";
inline constexpr char kGDataCategoryContact[] = "http://schemas.google.com/contact/2008#contact";
inline constexpr char kGDataCategoryContactGroup[] = "http://schemas.google.com/contact/2008#group";

inline constexpr char kGDataContactWork[] = "http://schemas.google.com/g/2005#work";
inline constexpr char kGDataContactHome[] = "http://schemas.google.com/g/2005#home";
inline constexpr char kGDataContactOther[] = "http://schemas.google.com/g/2005#other";

inline constexpr char kGDataPhoneNumberMobile[] = "http://schemas.google.com/g/2005#mobile";
inline constexpr char kGDataPhoneNumberHome[] = "http://schemas.google.com/g/2005#home";
inline constexpr char kGDataPhoneNumberWork[] = "http://schemas.google.com/g/2005#work";
inline constexpr char kGDataPhoneNumberWorkFax[] = "http://schemas.google.com/g/2005#work_fax";
inline constexpr char kGDataPhoneNumberHomeFax[] = "http://schemas.google.com/g/2005#home_fax";
inline constexpr char kGDataPhoneNumberPager[] = "http://schemas.google.com/g/2005#pager";
inline constexpr char kGDataPhoneNumberOther[] = "http://schemas.google.com/g/2005#other";

inline constexpr char kGDataIMProtocolAIM[] = "http://schemas.google.com/g/2005#AIM";
inline constexpr char kGDataIMProtocolMSN[] = "http://schemas.google.com/g/2005#MSN";
inline constexpr char kGDataIMProtocolYahoo[] = "http://schemas.google.com/g/2005#YAHOO";
inline constexpr char kGDataIMProtocolSkype[] = "http://schemas.google.com/g/2005#SKYPE";
inline constexpr char kGDataIMProtocolQQ[] = "http://schemas.google.com/g/2005#QQ";
inline constexpr char kGDataIMProtocolGoogleTalk[] = "http://schemas.google.com/g/2005#GOOGLE_TALK";
inline constexpr char kGDataIMProtocolICQ[] = "http://schemas.google.com/g/2005#ICQ";
inline constexpr char kGDataIMProtocolJabber[] = "http://schemas.google.com/g/2005#JABBER";

inline constexpr char kGDataLinkRelSelf[] = "self";
inline constexpr char kGDataLinkRelEdit[] = "edit";
inline constexpr char kGDataLinkRelNext[] = "next";
inline constexpr char kGDataLinkRelBatch[] = "http://schemas.google.com/g/2005#batch";
inline constexpr char kGDataLinkRelPost[] = "http://schemas.google.com/g/2005#post";
inline constexpr char kGDataLinkRelFeed[] = "http://schemas.google.com/g/2005#feed";
inline constexpr char kGDataLinkRelPhoto[] = "http://schemas.google.com/contacts/2008/rel#photo";
inline constexpr char kGDataAtomType[] = "application/atom+xml";

inline constexpr char kGDataBatchOperationInsert[] = "insert";
inline constexpr char kGDataBatchOperationUpdate[] = "update";
inline constexpr char kGDataBatchOperationDelete[] = "delete";
inline constexpr char kGDataBatchOperationQuery[] = "query";

inline constexpr char kGDataSystemGroupContacts[] = "Contacts";
inline constexpr char kGDataSystemGroupFriends[] = "Friends";
inline constexpr char kGDataSystemGroupFamily[] = "Family";
inline constexpr char kGDataSystemGroupCoworkers[] = "Coworkers";

// Default feeds, relative to the service's base URL.
inline constexpr char kGDataGoogleContactDefaultFullFeed[] = "m8/feeds/contacts/default/full";
inline constexpr char kGDataGoogleContactDefaultThinFeed[] = "m8/feeds/contacts/default/thin";
inline constexpr char kGDataGoogleContactGroupDefaultFullFeed[] = "m8/feeds/groups/default/full";
inline constexpr char kGDataGoogleContactGroupDefaultThinFeed[] = "m8/feeds/groups/default/thin";

// An entry holds at most this many extended properties; a batch at most this many operations.
inline constexpr int kGDataMaxExtendedProperties = 10;
inline constexpr int kGDataMaxBatchEntries = 100;
