#pragma once

#include "google/engine/googlekeys.h"

#include <QString>

#include <array>

// Preference keys that only the main program's shell reads and writes. Each key has this one
// definition; keys that the engine or the layers below share come from their own headers.
// clang-format off
namespace appkeys {

// Start-up.
inline const QString appBuild = QStringLiteral("appBuild");
inline const QString appVersion = QStringLiteral("appVersion");
inline const QString newPrefFileCreated = QStringLiteral("newPrefFileCreated");
inline const QString runAsStatusItem = QStringLiteral("runAsStatusItem");
inline const QString guiScriptingEnabled = QStringLiteral("guiScriptingEnabled");
inline const QString frontAppBundle = QStringLiteral("frontAppBundle");
inline const QString googleContactsPage = QStringLiteral("googleContactsPage");
// The web pages the menus open; the program ships no address for its own pages, and a page
// without one opens nothing.
inline const QString faqPage = QStringLiteral("faqPage");
inline const QString userManualPage = QStringLiteral("userManualPage");
inline const QString supportForumPage = QStringLiteral("supportForumPage");
inline const QString homePage = QStringLiteral("homePage");

// Machine facts of the environment report; none outlives the run.
inline const QString macLanguage = QStringLiteral("macLanguage");
inline const QString macOS = QStringLiteral("macOS");
inline const QString macModel = QStringLiteral("macModel");
inline const QString macCPUType = QStringLiteral("macCPUType");
inline const QString macCPUSubType = QStringLiteral("macCPUSubType");
inline const QString mac64Bit = QStringLiteral("mac64Bit");
inline const QString macProcessorSpeed = QStringLiteral("macProcessorSpeed");
inline const QString macNumberOfProcessors = QStringLiteral("macNumberOfProcessors");
inline const QString macRAM = QStringLiteral("macRAM");

// The run-time factory values, from the Me record and the locale.
inline const QString streetLabel = QStringLiteral("streetLabel");
inline const QString countryLabel = QStringLiteral("countryLabel");
inline const QString defaultCity = QStringLiteral("defaultCity");
inline const QString defaultState = QStringLiteral("defaultState");
inline const QString defaultPostalCode = QStringLiteral("defaultPostalCode");
inline const QString useDefaultCity = QStringLiteral("useDefaultCity");
inline const QString useDefaultState = QStringLiteral("useDefaultState");
inline const QString useDefaultPostalCode = QStringLiteral("useDefaultPostalCode");
inline const QString useDefaultCountry = QStringLiteral("useDefaultCountry");
inline const QString defaultAreaCode = QStringLiteral("defaultAreaCode");
inline const QString updateAreaCode = QStringLiteral("updateAreaCode");
inline const QString minAreaCodeLength = QStringLiteral("minAreaCodeLength");
inline const QString maxAreaCodeLength = QStringLiteral("maxAreaCodeLength");

// Countries and regions offered in the pickers.
inline const QString useAmericas = QStringLiteral("useAmericas");
inline const QString useAfrica = QStringLiteral("useAfrica");
inline const QString useEurope = QStringLiteral("useEurope");
inline const QString useAsia = QStringLiteral("useAsia");
inline const QString useOceania = QStringLiteral("useOceania");
inline const QString defaultRegion = QStringLiteral("defaultRegion");
inline const QString defaultGeoRegion = QStringLiteral("defaultGeoRegion");

// The preferences that describe only the running program, removed at quit and, because a run
// that crashed or was killed never reached its quit, again at launch; in the order they are
// removed.
inline const std::array<QString, 17> quitRemovesKeys = {
    frontAppBundle,
    googlekeys::googleHasContactData,
    googlekeys::googleHasGroupData,
    googlekeys::googleHasData,
    googlekeys::useGenderBasedImages,
    appBuild,
    googlekeys::waitingOnGoogle,
    googlekeys::isLoggedIn,
    mac64Bit,
    macCPUSubType,
    macCPUType,
    macLanguage,
    macModel,
    macNumberOfProcessors,
    macOS,
    macRAM,
    macProcessorSpeed,
};

} // namespace appkeys
// clang-format on
