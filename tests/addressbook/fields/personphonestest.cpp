#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/fields/personphones.h"
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

// Texts: primary, work, home, other, mobile; positions: work, home, other, mobile.
struct PhoneCase
{
    const char *name;
    QList<LabelledEntry> entries;
    int primary;
    QStringList texts;
    QList<int> positions;
};

TEST_F(PersonPhonesTest, PhonesByLabel)
{
    const PhoneCase cases[] = {
        {"home, work, work: the first work number",
         {{kABPhoneHomeLabel, "h"}, {kABPhoneWorkLabel, "w1"}, {kABPhoneWorkLabel, "w2"}},
         -1,
         {"h", "w1", "h", "", ""},
         {1, 0, -1, -1}},
        {"main, work fax, custom, other: the last other, the first position",
         {{kABPhoneMainLabel, "m"},
          {kABPhoneWorkFAXLabel, "fax"},
          {"Boat", "boat"},
          {kABOtherLabel, "o"}},
         -1,
         {"m", "", "", "o", ""},
         {-1, -1, 1, -1}},
        {"custom cell label: found as value, not as position",
         {{"Cell Phone", "c"}},
         -1,
         {"c", "", "", "c", "c"},
         {-1, -1, 0, -1}},
        {"iPhone label: found by both",
         {{kABPhoneHomeLabel, "h"}, {"iPhone", "i"}},
         -1,
         {"h", "", "h", "", "i"},
         {-1, 0, -1, 1}},
        {"pager counts as mobile and as other",
         {{kABPhonePagerLabel, "p"}},
         -1,
         {"p", "", "", "p", "p"},
         {-1, -1, 0, 0}},
        {"pager before mobile: the first in list order",
         {{kABPhonePagerLabel, "p"}, {kABPhoneMobileLabel, "m"}},
         -1,
         {"p", "", "", "p", "p"},
         {-1, -1, 0, 0}},
        {"main phone alone is no mobile",
         {{kABPhoneMainLabel, "m"}},
         -1,
         {"m", "", "", "", ""},
         {-1, -1, -1, -1}},
        {"primary entry",
         {{kABPhoneHomeLabel, "h"}, {kABPhoneWorkLabel, "w"}},
         1,
         {"w", "w", "h", "", ""},
         {1, 0, -1, -1}},
        {"labels are compared as stored",
         {{"work", "w"}, {"_$!<home>!$_", "h"}},
         -1,
         {"w", "", "", "h", ""},
         {-1, -1, 0, -1}},
        {"empty list", {}, -1, {"", "", "", "", ""}, {-1, -1, -1, -1}},
    };
    for (const PhoneCase &c : cases) {
        SCOPED_TRACE(c.name);
        const PersonPtr person = phones(c.entries, c.primary);
        EXPECT_EQ(QStringList({primaryPhoneForPerson(person), workPhoneForPerson(person),
                               homePhoneForPerson(person), otherPhoneForPerson(person),
                               mobilePhoneForPerson(person)}),
                  c.texts);
        EXPECT_EQ(
            QList<int>({indexOfWorkPhoneForPerson(person), indexOfHomePhoneForPerson(person),
                        indexOfOtherPhoneForPerson(person), indexOfMobilePhoneForPerson(person)}),
            c.positions);
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

class FormattedPhonesTest : public PersonPhonesTest
{
protected:
    void SetUp() override
    {
        PersonPhonesTest::SetUp();
        ApplicationDelegate::setShared(&m_delegate);
    }
    void TearDown() override { ApplicationDelegate::setShared(nullptr); }

private:
    BracketingDelegate m_delegate;
};

TEST_F(FormattedPhonesTest, NumbersPassThroughTheDelegatesFormatting)
{
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
}

TEST_F(FormattedPhonesTest, MobileThatFormatsToNothing_FallsBackToTheMainNumber)
{
    EXPECT_EQ(
        mobilePhoneForPerson(phones(
            {{kABPhoneMobileLabel, "blank"}, {kABPhoneMainLabel, "1"}, {kABPhoneMainLabel, "2"}})),
        "[1]");
    const QString noMain = mobilePhoneForPerson(phones({{kABPhoneMobileLabel, "blank"}}));
    EXPECT_FALSE(noMain.isNull());
    EXPECT_EQ(noMain, "");
}

} // namespace
