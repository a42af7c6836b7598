#include "app/delegate/launchfacts.h"

#include "app/bundleinfo.h"
#include "platform/defaults/userdefaults.h"

#include <QFileInfo>

#include <optional>

namespace launchfacts {
namespace {

std::optional<Facts> &held()
{
    static std::optional<Facts> facts;
    return facts;
}

} // namespace

void capture()
{
    Facts facts;
    facts.preferencesFilePath = UserDefaults::domainPath(bundleinfo::kBundleIdentifier);
    facts.preferencesFileNew = !QFileInfo::exists(facts.preferencesFilePath);
    held() = facts;
}

const Facts &current()
{
    if (!held())
        capture();
    return *held();
}

} // namespace launchfacts
