#include "browser/splitview/browserimagesplitview.h"
#include "browser/splitview/groupnavsplitview.h"
#include "browser/splitview/notesplitview.h"
#include "foundation/views/resizegripbutton.h"
#include "tests/browser/splitview/splitviewtestsupport.h"
#include "tests/support/logcapture.h"

#include <QDir>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace splitviewtest;

namespace {

struct WidthCase
{
    float asked;
    int width;
};

class GroupPaneWidth : public ::testing::TestWithParam<WidthCase>
{
};

TEST_P(GroupPaneWidth, IsKeptBetweenZeroAnd200AndTheOtherPaneTakesTheRest)
{
    GroupNavSplitView split;
    split.resize(800, 600);
    split.show();
    split.setLeftWidth(120);

    split.setLeftWidth(GetParam().asked);
    EXPECT_EQ(split.leftSubView()->width(), GetParam().width);
    EXPECT_EQ(split.leftWidth(), float(GetParam().width));
    EXPECT_EQ(split.rightSubView()->geometry().right() + 1, 800);
    EXPECT_EQ(split.rightSubView()->height(), 600);
    // A pane closed to nothing is not collapsed, but counts as closed.
    EXPECT_EQ(split.isLeftSubViewCollapsed(), GetParam().width == 0);
    EXPECT_FALSE(split.isSubviewCollapsed(split.leftSubView()));
}

INSTANTIATE_TEST_SUITE_P(Cases, GroupPaneWidth,
                         ::testing::Values(WidthCase{250, 200}, WidthCase{-5, 0},
                                           WidthCase{200, 200}, WidthCase{0, 0},
                                           WidthCase{150, 150}, WidthCase{120, 120}));

// The browser's group pane: the group list above the portrait pane, over a bar with the grip,
// which finds the group split view three levels above itself.
class GroupPane : public ::testing::Test
{
protected:
    GroupPane()
    {
        auto *column = new QVBoxLayout(nav.leftSubView());
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        column->addWidget(image = new BrowserImageSplitView);
        auto *bar = new QWidget;
        bar->setFixedHeight(30);
        column->addWidget(bar);
        grip = new ResizeGripButton(bar);
        grip->setGeometry(0, 0, 100, 30);
        nav.setBrowserImageSplitView(image);
        image->setGroupNavSplitView(&nav);
        nav.resize(900, 630);
        nav.show();
        nav.setLeftWidth(150);
    }

    GroupNavSplitView nav;
    BrowserImageSplitView *image = nullptr;
    ResizeGripButton *grip = nullptr;
};

TEST_F(GroupPane, ThePortraitPaneOpensAsHighAsTheGroupPaneIsWideAndFollowsIt)
{
    EXPECT_FALSE(image->imageIsVisible());
    EXPECT_EQ(image->height(), 600);
    image->setBottomHeight(120);
    EXPECT_EQ(image->bottomSubview()->height(), 0);

    image->toggle();
    EXPECT_TRUE(image->imageIsVisible());
    EXPECT_EQ(image->bottomSubview()->height(), 150);
    EXPECT_EQ(image->topSubview()->height(), 600 - 150 - 3);

    nav.setLeftWidth(180);
    EXPECT_EQ(image->bottomSubview()->height(), 180);
    EXPECT_EQ(image->bottomSubview()->width(), 180);

    image->toggle();
    EXPECT_FALSE(image->imageIsVisible());
    EXPECT_EQ(image->topSubview()->height(), 597);
}

TEST_F(GroupPane, TheGripResizesTheGroupPaneAndThePortraitPaneWithIt)
{
    image->toggle();
    press(grip, {90, 20});
    drag(grip, {120, 20});
    EXPECT_EQ(nav.leftSubView()->width(), 180);
    EXPECT_EQ(image->bottomSubview()->height(), 180);
    drag(grip, {400, 20});
    release(grip, {400, 20});
    EXPECT_EQ(nav.leftSubView()->width(), 200);
    EXPECT_EQ(image->bottomSubview()->height(), 200);
    EXPECT_EQ(nav.rightSubView()->x(), 200);
    EXPECT_EQ(nav.rightSubView()->width(), 700);
}

TEST_F(GroupPane, ToggledClosed_TheGroupPaneTakesItsPortraitAlongAndReopensAt200)
{
    image->toggle();
    nav.toggle();
    EXPECT_TRUE(nav.isLeftSubViewCollapsed());
    EXPECT_EQ(nav.leftSubView()->width(), 0);
    EXPECT_EQ(nav.rightSubView()->width(), 900);
    EXPECT_FALSE(image->imageIsVisible());

    nav.toggle();
    EXPECT_FALSE(nav.isLeftSubViewCollapsed());
    EXPECT_EQ(nav.leftSubView()->width(), 200);
    EXPECT_FALSE(image->imageIsVisible());
    image->toggle();
    EXPECT_EQ(image->bottomSubview()->height(), 200);
}

TEST_F(GroupPane, ThePortraitPaneDividerCollapsesThePaneDraggedDown)
{
    image->toggle();
    // Right after the toggle, the divider lies between the group list (447 high) and the
    // portrait pane.
    dragDivider(image, {75, 448}, {75, 599});
    EXPECT_TRUE(image->isSubviewCollapsed(image->bottomSubview()));
    EXPECT_TRUE(image->bottomSubview()->isHidden());
    EXPECT_FALSE(image->imageIsVisible());

    // The toggle opens a pane that a drag collapsed, as it opens one closed to nothing.
    image->toggle();
    EXPECT_FALSE(image->isSubviewCollapsed(image->bottomSubview()));
    EXPECT_FALSE(image->bottomSubview()->isHidden());
    EXPECT_EQ(image->bottomSubview()->height(), 150);
}

class NotesPane : public ::testing::Test
{
protected:
    NotesPane()
    {
        QDir::setSearchPaths("images", {":/images"});
        split.resize(500, 400);
        split.show();
    }
    ~NotesPane() override { QDir::setSearchPaths("images", {}); }

