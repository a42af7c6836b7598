// The review window in the running program splits an address that has no stored hint with the
// address parser and the countries of the store: a town written after its postal code is the
// city, not a country.

#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
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
protected:
    // The program signed in to an account holding the contacts, and the review window loaded.
    std::unique_ptr<GooglePreviewWindowController>
    reviewOf(const std::vector<GDataEntryPtr> &contacts,
             const std::function<void(const QStringList &ids)> &beforeLoad = {})
    {
        storePassword(kPassword);
        const QStringList ids = server.seedContacts(kAccount, contacts);
        EXPECT_TRUE(startAndLogIn());
        GoogleContactTool *const tool = delegate->appGoogleContactTool();
        EXPECT_TRUE(runUntil([&] { return tool->contactArray().size() == contacts.size(); }));
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setString(QStringLiteral("Canada"), zeltor::kDefaultCountryKey);
        defaults.setBool(true, reviewkeys::showAlreadyHintedNames);
        defaults.setBool(true, reviewkeys::showAlreadyHintedAddresses);
        if (beforeLoad)
            beforeLoad(ids);
        auto window = std::make_unique<GooglePreviewWindowController>();
        window->setGoogleTool(tool);
        window->loadNamesForReview();
        return window;
    }
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
    const std::unique_ptr<GooglePreviewWindowController> review = reviewOf(contacts);
    const GooglePreviewWindowController &window = *review;
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

// At the diagnostic level the load names the contact of the Me record.
TEST_F(ReviewAddressParseTest, TheLoadLogsTheContactOfTheMeRecord)
{
    setLevel(1);
    const auto review = reviewOf({GDataEntryContact::contactEntryWithTitle("Ann Lee"),
                                  GDataEntryContact::contactEntryWithTitle("Bea Cole")},
                                 [](const QStringList &ids) {
                                     AddressBookTool::setGoogleID(ids[1], AddressBookTool::meAB());
                                 });
    ASSERT_EQ(review->googleNames().size(), 2);
    const QString log = lines().join(u'\n');
    const qsizetype logged =
        log.indexOf("[GooglePreviewWindowController loadNamesForReview:] thisContact = {");
    ASSERT_GE(logged, 0);
    const QString entry = log.mid(logged, log.indexOf(u'}', logged) - logged);
    EXPECT_TRUE(entry.contains("Bea Cole")) << entry.toStdString();
    EXPECT_FALSE(entry.contains("Ann Lee")) << entry.toStdString();
}

} // namespace
