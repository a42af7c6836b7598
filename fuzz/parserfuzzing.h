#pragma once

// What the parser fuzz targets share: the preferences the text parsers read, set once at start in
// a home folder of the fuzz run's own (so every input meets the same settings and nothing of the
// user's is read or written), and the input read as UTF-8 text. Included by one file per target.

#include "foundation/parsers/parserkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QTemporaryDir home;
    const QByteArray root = home.path().toUtf8();
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/.config");
    qputenv("XDG_DATA_HOME", root + "/.local/share");
    static QCoreApplication app(*argc, *argv);
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(localizedPropertyOrLabel(kABAddressCityKey), zeltor::kLabel1Key);
    defaults.setString(localizedPropertyOrLabel(kABAddressStateKey), zeltor::kLabel2Key);
    defaults.setString(localizedPropertyOrLabel(kABAddressZIPKey), zeltor::kLabel3Key);
    defaults.setString(QStringLiteral("United States"), zeltor::kDefaultCountryKey);
    defaults.setInteger(7, zeltor::kMinPhoneNumberLengthKey);
    defaults.setBool(true, zeltor::kNameParserPesumeDoubleFirstKey);
    return 0;
}

inline QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}
