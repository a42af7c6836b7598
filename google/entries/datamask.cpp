#include "google/entries/datamask.h"

#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

namespace datamask {

QString dataMaskFromPreferences()
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString *const flags[] = {
        &googlekeys::gmUpdateName,    &googlekeys::gmUpdateEmail, &googlekeys::gmUpdatePhone,
        &googlekeys::gmUpdatePostal,  &googlekeys::gmUpdateIM,    &googlekeys::gmUpdateMemberships,
        &googlekeys::gmUpdateCompany, &googlekeys::gmUpdateTitle, &googlekeys::gmUpdatePicture,
        &googlekeys::gmUpdateNotes,
    };
    const QString *const numbers[] = {&googlekeys::gmUpdateAppendNotes,
                                      &googlekeys::gmUpdateNameFormat,
                                      &googlekeys::gmUpdateNicknameUsage};
    QString mask = QStringLiteral("dm");
    for (const QString *key : flags)
        mask += defaults.boolForKey(*key) ? u'1' : u'0';
    for (const QString *key : numbers)
        mask += QString::number(defaults.integerForKey(*key));
    return mask;
}

void setGoogleDataMask()
{
    UserDefaults::standard().setString(dataMaskFromPreferences(), googlekeys::googleDataMask);
}

} // namespace datamask
