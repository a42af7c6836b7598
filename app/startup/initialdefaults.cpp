#include "app/startup/initialdefaults.h"

#include "foundation/log.h"
#include "foundation/propertylist.h"
#include "google/engine/googlekeys.h"

// A distributor may build in an OAuth client for Google's People API (the CMake option
// TOLVANE_GOOGLE_CLIENT_ID); without one each user imports their own.
#ifndef TOLVANE_GOOGLE_CLIENT_ID
#define TOLVANE_GOOGLE_CLIENT_ID ""
#endif

// The resource is part of this static library, which Qt registers only when asked.
static void registerInitialDefaultsResource()
{
    Q_INIT_RESOURCE(initialdefaults);
}

namespace initialdefaults {
namespace {
const QString kNotRead = QStringLiteral("ERROR -- the factory defaults were not read: %1");
}

QVariantMap values()
{
    registerInitialDefaultsResource();
    QString error;
    const std::optional<QVariant> value = propertylist::readFile(kResourcePath, &error);
    if (!value || value->typeId() != QMetaType::QVariantMap) {
        tlog::write(kNotRead.arg(value ? QStringLiteral("not a dictionary") : error));
        return {};
    }
    QVariantMap map = value->toMap();
    const QString builtInClient = QStringLiteral(TOLVANE_GOOGLE_CLIENT_ID);
    if (!builtInClient.isEmpty())
        map.insert(googlekeys::googleOAuthClientID, builtInClient);
    return map;
}

} // namespace initialdefaults
