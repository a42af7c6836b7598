// Wire values of the People API as this layer uses them: field masks, sources, resource name
// prefixes, system groups and the clientData encoding of extended properties.
#pragma once

// What a contact read asks for, and what an update may change (the read fields without photos and
// metadata, which are output only). Person fields outside the update mask (birthdays, urls,
// relations ...) are never sent, so Google keeps them as they are.
inline constexpr char kPeoplePersonFields[] =
    "names,emailAddresses,phoneNumbers,addresses,imClients,organizations,biographies,memberships,"
    "clientData,photos,metadata";
inline constexpr char kPeopleUpdatePersonFields[] =
    "names,emailAddresses,phoneNumbers,addresses,imClients,organizations,biographies,memberships,"
    "clientData";
inline constexpr char kPeopleGroupFields[] = "clientData,groupType,metadata,name";
inline constexpr char kPeopleGroupUpdateFields[] = "name,clientData";
// Keeps a linked profile's name and photo out of what the layers above see.
inline constexpr char kPeopleReadSourceContact[] = "READ_SOURCE_TYPE_CONTACT";

inline constexpr char kPeoplePersonPrefix[] = "people/";
inline constexpr char kPeopleGroupPrefix[] = "contactGroups/";
inline constexpr char kPeopleIdentifierRoot[] = "/v1/";

inline constexpr char kPeopleSourceTypeContact[] = "CONTACT";
inline constexpr char kPeopleGroupTypeUser[] = "USER_CONTACT_GROUP";

// The one system group the layers above see, under the title and id the Atom feed gave it.
inline constexpr char kPeopleMyContactsGroup[] = "contactGroups/myContacts";
inline constexpr char kPeopleMyContactsTitle[] = "System Group: My Contacts";

// This layer's own clientData items: the key prefix, and the value's keys.
inline constexpr char kPeopleClientDataPrefix[] = "gdx:";
inline constexpr char kPeopleClientDataValueKey[] = "v";
inline constexpr char kPeopleClientDataChildrenKey[] = "c";

inline constexpr char kPeopleBiographyContentType[] = "TEXT_PLAIN";
inline constexpr char kPeoplePhotoLinkType[] = "image/*";
// Marks a photo URL with the person it belongs to; a fragment never leaves the client.
inline constexpr char kPeoplePhotoPersonMark[] = "person=";

// Batch limits of the People API: creates and updates, gets, deletes.
inline constexpr int kPeopleMaxBatchWrite = 200;
inline constexpr int kPeopleMaxBatchGet = 200;
inline constexpr int kPeopleMaxBatchDelete = 500;
