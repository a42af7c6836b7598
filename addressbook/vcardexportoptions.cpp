#include "addressbook/vcardexportoptions.h"

#include "platform/defaults/userdefaults.h"

VCardExportOptions VCardExportOptions::fromDefaults(UserDefaults &defaults)
{
    VCardExportOptions options;
    options.notPicture = defaults.boolForKey(kVCardNotPicture);
    options.notNotes = defaults.boolForKey(kVCardNotNotes);
    options.notBirthday = defaults.boolForKey(kVCardNotBirthday);
    options.notGroup = defaults.boolForKey(kVCardNotGroup);
    options.notNickname = defaults.boolForKey(kVCardNotNickname);
    options.notOrgName = defaults.boolForKey(kVCardNotOrgName);
    options.notJobTitle = defaults.boolForKey(kVCardNotJobTitle);
    options.notTag = defaults.boolForKey(kVCardNotTag);
    options.notRelatedName = defaults.boolForKey(kVCardNotRelatedName);
    options.notRelatedDate = defaults.boolForKey(kVCardNotRelatedDate);
    options.email = defaults.integerForKey(kVCardEmail);
    options.notEmail = defaults.boolForKey(kVCardNotEmail);
    options.telephone = defaults.integerForKey(kVCardTelephone);
    options.notTelephone = defaults.boolForKey(kVCardNotTelephone);
    options.street = defaults.integerForKey(kVCardStreet);
    options.notStreet = defaults.boolForKey(kVCardNotStreetl);
    options.im = defaults.integerForKey(kVCardIM);
    options.notIM = defaults.boolForKey(kVCardNotIM);
    options.websites = defaults.integerForKey(kVCardWebsites);
    return options;
}
