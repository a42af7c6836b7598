#include "addressbook/vcards/vcardexportoptions.h"

#include "platform/defaults/preferenceconversion.h"
#include "platform/defaults/userdefaults.h"

#include <optional>

namespace {

VCardExportOptions optionsFrom(const QVariantMap &values)
{
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

// The options of the last preferences read on this thread. A large export asks once per person,
// and while no preference changed the dictionary is the very one of the last call: equal at a
// glance.
struct LastOptions
{
    QVariantMap values;
    VCardExportOptions options;
};
thread_local std::optional<LastOptions> t_last;

} // namespace

VCardExportOptions VCardExportOptions::fromDefaults(UserDefaults &defaults)
{
    // One look at the preference files for all the keys.
    const QVariantMap values = defaults.dictionaryRepresentation();
    if (!t_last || t_last->values != values)
        t_last = LastOptions{values, optionsFrom(values)};
    return t_last->options;
}
