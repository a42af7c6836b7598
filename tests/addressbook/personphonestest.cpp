#include "abtestbook.h"
#include "labelledentries.h"

#include "addressbook/personphones.h"
#include "foundation/applicationdelegate.h"
#include "platform/addressbook/abconstants.h"

namespace {

using namespace AddressBookTool;

// Formats by bracketing; a number "blank" formats to nothing.
class BracketingDelegate : public ApplicationDelegate
{
public:
    bool offersFormatAsPhoneNumber() const override { return true; }
    QString formatAsPhoneNumber(const QString &phoneNumber) override
    {
        return phoneNumber == QLatin1String("blank") ? QString() : u'[' + phoneNumber + u']';
    }
};

class PersonPhonesTest : public AddressBookTest
{
protected:
    static PersonPtr phones(const QList<LabelledEntry> &entries, int primary = -1)
    {
        return personWith(kABPhoneProperty, PropertyType::MultiString, entries, primary);
    }
};

struct PhoneCase
{
    const char *name;
    QList<LabelledEntry> entries;
    int primary;
    QString primaryPhone, work, home, other, mobile;
    int workIndex, homeIndex, otherIndex, mobileIndex;
};

TEST_F(PersonPhonesTest, PhonesByLabel)
{
    const PhoneCase cases[] = {
        {"home, work, work: the first work number",
         {{kABPhoneHomeLabel, "h"}, {kABPhoneWorkLabel, "w1"}, {kABPhoneWorkLabel, "w2"}},
         -1,
         "h",
         "w1",
         "h",
         "",
         "",
         1,
         0,
         -1,
         -1},
        {"main, work fax, custom, other: the last other, the first position",
         {{kABPhoneMainLabel, "m"},
          {kABPhoneWorkFAXLabel, "fax"},
          {"Boat", "boat"},
          {kABOtherLabel, "o"}},
         -1,
         "m",
         "",
         "",
         "o",
         "",
         -1,
         -1,
         1,
         -1},
        {"custom cell label: found as value, not as position",
         {{"Cell Phone", "c"}},
         -1,
         "c",
         "",
         "",
         "c",
         "c",
         -1,
         -1,
         0,
         -1},
        {"iPhone label: found by both",
         {{kABPhoneHomeLabel, "h"}, {"iPhone", "i"}},
         -1,
         "h",
         "",
         "h",
         "",
         "i",
         -1,
         0,
         -1,
         1},
        {"pager counts as mobile and as other",
         {{kABPhonePagerLabel, "p"}},
         -1,
         "p",
         "",
         "",
         "p",
         "p",
         -1,
         -1,
         0,
         0},
        {"mobile before pager in list order",
         {{kABPhonePagerLabel, "p"}, {kABPhoneMobileLabel, "m"}},
         -1,
         "p",
         "",
         "",
         "p",
         "p",
         -1,
         -1,
         0,
         0},
        {"main phone alone is no mobile",
         {{kABPhoneMainLabel, "m"}},
         -1,
         "m",
         "",
         "",
         "",
         "",
         -1,
         -1,
         -1,
         -1},
        {"primary entry",
         {{kABPhoneHomeLabel, "h"}, {kABPhoneWorkLabel, "w"}},
         1,
         "w",
         "w",
         "h",
         "",
         "",
         1,
         0,
         -1,
         -1},
        {"labels are compared as stored",
         {{"work", "w"}, {"_$!<home>!$_", "h"}},
         -1,
         "w",
         "",
         "",
         "h",
         "",
         -1,
         -1,
         0,
         -1},
        {"empty list", {}, -1, "", "", "", "", "", -1, -1, -1, -1},
    };
    for (const PhoneCase &c : cases) {
        SCOPED_TRACE(c.name);
        const PersonPtr person = phones(c.entries, c.primary);
        EXPECT_EQ(primaryPhoneForPerson(person), c.primaryPhone);
        EXPECT_EQ(workPhoneForPerson(person), c.work);
        EXPECT_EQ(homePhoneForPerson(person), c.home);
        EXPECT_EQ(otherPhoneForPerson(person), c.other);
        EXPECT_EQ(mobilePhoneForPerson(person), c.mobile);
        EXPECT_EQ(indexOfWorkPhoneForPerson(person), c.workIndex);
        EXPECT_EQ(indexOfHomePhoneForPerson(person), c.homeIndex);
        EXPECT_EQ(indexOfOtherPhoneForPerson(person), c.otherIndex);
        EXPECT_EQ(indexOfMobilePhoneForPerson(person), c.mobileIndex);
    }
}

TEST_F(PersonPhonesTest, NoPersonAndNoProperty_GiveEmptyTextsAndNoPosition)
{
    for (const PersonPtr &person : {PersonPtr(), Person::create()}) {
        for (const QString &text :
             {primaryPhoneForPerson(person), workPhoneForPerson(person), homePhoneForPerson(person),
              otherPhoneForPerson(person), mobilePhoneForPerson(person)}) {
            EXPECT_FALSE(text.isNull());
            EXPECT_EQ(text, "");
        }
        EXPECT_EQ(indexOfWorkPhoneForPerson(person), -1);
        EXPECT_EQ(indexOfHomePhoneForPerson(person), -1);
        EXPECT_EQ(indexOfOtherPhoneForPerson(person), -1);
        EXPECT_EQ(indexOfMobilePhoneForPerson(person), -1);
    }
}

TEST_F(PersonPhonesTest, NumbersPassThroughTheDelegatesFormatting)
{
    BracketingDelegate delegate;
    ApplicationDelegate::setShared(&delegate);
    const PersonPtr person = phones({{kABPhoneWorkLabel, "555"},
                                     {kABPhoneHomeLabel, "556"},
                                     {kABPhoneMainLabel, "557"},
                                     {kABOtherLabel, "558"},
                                     {kABPhoneMobileLabel, "559"}});
    EXPECT_EQ(primaryPhoneForPerson(person), "[555]");
    EXPECT_EQ(workPhoneForPerson(person), "[555]");
    EXPECT_EQ(homePhoneForPerson(person), "[556]");
    EXPECT_EQ(otherPhoneForPerson(person), "[558]");
    EXPECT_EQ(mobilePhoneForPerson(person), "[559]");
    ApplicationDelegate::setShared(nullptr);
}

TEST_F(PersonPhonesTest, MobileThatFormatsToNothing_FallsBackToTheMainNumber)
{
    BracketingDelegate delegate;
    ApplicationDelegate::setShared(&delegate);
    EXPECT_EQ(
        mobilePhoneForPerson(phones(
            {{kABPhoneMobileLabel, "blank"}, {kABPhoneMainLabel, "1"}, {kABPhoneMainLabel, "2"}})),
        "[1]");
    const QString noMain = mobilePhoneForPerson(phones({{kABPhoneMobileLabel, "blank"}}));
    EXPECT_FALSE(noMain.isNull());
    EXPECT_EQ(noMain, "");
    ApplicationDelegate::setShared(nullptr);
}

} // namespace
