#include "browser/splitview/kfsplitview.h"
#include "browser/splitview/kfsplitviewdelegate.h"
#include "browser/splitview/splitposition.h"
#include "platform/defaults/userdefaults.h"
#include "tests/browser/splitview/splitviewtestsupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

using namespace splitviewtest;

namespace {

// Subviews stacked with dividers 10 points thick.
class StackedSplitView : public KFSplitView
{
public:
    explicit StackedSplitView(const std::vector<int> &heights, QSize size = {200, 400})
    {
        int y = 0;
        for (const int height : heights) {
            auto *subview = new QWidget(this);
            subview->setGeometry(0, y, size.width(), height);
            addSubview(subview);
            y += height + 10;
        }
        resize(size);
        show();
    }
    double dividerThickness() const override { return 10; }
    QWidget *at(int index) const { return subviews().at(index); }
};

// A delegate with a range of its own and leave to collapse both subviews.
class RangeDelegate : public KFSplitViewDelegate
{
public:
    std::optional<double> splitViewConstrainMinCoordinate(KFSplitView *, double, int) override
    {
        return minimum;
    }
    std::optional<double> splitViewConstrainMaxCoordinate(KFSplitView *, double, int) override
    {
        return maximum;
    }
    bool splitViewCanCollapseSubview(KFSplitView *, QWidget *) override { return canCollapse; }
    std::optional<double> splitViewConstrainSplitPosition(KFSplitView *, double proposed,
                                                          int) override
    {
        return snap > 0 ? std::optional<double>(std::round(proposed / snap) * snap) : std::nullopt;
    }
    bool splitViewDidDoubleClickInDivider(KFSplitView *, int) override
    {
        ++doubleClicks;
        return answersDoubleClick;
    }
    void splitViewDidFinishDragInDivider(KFSplitView *, int divider) override
    {
        finished.append(divider);
    }

