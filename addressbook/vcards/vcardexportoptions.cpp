#include "addressbook/vcards/vcardexportoptions.h"

#include "platform/defaults/preferenceconversion.h"
#include "platform/defaults/userdefaults.h"

VCardExportOptions VCardExportOptions::fromDefaults(UserDefaults &defaults)
{
    // One look at the preference files for all the keys: a large export asks once per person.
    const QVariantMap values = defaults.dictionaryRepresentation();
    const auto flag = [&values](const QString &key) {
        return preferenceconversion::toBool(values.value(key));
    };
    const auto mode = [&values](const QString &key) {
        return preferenceconversion::toInt(values.value(key));
    };
    VCardExportOptions options;
    options.notPicture = flag(kVCardNotPicture);
    options.notNotes = flag(kVCardNotNotes);
    options.notBirthday = flag(kVCardNotBirthday);
    options.notGroup = flag(kVCardNotGroup);
    options.notNickname = flag(kVCardNotNickname);
    options.notOrgName = flag(kVCardNotOrgName);
    options.notJobTitle = flag(kVCardNotJobTitle);
    options.notTag = flag(kVCardNotTag);
    options.notRelatedName = flag(kVCardNotRelatedName);
    options.notRelatedDate = flag(kVCardNotRelatedDate);
    options.email = mode(kVCardEmail);
    options.notEmail = flag(kVCardNotEmail);
    options.telephone = mode(kVCardTelephone);
    options.notTelephone = flag(kVCardNotTelephone);
    options.street = mode(kVCardStreet);
    options.notStreet = flag(kVCardNotStreetl);
    options.im = mode(kVCardIM);
    options.notIM = flag(kVCardNotIM);
    options.websites = mode(kVCardWebsites);
    return options;
}
