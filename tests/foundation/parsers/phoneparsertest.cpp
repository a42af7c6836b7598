#include "foundation/parsers/phoneparser.h"
#include "foundation/parsers/parserkeys.h"
#include "platform/defaults/userdefaults.h"

#include <gtest/gtest.h>

namespace {

class PhoneParser : public ::testing::Test
{
protected:
    void SetUp() override { setMinimum(7); }
    void TearDown() override
    {
        UserDefaults::standard().removeObjectForKey(zeltor::kMinPhoneNumberLengthKey);
    }
    static void setMinimum(int digits)
    {
        UserDefaults::standard().setInteger(digits, zeltor::kMinPhoneNumberLengthKey);
    }
};

struct PhoneCase
{
    const char *text;
    const char *phone;
    const char *type;
    const char *pre;
    const char *post;
};

TEST_F(PhoneParser, FindsTheNumberItsKindAndTheTextAroundIt)
{
    const PhoneCase cases[] = {
        {"John Smith cell 555-123-4567", "5551234567", "mobilePhone", "John Smith", ""},
        {"Fax: (555) 123-4567 office", "5551234567", "faxPhone", ":", "office"},
        {"555-123-4567 (h)", "5551234567", "homePhone", "", ""},
        {"Tel 555 1234", "5551234", "phone", "Tel", ""},
        {"Mobile: +44 20 7946 0958", "+442079460958", "mobilePhone", ":", ""},
        {"+1 (555) 123-4567 ext. 89 work", "+15551234567 x89", "workPhone", "", ""},
        {"Office 555.123.4567 x12", "5551234567 x12", "phone", "Office", ""},
        {"Tel/Fax 030/1234567", "0301234567", "faxPhone", "Tel/", ""},
        // the number is the longest run, not every digit of the line
        {"12 Main St, call 555-1234", "5551234", "phone", "12 Main St, call", ""},
        {"Springfield IL 62701 (217) 555-1234", "2175551234", "phone", "Springfield IL 62701", ""},
        // type words count only as whole words
        {"homework 555-1234", "5551234", "phone", "homework", ""},
        {"Fairfax office 555-1234", "5551234", "phone", "Fairfax office", ""},
        {"Cellular phone 555 1234 or cell", "5551234", "mobilePhone", "phone", "or cell"},
    };
    for (const PhoneCase &c : cases) {
        EXPECT_TRUE(zeltor::containsPhoneNumber(c.text)) << c.text;
        const zeltor::PhoneFind found = zeltor::extractPhoneNumber(c.text);
        EXPECT_EQ(found.phone, c.phone) << c.text;
        EXPECT_EQ(found.type, c.type) << c.text;
        EXPECT_EQ(found.pre, c.pre) << c.text;
        EXPECT_EQ(found.post, c.post) << c.text;
    }
}

TEST_F(PhoneParser, TooFewDigitsIsNoNumberAndLeavesTheTextAlone)
{
    EXPECT_FALSE(zeltor::containsPhoneNumber("Apt 12"));
    EXPECT_TRUE(zeltor::containsPhoneNumber("555-1234"));
    EXPECT_FALSE(zeltor::containsPhoneNumber("123 Main St, Springfield IL 62701"));

    // without the preference a number still needs three digits
    UserDefaults::standard().removeObjectForKey(zeltor::kMinPhoneNumberLengthKey);
    for (const char *text : {"", "John Smith", "Apt 1", "12"}) {
        EXPECT_FALSE(zeltor::containsPhoneNumber(text)) << text;
        const zeltor::PhoneFind found = zeltor::extractPhoneNumber(text);
        EXPECT_EQ(found.phone, "") << text;
        EXPECT_EQ(found.pre, text) << text;
        EXPECT_EQ(found.post, "") << text;
        EXPECT_EQ(found.type, "phone") << text;
    }
    EXPECT_TRUE(zeltor::containsPhoneNumber("911"));
}

} // namespace
