// The review window in the running program splits an address that has no stored hint with the
// application's parser, which knows the countries of the store: a town written after its postal
// code is the city, not a country.

#include "foundation/parsers/parserkeys.h"
#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/review/reviewkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "tests/support/app/mainprogramtest.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase
{
    QString text;
    QString street1;
    QString city;
    QString postal;
    QString country;
};

class ReviewAddressParseTest : public MainProgramTest
{
};

TEST_F(ReviewAddressParseTest, ATownAfterThePostalCodeIsTheCityAndACountryStaysACountry)
{
    const ParseCase cases[] = {
        {"8 rue de la Paix\n75002 Paris", "8 rue de la Paix", "Paris", "75002", "Canada"},
        {"12 rue de Rivoli\n75001 Paris\nFrance", "12 rue de Rivoli", "Paris", "75001", "France"},
        {"4 Kirchstrasse\n10115 Germany", "4 Kirchstrasse", "", "10115", "Germany"},
        {"4 Kirchstrasse\n10115 DE", "4 Kirchstrasse", "", "10115", "Germany"},
        {"1 Main St\nSpringfield, IL 62704", "1 Main St", "Springfield", "62704", "Canada"},
    };
    std::vector<GDataEntryPtr> contacts;
    for (const ParseCase &c : cases) {
        GDataEntryContactPtr entry = GDataEntryContact::contactEntryWithTitle(c.text.left(12));
        entry->setPostalAddresses({GDataPostalAddress::postalAddressWithString(c.text)});
        contacts.push_back(entry);
    }
    storePassword(kPassword);
    server.seedContacts(kAccount, contacts);
    ASSERT_TRUE(startAndLogIn());
    GoogleContactTool *const tool = delegate->appGoogleContactTool();
    ASSERT_TRUE(runUntil([&] { return tool->contactArray().size() == std::size(cases); }));
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(QStringLiteral("Canada"), zeltor::kDefaultCountryKey);
    defaults.setBool(true, reviewkeys::showAlreadyHintedNames);
    defaults.setBool(true, reviewkeys::showAlreadyHintedAddresses);

    GooglePreviewWindowController window;
    window.setGoogleTool(tool);
    window.loadNamesForReview();
    ASSERT_EQ(window.googleAddresses().size(), qsizetype(std::size(cases)));
    for (const ParseCase &c : cases) {
        const auto row = std::find_if(
            window.googleAddresses().cbegin(), window.googleAddresses().cend(),
            [&](const AddressReviewRow &address) { return address.gAddrText == c.text; });
        ASSERT_NE(row, window.googleAddresses().cend()) << c.text.toStdString();
        EXPECT_EQ(row->aLine1, c.street1) << c.text.toStdString();
        EXPECT_EQ(row->aCity, c.city) << c.text.toStdString();
        EXPECT_EQ(row->aPostal, c.postal) << c.text.toStdString();
        EXPECT_EQ(row->aCountry, c.country) << c.text.toStdString();
    }
}

} // namespace
