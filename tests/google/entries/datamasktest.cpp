#include "google/entries/datamask.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

#include <gtest/gtest.h>

namespace {

class DataMaskTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString flags[] = {googlekeys::gmUpdateName,    googlekeys::gmUpdateEmail,
                                 googlekeys::gmUpdatePhone,   googlekeys::gmUpdatePostal,
                                 googlekeys::gmUpdateIM,      googlekeys::gmUpdateMemberships,
                                 googlekeys::gmUpdateCompany, googlekeys::gmUpdateTitle,
                                 googlekeys::gmUpdatePicture, googlekeys::gmUpdateNotes};
        for (const QString &key : flags)
            defaults().setBool(true, key);
        defaults().setInteger(1, googlekeys::gmUpdateAppendNotes);
        defaults().setInteger(0, googlekeys::gmUpdateNameFormat);
        defaults().setInteger(2, googlekeys::gmUpdateNicknameUsage);
    }
    static UserDefaults &defaults() { return UserDefaults::standard(); }
};

TEST_F(DataMaskTest, FlagsInTheirPositionsThenTheThreeNumbers)
{
    EXPECT_EQ(datamask::dataMaskFromPreferences(), "dm1111111111102");
    defaults().setBool(false, googlekeys::gmUpdateName);
    defaults().setBool(false, googlekeys::gmUpdatePostal);
    defaults().setBool(false, googlekeys::gmUpdateNotes);
    EXPECT_EQ(datamask::dataMaskFromPreferences(), "dm0110111110102");
}

TEST_F(DataMaskTest, NumbersOfTwoDigitsOrNegativeTakeMoreCharacters)
{
    defaults().setInteger(12, googlekeys::gmUpdateAppendNotes);
    EXPECT_EQ(datamask::dataMaskFromPreferences(), "dm11111111111202");
    defaults().setInteger(-1, googlekeys::gmUpdateNicknameUsage);
    EXPECT_EQ(datamask::dataMaskFromPreferences(), "dm1111111111120-1");
}

TEST_F(DataMaskTest, SetGoogleDataMask_StoresTheMaskInThePreferences)
{
    defaults().setBool(false, googlekeys::gmUpdatePicture);
    datamask::setGoogleDataMask();
    EXPECT_EQ(defaults().stringForKey(googlekeys::googleDataMask), "dm1111111101102");
}

} // namespace
