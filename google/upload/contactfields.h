#pragma once

#include "google/engine/googlecontactlists.h"
#include "google/upload/elementmapping.h"
#include "google/upload/membershiplinks.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <initializer_list>

// What the engine lends to the building of a contact from a person: its lists (the groups of the
// last group feed give the memberships) and the store delegate's phone formatter when the
// delegate offers one.
struct ContactBuildingContext
{
    const GoogleContactLists &lists;
    elementmapping::PhoneFormatter formatAsPhoneNumber = {};
    // The memberships of a send of many contacts, read once for all of them; none: per contact.
    MembershipLinks *memberships = nullptr;
};

// The multi-valued fields of a person carried to its contact, each only when its update option
// (gmUpdateEmail, gmUpdateIM, gmUpdatePostal, gmUpdatePhone, gmUpdateMemberships) is on.
namespace contactfields {

enum class Field { Emails, IMs, Postals, Phones, Memberships };

// Maps the fields in the order given.
void mapFieldsByOptions(GDataEntryContact &contact, const PersonPtr &person,
                        const ContactBuildingContext &context, std::initializer_list<Field> order);

} // namespace contactfields
