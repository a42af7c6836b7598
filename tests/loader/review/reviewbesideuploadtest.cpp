// The review window opened while the data loader runs an upload on the same engine: the upload
// keeps the engine's delegate roles, sends every contact and ends in the data loader.

#include "tests/loader/window/dataloadertest.h"

#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/review/reviewtexts.h"
#include "platform/addressbook/addressbook.h"
#include "tests/support/google/uploadbook.h"

#include <QTimer>

#include <memory>

namespace {

class ReviewBesideUploadTest : public DataLoaderTest
{
};

TEST_F(ReviewBesideUploadTest, AnUploadRunningWhenTheReviewWindowBecomesKeySendsAllItsContacts)
{
    makeUploadBook(20);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    std::unique_ptr<GooglePreviewWindowController> review;
    QObject::connect(loader, &DataMoverWindowController::passStarting, loader, [&] {
        review = std::make_unique<GooglePreviewWindowController>();
        review->setGoogleTool(tool());
        review->windowDidBecomeKey();
        // A send now would end in the loader's steps: it waits, and the user is told.
        review->updateGoogleNamesReview();
        EXPECT_FALSE(review->isSending());
    });

    ASSERT_TRUE(runPass(loader->simpleUploadButton()));

    ASSERT_TRUE(review);
    EXPECT_EQ(liveEntries(GDataEntryBase::Kind::Contact).size(),
              size_t(AddressBook::shared()->people().size()));
    EXPECT_EQ(tool()->uiDelegate(), static_cast<GoogleContactToolUIDelegate *>(loader));
    EXPECT_EQ(processesEnded, 1);
    EXPECT_TRUE(sheetTitles().contains(reviewtexts::otherJobRunning));

    // Once the loader is idle, the review window takes the roles when it becomes key.
    review->windowDidBecomeKey();
    EXPECT_EQ(tool()->uiDelegate(), review->engineUIDelegate());
    review.reset();
    EXPECT_EQ(tool()->uiDelegate(), nullptr);
}

} // namespace
