#include "addressbook/google/googleaddress.h"
#include "addressbook/google/browserdictionarykeys.h"
#include "platform/addressbook/abconstants.h"

#include <gtest/gtest.h>

namespace {

using namespace AddressBookTool;

struct AddressCase
{
    const char *name;
    QVariantMap google;
    QVariantMap expected;
};

TEST(GoogleAddress, KeysAreTakenOnlyWhenTheyHoldText)
{
    const AddressCase cases[] = {
        {"every key",
         {{googleaddresskeys::street1, "1 Main St"},
          {googleaddresskeys::street2, "Flat 2"},
          {googleaddresskeys::city, "Springfield"},
          {googleaddresskeys::state, "IL"},
          {googleaddresskeys::postal, "62701"},
          {googleaddresskeys::country, "USA"}},
         {{kABAddressStreetKey, "1 Main St\rFlat 2"},
          {kABAddressCityKey, "Springfield"},
          {kABAddressStateKey, "IL"},
          {kABAddressZIPKey, "62701"},
          {kABAddressCountryKey, "USA"}}},
        {"first street line only",
         {{googleaddresskeys::street1, "1 Main St"}, {googleaddresskeys::street2, ""}},
         {{kABAddressStreetKey, "1 Main St"}}},
        {"second street line only",
         {{googleaddresskeys::street2, "Flat 2"}},
         {{kABAddressStreetKey, "Flat 2"}}},
        {"empty values leave their keys out",
         {{googleaddresskeys::street1, ""},
          {googleaddresskeys::city, ""},
          {googleaddresskeys::state, ""},
          {googleaddresskeys::postal, "0150"},
          {googleaddresskeys::country, ""}},
         {{kABAddressZIPKey, "0150"}}},
        {"nothing", {}, {}},
    };
    for (const AddressCase &c : cases)
        EXPECT_EQ(abAdddressForGoogleDict(c.google), c.expected) << c.name;
}

} // namespace
