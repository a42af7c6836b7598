#include "google/upload/contactfields.h"

#include "google/engine/googlekeys.h"
#include "google/lookups/grouplookups.h"
#include "google/upload/membershipmapping.h"
#include "platform/defaults/userdefaults.h"

namespace contactfields {
namespace {

const QString &optionFor(Field field)
{
    switch (field) {
    case Field::Emails:
        return googlekeys::gmUpdateEmail;
    case Field::IMs:
        return googlekeys::gmUpdateIM;
    case Field::Postals:
        return googlekeys::gmUpdatePostal;
    case Field::Phones:
        return googlekeys::gmUpdatePhone;
    case Field::Memberships:
        break;
    }
    return googlekeys::gmUpdateMemberships;
}

void mapField(Field field, GDataEntryContact &contact, const PersonPtr &person,
              const ContactBuildingContext &context)
{
    switch (field) {
    case Field::Emails:
        elementmapping::abEmailsFor(contact, person);
        return;
    case Field::IMs:
        elementmapping::abIMsFor(contact, person);
        return;
    case Field::Postals:
        elementmapping::abPostalsFor(contact, person);
        return;
    case Field::Phones:
        elementmapping::abPhonesFor(contact, person, context.formatAsPhoneNumber);
        return;
    case Field::Memberships:
        if (context.memberships)
            context.memberships->abMembershipsFor(contact, person,
                                                  grouplookups::myContactsID(context.lists));
        else
            membershipmapping::abMembershipsFor(contact, person, context.lists.groups(),
                                                grouplookups::myContactsID(context.lists));
        return;
    }
}

} // namespace

void mapFieldsByOptions(GDataEntryContact &contact, const PersonPtr &person,
                        const ContactBuildingContext &context, std::initializer_list<Field> order)
{
    UserDefaults &defaults = UserDefaults::standard();
    for (const Field field : order) {
        if (defaults.boolForKey(optionFor(field)))
            mapField(field, contact, person, context);
    }
}

} // namespace contactfields