    double minimum = 100;
    double maximum = 300;
    bool canCollapse = true;
    double snap = 0;
    bool answersDoubleClick = true;
    int doubleClicks = 0;
    QList<int> finished;
};

struct DragCase
{
    bool canCollapse;
    int to;
    // The upper subview's height after the drag, and which subview collapsed.
    int topHeight;
    bool topCollapsed;
    bool bottomCollapsed;
};

class DividerDrag : public ::testing::TestWithParam<DragCase>
{
};

// Between subview 0's start (0) and the delegate's minimum (100) the midpoint is 50; between the
// delegate's maximum (300) and the natural maximum (400 - 10) it is 345.
TEST_P(DividerDrag, CollapsesPastTheMidpointsAndElseKeepsToTheDelegatesRange)
{
    const DragCase c = GetParam();
    StackedSplitView split({190, 200});
    RangeDelegate delegate;
    delegate.canCollapse = c.canCollapse;
    split.setDelegate(&delegate);

    dragDivider(&split, {100, 195}, {100, double(c.to + 5)});

    EXPECT_EQ(split.isSubviewCollapsed(split.at(0)), c.topCollapsed);
    EXPECT_EQ(split.isSubviewCollapsed(split.at(1)), c.bottomCollapsed);
    EXPECT_EQ(split.at(0)->isHidden(), c.topCollapsed);
    EXPECT_EQ(split.at(1)->isHidden(), c.bottomCollapsed);
    if (!c.topCollapsed) {
        EXPECT_EQ(split.at(0)->height(), c.topHeight);
    }
    if (!c.bottomCollapsed) {
        EXPECT_EQ(split.at(1)->y(), c.topHeight + 10);
        EXPECT_EQ(split.at(1)->geometry().bottom() + 1, 400);
    }
    EXPECT_EQ(split.dividerRects().at(0).y(), c.topHeight);
    EXPECT_EQ(delegate.finished, QList<int>{0});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DividerDrag,
    ::testing::Values(DragCase{true, 49, 0, true, false}, DragCase{true, 50, 100, false, false},
                      DragCase{true, 99, 100, false, false}, DragCase{true, 100, 100, false, false},
                      DragCase{true, 237, 237, false, false},
                      DragCase{true, 300, 300, false, false},
                      DragCase{true, 344, 300, false, false}, DragCase{true, 345, 390, false, true},
                      DragCase{false, 10, 100, false, false},
                      DragCase{false, 389, 300, false, false}));

TEST(KFSplitView, ACollapsedSubviewDraggedOpen_IsShownAndAnnounced)
{
    StackedSplitView split({190, 200});
    RangeDelegate delegate;
    split.setDelegate(&delegate);
    QSignalSpy collapsed(&split, &KFSplitView::didCollapseSubview);
    QSignalSpy expanded(&split, &KFSplitView::didExpandSubview);

    dragDivider(&split, {100, 195}, {100, 20});
    ASSERT_EQ(collapsed.count(), 1);
    EXPECT_EQ(collapsed.at(0).at(0).value<QWidget *>(), split.at(0));

    // The divider of a collapsed subview sits at its start.
    dragDivider(&split, {100, 5}, {100, 205});
    ASSERT_EQ(expanded.count(), 1);
    EXPECT_EQ(expanded.at(0).at(0).value<QWidget *>(), split.at(0));
    EXPECT_FALSE(split.at(0)->isHidden());
    EXPECT_EQ(split.at(0)->height(), 200);
}

TEST(KFSplitView, MousePositionsThatLeaveTheDividerWhereItIs_LayOutNothing)
{
    StackedSplitView split({190, 200});
    RangeDelegate delegate;
    delegate.snap = 20;
    split.setDelegate(&delegate);
    QSignalSpy resized(&split, &KFSplitView::didResizeSubviews);

    press(&split, {100, 195});
    EXPECT_EQ(resized.count(), 1);
    drag(&split, {100, 201});
    drag(&split, {100, 203});
    EXPECT_EQ(resized.count(), 1);
    EXPECT_EQ(split.at(0)->height(), 200);
    drag(&split, {100, 255});
    release(&split, {100, 255});
    EXPECT_EQ(resized.count(), 2);
    EXPECT_EQ(split.at(0)->height(), 260);
}

TEST(KFSplitView, ClicksBesideTheDividersAndAnsweredDoubleClicks_MoveNothing)
{
    StackedSplitView split({190, 200});
    RangeDelegate delegate;
    split.setDelegate(&delegate);
    QSignalSpy resized(&split, &KFSplitView::didResizeSubviews);

    press(&split, {100, 189});
    drag(&split, {100, 300});
    release(&split, {100, 300});
    doubleClick(&split, {100, 195});
    release(&split, {100, 195});
    EXPECT_EQ(resized.count(), 0);
    EXPECT_EQ(delegate.doubleClicks, 1);
    EXPECT_TRUE(delegate.finished.isEmpty());
    EXPECT_EQ(split.at(0)->height(), 190);

    // A double click the delegate does not take starts a drag.
    delegate.answersDoubleClick = false;
    doubleClick(&split, {100, 195});
    drag(&split, {100, 255});
    release(&split, {100, 255});
    EXPECT_EQ(split.at(0)->height(), 250);
}

TEST(KFSplitView, EverySubviewCollapsed_SubviewZeroTakesAllTheSpace)
{
    StackedSplitView split({100, 100, 180});
    for (QWidget *subview : split.subviews())
        split.setSubview(subview, true);
    split.resize(200, 500);

    EXPECT_FALSE(split.isSubviewCollapsed(split.at(0)));
    EXPECT_FALSE(split.at(0)->isHidden());
    EXPECT_EQ(split.at(0)->geometry(), QRect(0, 0, 200, 480));
    EXPECT_TRUE(split.at(1)->isHidden());
    EXPECT_TRUE(split.at(2)->isHidden());
}

TEST(KFSplitView, TheLastSubviewWithAThickness_EndsAtTheFarEdge)
{
    StackedSplitView split({97, 0, 113});
    for (const int height : {401, 333, 1000, 77}) {
        split.resize(200, height);
        EXPECT_EQ(split.at(2)->geometry().bottom() + 1, height);
        EXPECT_EQ(split.at(1)->height(), 0);
    }
}

QVariant stored(const QString &name)
{
    return UserDefaults::standard().objectForKey(KFSplitView::kfDefaultsKeyForName(name));
}

double storedHeight(const QVariantMap &position, int subview)
{
    const QString frame =
        position.value("subviews").toList().at(subview).toMap().value("frame").toString();
    return splitposition::frameFromString(frame).value_or(QRectF()).height();
}

TEST(KFSplitViewAutosave, StoresOnEveryResizeAndRestoresScaledInTheNextSplitViewOfThatName)
{
    const QString kName = QStringLiteral("Contacts");
    const auto stored = [&] {
        return ::stored(kName);
    };
    auto first = std::make_unique<StackedSplitView>(std::vector<int>{100, 90, 190});
    EXPECT_TRUE(first->setPositionAutosaveName(kName));
    EXPECT_FALSE(stored().isValid());

    first->setSubview(first->at(1), true);
    first->resize(200, 600);
    const QVariantMap afterResize = stored().toMap();
    EXPECT_EQ(afterResize, first->plistObjectWithSavedPosition());
    EXPECT_EQ(afterResize.value("version"), 2);
    EXPECT_EQ(afterResize.value("isVertical"), false);
    const QVariantList subviews = afterResize.value("subviews").toList();
    ASSERT_EQ(subviews.size(), 3);
    EXPECT_EQ(subviews[0].toMap().value("frame"), "{{0, 0}, {200, 200}}");
    EXPECT_EQ(subviews[1].toMap().value("collapsed"), true);
    EXPECT_EQ(subviews[2].toMap().value("frame"), "{{0, 220}, {200, 380}}");

    first->resize(200, 300);
    const QVariantMap last = stored().toMap();
    EXPECT_EQ(last, first->plistObjectWithSavedPosition());
    EXPECT_NE(last, afterResize);

    // A name belongs to one split view at a time, and asking for it again is refused too.
    StackedSplitView second({50, 50, 50}, {100, 800});
    EXPECT_FALSE(second.setPositionAutosaveName(kName));
    EXPECT_FALSE(first->setPositionAutosaveName(kName));
    EXPECT_EQ(first->positionAutosaveName(), kName);

    first.reset();
    EXPECT_TRUE(second.setPositionAutosaveName(kName));
    EXPECT_TRUE(second.isSubviewCollapsed(second.at(1)));
    EXPECT_TRUE(second.at(1)->isHidden());
    // The first split view's proportions, in 800 - 20 points.
    const double top = storedHeight(last, 0);
    EXPECT_NEAR(second.at(0)->height(), 780 * top / (top + storedHeight(last, 2)), 1);
    EXPECT_EQ(second.at(0)->width(), 100);
    EXPECT_EQ(second.at(2)->geometry().bottom() + 1, 800);
}

TEST(KFSplitViewAutosave, DragStepsAreStored_TheEmptyNameEndsAutosavingAndFreesTheName)
{
    const QString kName = QStringLiteral("Notes");
    const auto stored = [&] {
        return ::stored(kName);
    };
    StackedSplitView split({100, 290});
    EXPECT_TRUE(split.setPositionAutosaveName(kName));
    split.resize(200, 500);
    ASSERT_TRUE(stored().isValid());
    // A drag step rewrites the position as a resize does.
    const double divider = split.dividerRects().at(0).y();
    dragDivider(&split, {100, divider + 5}, {100, divider + 45});
    const QVariant kept = stored();
    EXPECT_EQ(kept.toMap(), split.plistObjectWithSavedPosition());
    EXPECT_EQ(storedHeight(kept.toMap(), 0), split.at(0)->height());
    EXPECT_EQ(split.at(0)->height(), std::lround(divider) + 40);

    EXPECT_TRUE(split.setPositionAutosaveName(QString()));
    EXPECT_TRUE(split.positionAutosaveName().isEmpty());
    split.resize(200, 700);
    EXPECT_EQ(stored(), kept);

    StackedSplitView other({100, 290});
    EXPECT_TRUE(other.setPositionAutosaveName(kName));
    KFSplitView::removePositionUsingName(kName);
    EXPECT_FALSE(stored().isValid());
}

TEST(KFSplitViewAutosave, StoredPositionsThatAreNoLayout_LeaveTheLayoutAsItIs)
{
    StackedSplitView split({100, 290});
    const QRect top = split.at(0)->geometry();
    const QVariantMap good = split.plistObjectWithSavedPosition();
    QVariantMap oldVersion = good;
    oldVersion["version"] = 1;
    QVariantMap badFrames = good;
    badFrames["subviews"] = QVariantList{QVariantMap{{"frame", "{{0, 0}, {1e300, 5}}"}}, "frame"};

    for (const QVariant &object :
         {QVariant("{{0, 0}, {10, 10}}"), QVariant(oldVersion), QVariant(badFrames)}) {
        QSignalSpy resized(&split, &KFSplitView::didResizeSubviews);
        split.setPositionFromPlistObject(object);
        EXPECT_EQ(resized.count(), 1);
        EXPECT_EQ(split.at(0)->geometry(), top);
        EXPECT_EQ(split.at(1)->geometry().bottom() + 1, 400);
    }
}

} // namespace
