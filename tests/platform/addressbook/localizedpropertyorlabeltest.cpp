#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/addressbook/abconstants.h"

#include <gtest/gtest.h>

TEST(LocalizedPropertyOrLabel, KnownLabelsAndKeysReadAsWordsAndCustomLabelsStay)
{
    const struct
    {
        QString raw;
        QString readable;
    } cases[] = {
        {kABEmailWorkLabel, QStringLiteral("work")},
        {kABAddressHomeLabel, QStringLiteral("home")},
        {kABOtherLabel, QStringLiteral("other")},
        {kABPhoneMobileLabel, QStringLiteral("mobile")},
        {kABPhoneMainLabel, QStringLiteral("main")},
        {kABPhoneHomeFAXLabel, QStringLiteral("home fax")},
        {kABPhoneWorkFAXLabel, QStringLiteral("work fax")},
        {kABPhonePagerLabel, QStringLiteral("pager")},
        {kABHomePageLabel, QStringLiteral("home page")},
        {kABAnniversaryLabel, QStringLiteral("anniversary")},
        {kABSpouseLabel, QStringLiteral("spouse")},
        {kABAddressStreetKey, QStringLiteral("Street")},
        {kABAddressCityKey, QStringLiteral("City")},
        {kABAddressStateKey, QStringLiteral("State")},
        {kABAddressZIPKey, QStringLiteral("ZIP")},
        {kABAddressCountryKey, QStringLiteral("Country")},
        {QStringLiteral("Boat"), QStringLiteral("Boat")},
        {QString(), QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(localizedPropertyOrLabel(c.raw), c.readable) << c.raw.toStdString();
}
