// The review window as the main menu's review command opens it in the program.

#include "tests/loader/window/dataloadertest.h"

#include "app/windows/windowfactory.h"
#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/review/reviewkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"

namespace {

class ReviewFromMenuTest : public DataLoaderTest
{
};

TEST_F(ReviewFromMenuTest, TheReviewCommandOpensTheWindowWithTheAccountsNamesLoaded)
{
    auto contact = std::make_shared<GDataEntryContact>();
    contact->setTitle(QStringLiteral("Ada Lovelace"));
    server.seedContacts(kAccount, {contact});
    UserDefaults::standard().setBool(true, reviewkeys::showAlreadyHintedNames);
    windowfactory::setMaker(WindowController::Kind::Preview,
                            [] { return std::make_unique<GooglePreviewWindowController>(); });
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runUntil([this] { return tool()->contactArray().size() == 1; }));

    ASSERT_TRUE(delegate->performMenuCommand(QStringLiteral("reviewGoogleNames:")));
    auto *const review =
        qobject_cast<GooglePreviewWindowController *>(delegate->googlePreviewWinController());
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(review->window()->windowTitle(), "Preview for " + kAccount);
    ASSERT_TRUE(runUntil([review] { return !review->googleNames().isEmpty(); }));
    EXPECT_EQ(review->googleNames().front().gTitle, "Ada Lovelace");
}

} // namespace
