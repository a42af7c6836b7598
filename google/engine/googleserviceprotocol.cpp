#include "google/engine/googleserviceprotocol.h"

#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

namespace googleprotocol {

GDataServiceGoogleContact::Protocol protocolFor(const QString &protocolPreference,
                                                const QString &baseURLPreference)
{
    using Protocol = GDataServiceGoogleContact::Protocol;
    const QString chosen = protocolPreference.trimmed().toLower();
    if (chosen == QLatin1String("atom"))
        return Protocol::Atom;
    if (chosen == QLatin1String("people"))
        return Protocol::People;
    return baseURLPreference.trimmed().isEmpty() ? Protocol::People : Protocol::Atom;
}

GDataServiceGoogleContact::Protocol accountProtocol()
{
    UserDefaults &defaults = UserDefaults::standard();
    return protocolFor(defaults.stringForKey(googlekeys::googleServiceProtocol),
                       defaults.stringForKey(googlekeys::googleServiceBaseURL));
}

} // namespace googleprotocol
