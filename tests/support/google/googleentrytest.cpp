#include "tests/support/google/googleentrytest.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/parsers/parserkeys.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/atom/atomwriter.h"

#include <QLocale>

#include <ctime>

void GoogleEntryTest::SetUp()
{
    qputenv("TZ", "America/Los_Angeles");
    ::tzset();
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(0, QStringLiteral("appLogLevel"));
    defaults.setString(kContactProperty, abkeys::googleContactExtendedPropertyName);
    defaults.setString(kGroupProperty, abkeys::googleGroupExtendedPropertyName);
    defaults.setString(kDataMask, googlekeys::googleDataMask);
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    defaults.setString(localizedPropertyOrLabel(kABAddressCityKey), zeltor::kLabel1Key);
    defaults.setString(localizedPropertyOrLabel(kABAddressStateKey), zeltor::kLabel2Key);
    defaults.setString(localizedPropertyOrLabel(kABAddressZIPKey), zeltor::kLabel3Key);
    defaults.setString(QStringLiteral("United States"), zeltor::kDefaultCountryKey);
    defaults.setBool(true, googlekeys::doDefaultCountry);
    ASSERT_TRUE(AddressBook::shared()->isOpen());
}

QString GoogleEntryTest::propertyXML(const GDataEntryContact &contact)
{
    const QString xml = QString::fromUtf8(atomwriter::entryXML(contact));
    const QString open = QStringLiteral("<gd:extendedProperty");
    const QString close = QStringLiteral("</gd:extendedProperty>");
    const qsizetype start = xml.indexOf(open);
    const qsizetype end = xml.lastIndexOf(close);
    if (start < 0 || end < 0)
        return QString();
    return xml.mid(start, end + close.size() - start);
}
