#include "foundation/views/groupnavsplitviewinterface.h"
#include "foundation/views/imagetargetbox.h"
#include "foundation/views/imagetargetboxdelegate.h"
#include "foundation/views/resizegripbutton.h"
#include "foundation/views/tolvanepopuptableheader.h"
#include "foundation/views/tolvanesearchfield.h"
#include "tests/support/logcapture.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>

// The browser's split view as far as the grip button uses it.
class SplitViewStandIn : public QWidget, public GroupNavSplitViewInterface
{
public:
    SplitViewStandIn() { m_left.resize(150, 300); }
    QWidget *leftSubView() const override { return const_cast<QWidget *>(&m_left); }
    void setLeftWidth(float width) override
    {
        asked.append(width);
        m_left.resize(int(std::clamp(width, 0.f, 200.f)), m_left.height());
    }
    QList<float> asked;

private:
    QWidget m_left;
};

// The portrait editor as far as the image box uses it.
class PortraitStandIn : public QObject, public ImageTargetBoxDelegate
{
    Q_OBJECT
    Q_INTERFACES(ImageTargetBoxDelegate)

public:
    void mouseDown(QMouseEvent *event) override { events.append({"down", event->position()}); }
    void mouseDragged(QMouseEvent *event) override
    {
        events.append({"dragged", event->position()});
    }
    void mouseUp(QMouseEvent *event) override { events.append({"up", event->position()}); }
    QList<QPair<QString, QPointF>> events;
};

namespace {

void send(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void press(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    send(widget, QEvent::MouseButtonPress, at, button, button);
}

void drag(QWidget *widget, QPoint to)
{
    send(widget, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
}

void release(QWidget *widget, QPoint at)
{
    send(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

class GripTest : public ::testing::Test
{
protected:
    GripTest()
        : outer(&split)
        , inner(&outer)
        , grip(&inner)
    {
        grip.resize(100, 30);
    }

    SplitViewStandIn split;
    QWidget outer;
    QWidget inner;
    ResizeGripButton grip;
};

TEST_F(GripTest, GripIsTheRightmostSeventeenByTwentyFivePointsAtTheBottom)
{
    EXPECT_EQ(grip.gripArea(), QRect(83, 5, 17, 25));
}

TEST_F(GripTest, ClickOutsideTheGrip_IsAnOrdinaryClick)
{
    QSignalSpy clicks(&grip, &QPushButton::clicked);
    press(&grip, {10, 10});
    release(&grip, {10, 10});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(split.asked.isEmpty());
}

TEST_F(GripTest, DraggingTheGrip_ResizesThePaneNoNarrowerThan92AndSendsNoClick)
{
    QSignalSpy clicks(&grip, &QPushButton::clicked);
    press(&grip, {90, 20});
    drag(&grip, {120, 20});
    EXPECT_EQ(split.asked, QList<float>{180});
    drag(&grip, {90 - 300, 20});
    release(&grip, {90 - 300, 20});
    EXPECT_EQ(split.asked, (QList<float>{180, 92}));
    EXPECT_EQ(split.leftSubView()->width(), 92);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(TolvanePopupTableHeader, RightClick_OpensItsMenuAndLogsOnlyAboveLevelZero)
{
    TolvanePopupTableHeader header(Qt::Horizontal);
    QMenu menu;
    menu.addAction("Name");
    header.setMenu(&menu);
    LogCapture log;
    LogCapture::setLevel(0);
    press(header.viewport(), {5, 5}, Qt::RightButton);
    EXPECT_TRUE(menu.isVisible());
    // The offscreen platform adds warnings of its own about popups; only our line counts.
    EXPECT_TRUE(log.lines().filter("YO").isEmpty());
    menu.hide();

    LogCapture::setLevel(1);
    press(header.viewport(), {5, 5}, Qt::RightButton);
    LogCapture::setLevel(0);
    EXPECT_EQ(log.lines().filter("YO"),
              QStringList{"[TolvanePopupTableHeader rightMouseDown:] - YO"});
}

TEST(TolvaneSearchField, Copy_IsAFreshSearchFieldWithoutTheText)
{
    TolvaneSearchField field;
    field.setText("smith");
    field.setPlaceholderText("Search");
    const std::unique_ptr<QLineEdit> copy = field.copy();
    EXPECT_TRUE(copy->text().isEmpty());
    EXPECT_TRUE(copy->placeholderText().isEmpty());
    EXPECT_TRUE(copy->isClearButtonEnabled());
}

TEST(ImageTargetBox, PassesMouseEventsToTheDelegateUnchanged)
{
    ImageTargetBox box;
    PortraitStandIn portrait;
    QSignalSpy changes(&box, &ImageTargetBox::delegateChanged);
    box.setDelegate(&portrait);
    EXPECT_EQ(changes.count(), 1);
    press(&box, {3, 4});
    drag(&box, {5, 6});
    release(&box, {7, 8});
    EXPECT_EQ(portrait.events, (QList<QPair<QString, QPointF>>{
                                   {"down", {3, 4}}, {"dragged", {5, 6}}, {"up", {7, 8}}}));
}

TEST(ImageTargetBox, DelegateThatIsGoneOrCleared_GetsNothing)
{
    ImageTargetBox box;
    auto portrait = std::make_unique<PortraitStandIn>();
    box.setDelegate(portrait.get());
    portrait.reset();
    EXPECT_EQ(box.delegate(), nullptr);
    press(&box, {1, 1});

    PortraitStandIn kept;
    box.setDelegate(&kept);
    box.setDelegate(nullptr);
    press(&box, {1, 1});
    EXPECT_TRUE(kept.events.isEmpty());
}

} // namespace

#include "smallviewstest.moc"
