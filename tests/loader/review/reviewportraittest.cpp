// The review window's portraits: the editor starts only from a loaded photo or a picture the user
// brought, a saved crop marks the row and survives a later cancel and an edit of unchanged names,
// pictures dropped on the window go to the selected row, and a saved portrait reaches Google.

#include "tests/support/google/photoservertest.h"

#include "browser/portrait/portraitmakerview.h"
#include "browser/portrait/portraitsheet.h"
#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/review/reviewkeys.h"
#include "platform/defaults/userdefaults.h"

#include <QImage>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

class ReviewPortraitTest : public PhotoServerTest
{
protected:
    void TearDown() override
    {
        window.reset();
        PhotoServerTest::TearDown();
    }

    // Ann has a red photo on Google, Bea none.
    void openWindow()
    {
        ids = seedAndLogIn({"Ann", "Bea"});
        server.setPhoto(kUser, ids[0], picture(Qt::red, "JPEG"));
        refetch();
        UserDefaults::standard().setBool(true, reviewkeys::showAlreadyHintedNames);
        UserDefaults::standard().setBool(true, reviewkeys::showAlreadyHintedAddresses);
        window = std::make_unique<GooglePreviewWindowController>();
        window->setGoogleTool(engine.get());
        window->loadNamesForReview();
    }

    void select(int row)
    {
        window->namesTableView()->selectionModel()->clearSelection();
        if (row >= 0)
            window->namesTableView()->selectRow(row);
    }

    static QImage solid(const QColor &colour, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    const NameReviewRow &row(int i) const { return window->googleNames().at(i); }

    QStringList ids;
    std::unique_ptr<GooglePreviewWindowController> window;
};

TEST_F(ReviewPortraitTest, TheEditorStartsFromTheLoadedPhotoAndNeverFromThePlaceholder)
{
    openWindow();
    select(0);
    window->openImageView();
    ASSERT_TRUE(window->imageMaker()->isVisible());
    EXPECT_GT(QColor(window->portraitView()->myImage().pixel(4, 4)).red(), 200);
    window->closeImageMaker();

    select(1);
    window->openImageView();
    EXPECT_TRUE(window->portraitView()->myImage().isNull());
    window->saveImage();
    EXPECT_FALSE(row(1).gDelta);
    EXPECT_FALSE(row(1).delta);
}

TEST_F(ReviewPortraitTest, ASavedPortraitSurvivesACancelAndAnEditOfUnchangedNames)
{
    openWindow();
    select(1);
    window->grabImageFile({{"imageData", solid(Qt::blue, 300, 300)}, {"path", "clipboard"}});
    ASSERT_TRUE(window->imageMaker()->isVisible());
    window->saveImage();
    EXPECT_TRUE(row(1).gDelta);
    EXPECT_TRUE(row(1).delta);
    const QImage saved = row(1).gImage;
    EXPECT_EQ(saved.size(), QSize(100, 100));

    window->openImageView();
    EXPECT_FALSE(window->portraitView()->myImage().isNull());
    window->portraitView()->setMyImage(solid(Qt::green, 300, 300));
    window->closeImageMaker();
    EXPECT_EQ(row(1).gImage, saved);
    EXPECT_TRUE(row(1).gDelta);

    QLineEdit *first = window->nameField(GooglePreviewWindowController::FirstTag);
    emit first->editingFinished();
    EXPECT_TRUE(row(1).delta);
}

TEST_F(ReviewPortraitTest, DroppedPicturesGoToTheSelectedRowOnly)
{
    openWindow();
    QMimeData data;
    data.setImageData(solid(Qt::blue, 240, 240));
    select(-1);
    ASSERT_EQ(window->currentGoogleContact(), -1);
    EXPECT_TRUE(window->performDragOperation(&data));
    runUntil([] { return false; }, 400);
    EXPECT_FALSE(window->imageMaker()->isVisible());

    select(1);
    EXPECT_EQ(window->draggingEntered(&data), Qt::CopyAction);
    EXPECT_TRUE(window->performDragOperation(&data));
    ASSERT_TRUE(runUntil([&] { return window->imageMaker()->isVisible(); }, 2000));
    EXPECT_EQ(window->portraitView()->myImage().size(), QSize(240, 240));
}

TEST_F(ReviewPortraitTest, ASavedPortraitReachesGoogleWithTheNames)
{
    openWindow();
    select(1);
    window->grabImageFile({{"imageData", solid(Qt::blue, 300, 300)}, {"path", "clipboard"}});
    window->saveImage();
    window->updateGoogleNamesReview();
    ASSERT_TRUE(runUntil([&] { return !window->isSending(); }));
    refetch();
    EXPECT_TRUE(showsColour(storedPhoto(ids[1]), Qt::blue));
    EXPECT_FALSE(row(1).gDelta);
    EXPECT_FALSE(row(1).delta);
    EXPECT_TRUE(showsColour(storedPhoto(ids[0]), Qt::red));
}

} // namespace