    int notesHeight() const { return split.bottomSubview()->height(); }

    NoteSplitView split;
};

TEST_F(NotesPane, TheToggleOpensFortyPercentOfTheUpperPaneAndClosesToNothing)
{
    EXPECT_FALSE(split.noteIsVisible());
    EXPECT_EQ(split.topSubview()->height(), 392);

    LogCapture log;
    LogCapture::setLevel(1);
    split.toggle();
    LogCapture::setLevel(0);
    EXPECT_TRUE(split.noteIsVisible());
    EXPECT_NEAR(notesHeight(), 0.4 * 392, 1);
    EXPECT_EQ(split.bottomSubview()->geometry().bottom() + 1, 400);
    EXPECT_EQ(
        log.lines().filter("Bottom is currently collapsed"),
        QStringList{"[NoteSplitView splitView:didDoubleClickInDivider:] - Bottom is currently "
                    "collapsed"});

    split.toggle();
    EXPECT_FALSE(split.noteIsVisible());
    EXPECT_EQ(notesHeight(), 0);
    EXPECT_EQ(split.topSubview()->height(), 392);
}

TEST_F(NotesPane, TheDividerStaysAnEighthOfTheHeightBelowTheTop)
{
    split.toggle();
    const double divider = split.dividerRects().at(0).y();
    dragDivider(&split, {250, divider + 4}, {250, 10});
    EXPECT_EQ(split.topSubview()->height(), 50);
    EXPECT_EQ(notesHeight(), 400 - 50 - 8);
    EXPECT_FALSE(split.isSubviewCollapsed(split.topSubview()));

    dragDivider(&split, {250, 54}, {250, 200});
    EXPECT_EQ(split.topSubview()->height(), 196);
}

TEST_F(NotesPane, ADoubleClickOnTheClosedDividerOpensTheNotes)
{
    // The press of the double click's first click already collapses the pane it closes to
    // nothing; the double click opens it all the same.
    press(&split, {250, 396});
    release(&split, {250, 396});
    doubleClick(&split, {250, 396});
    release(&split, {250, 396});
    EXPECT_TRUE(split.noteIsVisible());
    EXPECT_FALSE(split.bottomSubview()->isHidden());
    EXPECT_NEAR(notesHeight(), 0.4 * 392, 1);
}

TEST_F(NotesPane, ResizesKeepTheProportionsAndSurviveASplitViewNoHigherThanItsDivider)
{
    split.toggle();
    const double share = double(notesHeight()) / 392;
    split.resize(500, 800);
    EXPECT_NEAR(notesHeight(), share * 792, 2);
    EXPECT_EQ(split.bottomSubview()->geometry().bottom() + 1, 800);

    split.resize(500, 8);
    split.resize(500, 300);
    EXPECT_EQ(split.topSubview()->height() + 8 + notesHeight(), 300);
}

} // namespace
