#include "app/startup/environmentreport.h"

#include "addressbook/fields/personemail.h"
#include "addressbook/fields/personnames.h"
#include "addressbook/records/recordlookup.h"
#include "app/appkeys.h"
#include "app/apptexts.h"
#include "app/bundleinfo.h"
#include "foundation/computerinfo.h"
#include "foundation/log.h"
#include "foundation/parsers/countrynames.h"
#include "foundation/vozuveva/vozuvevawindows.h"
#include "platform/defaults/userdefaults.h"

#include <QGuiApplication>
#include <QLocale>
#include <QTimeZone>
#include <QVersionNumber>

namespace environmentreport {
namespace {

QString yesNo(bool value)
{
    return value ? QStringLiteral("YES") : QStringLiteral("NO");
}

// Written whatever the level, and kept in the preferences under the key when there is one.
void fact(const QString &line, const QString &key = QString(), const QVariant &value = QVariant())
{
    tlog::write(line);
    if (!key.isEmpty())
        UserDefaults::standard().setObject(value, key);
}

} // namespace

void write(const QString &bundleName)
{
    // The Google client has no release numbers of its own; it goes with the program's.
    const QVersionNumber framework = QVersionNumber::fromString(bundleinfo::version());
    fact(apptexts::reportFramework.arg(framework.majorVersion())
             .arg(framework.minorVersion())
             .arg(framework.microVersion()));
    fact(apptexts::reportTimeZone.arg(QString::fromUtf8(QTimeZone::systemTimeZoneId())));
    const QLocale locale;
    fact(apptexts::reportCountry.arg(zeltor::localeCountryName()));
    const QString language = locale.nativeLanguageName();
    fact(apptexts::reportLanguage.arg(language), appkeys::macLanguage, language);
    const QString os = ComputerInfo::systemVersionString2();
    fact(apptexts::reportOS.arg(os), appkeys::macOS, os);
    fact(apptexts::reportHost.arg(ComputerInfo::computerName()));
    const QString model = ComputerInfo::macModel();
    fact(apptexts::reportModel.arg(model), appkeys::macModel, model);
    const QString brand = ComputerInfo::CPUType();
    fact(apptexts::reportCPUBrand.arg(brand), appkeys::macCPUType, brand);
    const QString type = ComputerInfo::CPUSubType();
    fact(apptexts::reportCPUType.arg(type), appkeys::macCPUSubType, type);
    const QString bits = yesNo(ComputerInfo::is64Bit());
    fact(apptexts::report64Bit.arg(bits), appkeys::mac64Bit, bits);
    const qint64 speed = ComputerInfo::processorClockSpeedInMHz();
    fact(apptexts::reportSpeed.arg(speed), appkeys::macProcessorSpeed, speed);
    const unsigned int processors = ComputerInfo::countProcessors();
    fact(apptexts::reportProcessors.arg(processors), appkeys::macNumberOfProcessors, processors);
    const qint64 ram = ComputerInfo::physicalRAM1();
    fact(apptexts::reportRAM.arg(ram), appkeys::macRAM, ram);
    fact(apptexts::reportScreens.arg(QGuiApplication::screens().size()));
    fact(apptexts::reportMaxHeight.arg(QString::asprintf("%5.0f", VozuVeva::maxMonitorHeight())));
    fact(apptexts::reportMaxWidth.arg(QString::asprintf("%5.0f", VozuVeva::maxMonitorWidth())));
    UserDefaults::standard().synchronize();
    fact(apptexts::reportAppName.arg(bundleName));
    fact(apptexts::reportAppVersion.arg(bundleinfo::version()), appkeys::appVersion,
         bundleinfo::version());
    const PersonPtr me = AddressBookTool::meAB();
    fact(apptexts::reportContact.arg(AddressBookTool::fullNameForPerson(me),
                                     AddressBookTool::primaryEmailForPerson(me)));
    // No other synchroniser of the address book exists on Linux.
    fact(apptexts::reportMobileMe.arg(QStringLiteral("No")));
    fact(apptexts::reportGoogleSync.arg(QStringLiteral("No")));
}

} // namespace environmentreport
