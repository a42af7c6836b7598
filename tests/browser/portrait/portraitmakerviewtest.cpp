// The portrait editor on its own: the first zoom and its minimum, the slider that follows it,
// the centre kept while zooming, the pan through the view and through the image box over the
// square, and the portrait rendered from the picture.

#include "browser/portrait/portraitmakerview.h"
#include "browser/portrait/portraitmakerviewdelegate.h"
#include "browser/portrait/portraitsheet.h"
#include "browser/portrait/zoomslider.h"
#include "foundation/views/imagetargetbox.h"
#include "tests/support/logcapture.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The window controller's part: the slider the editor writes.
class SliderOwner : public QObject, public PortraitMakerViewDelegate
{
    Q_OBJECT
    Q_INTERFACES(PortraitMakerViewDelegate)

public:
    ZoomSlider *imageSizeSlider() const override { return slider.get(); }
    std::unique_ptr<ZoomSlider> slider = std::make_unique<ZoomSlider>();
};

QImage plain(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::gray);
    return image;
}

// Four quadrants of their own colours, each half the picture on both axes.
const QColor kTopLeft(Qt::red);
const QColor kTopRight(Qt::green);
const QColor kBottomLeft(Qt::blue);
const QColor kBottomRight(Qt::yellow);

QImage quadrants(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    const int half = side / 2;
    painter.fillRect(0, 0, half, half, kTopLeft);
    painter.fillRect(half, 0, side - half, half, kTopRight);
    painter.fillRect(0, half, half, side - half, kBottomLeft);
    painter.fillRect(half, half, side - half, side - half, kBottomRight);
    return image;
}

// The picture point (in pixels of the picture) shown at the view's centre.
QPointF centrePoint(const PortraitMakerView &view)
{
    return (view.currentOrigin() + QPointF(100, 100)) / double(view.imageZoom());
}

void send(QWidget *to, QEvent::Type type, QPointF windowPosition)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, to->mapFrom(to->window(), windowPosition), windowPosition,
                      windowPosition, Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &event);
}

void drag(QWidget *on, QPointF from, QPointF by)
{
    send(on, QEvent::MouseButtonPress, from);
    send(on, QEvent::MouseMove, from + by / 2);
    send(on, QEvent::MouseMove, from + by);
    send(on, QEvent::MouseButtonRelease, from + by);
}

} // namespace

TEST(PortraitMakerViewTest, NewPicture_OpensAtItsFirstZoomRaisedToTheMinimum_AndTheSliderShowsIt)
{
    struct Case
    {
        int width;
        int height;
        double zoom;
    };
    const Case cases[] = {
        // The longer side fills the 200-point view.
        {400, 300, 0.5},
        {300, 400, 0.5},
        {200, 200, 1.0},
        // 200 / 3000 is below the least first zoom.
        {2500, 3000, 0.1},
        // Small pictures are shown as they are, unless their shorter side stays under 96.
        {150, 80, 1.2},
        {199, 500, 1.0},
        {120, 120, 1.0},
        {50, 400, 96.0 / 50},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        SliderOwner owner;
        PortraitMakerView view;
        view.setDelegate(&owner);
        view.setMyImage(plain(c.width, c.height));
        EXPECT_NEAR(view.imageZoom(), c.zoom, 1e-6);
        EXPECT_NEAR(owner.slider->floatValue(), c.zoom, 1e-6);
        EXPECT_EQ(view.bestSize(), QSizeF(c.width, c.height));
        EXPECT_NEAR(view.zoomedImageSize().width(), c.width * c.zoom, 1e-3);
        // Centred: the picture's middle at the view's centre.
        EXPECT_NEAR(view.xOriginPct(), 0.5, 1e-6);
        EXPECT_NEAR(view.yOriginPct(), 0.5, 1e-6);
        EXPECT_NEAR(view.currentOrigin().x(), c.width * c.zoom / 2 - 100, 1e-3);
    }
}

TEST(PortraitMakerViewTest, ZoomBelowTheMinimum_SnapsTheSliderAndTheZoomToIt)
{
    SliderOwner owner;
    PortraitMakerView view;
    view.setDelegate(&owner);
    view.setMyImage(plain(400, 300));
    // The user moves the slider; the window passes its value on, as the browser does.
    QObject::connect(owner.slider.get(), &ZoomSlider::floatValueChanged, &view,
                     [&view](double value) { view.setImageZoom(float(value)); });
    owner.slider->setValue(20);
    EXPECT_NEAR(view.imageZoom(), 0.32, 1e-6);
    EXPECT_NEAR(owner.slider->floatValue(), 0.32, 1e-6);
    // At or above the minimum the zoom is taken as it is.
    owner.slider->setValue(150);
    EXPECT_NEAR(view.imageZoom(), 1.5, 1e-6);
    EXPECT_NEAR(view.oldZoom(), 0.32, 1e-6);
}

TEST(PortraitMakerViewTest, Zooming_KeepsThePicturePointAtTheCentre)
{
    PortraitMakerView view;
    view.setMyImage(quadrants(400));
    // Away from the middle first.
    drag(&view, {120, 120}, {30, -45});
    const QPointF before = centrePoint(view);
    ASSERT_NE(before, QPointF(200, 200));
    for (const float zoom : {1.5f, 0.3f, 2.75f}) {
        SCOPED_TRACE(zoom);
        view.setImageZoom(zoom);
        EXPECT_NEAR(centrePoint(view).x(), before.x(), 1e-3);
        EXPECT_NEAR(centrePoint(view).y(), before.y(), 1e-3);
        EXPECT_EQ(view.startOrigin(), view.currentOrigin());
    }
}

TEST(PortraitMakerViewTest, SamePictureAgain_KeepsZoomAndPosition_NoPictureLeavesAnEmptyEditor)
{
    SliderOwner owner;
    PortraitMakerView view;
    view.setDelegate(&owner);
    const QImage picture = quadrants(400);
    view.setMyImage(picture);
    view.setImageZoom(0.8f);
    drag(&view, {100, 100}, {10, 10});
    const QPointF origin = view.currentOrigin();

    view.setMyImage(picture);
    EXPECT_FLOAT_EQ(view.imageZoom(), 0.8f);
    EXPECT_EQ(view.currentOrigin(), origin);

    view.setMyImage(QImage());
    EXPECT_TRUE(view.myImage().isNull());
    EXPECT_FLOAT_EQ(view.imageZoom(), 1.0f);
    EXPECT_DOUBLE_EQ(owner.slider->floatValue(), 1.0);
    EXPECT_EQ(view.bestSize(), QSizeF(0, 0));
    // Any zoom is taken: there is no picture to hold a minimum.
    view.setImageZoom(0.2f);
    EXPECT_FLOAT_EQ(view.imageZoom(), 0.2f);
}

TEST(PortraitMakerViewTest, Pan_ThePictureFollowsTheMouse_ThroughTheViewAndThroughTheBox)
{
    // At zoom 1 the 200-pixel picture fills the view: the square shows its middle.
    PortraitSheet sheet(nullptr);
    PortraitMakerView *const view = sheet.portraitView();
    ImageTargetBox *const box = sheet.targetBox();
    ASSERT_EQ(box->delegate(), view);
    view->setMyImage(quadrants(200));
    const QImage centred = view->crosshairsBitmap();
    EXPECT_EQ(centred.pixelColor(25, 25), kTopLeft);
    EXPECT_EQ(centred.pixelColor(75, 25), kTopRight);
    EXPECT_EQ(centred.pixelColor(25, 75), kBottomLeft);
    EXPECT_EQ(centred.pixelColor(75, 75), kBottomRight);

    struct Case
    {
        const char *name;
        QWidget *on;
        QPointF start;
    };
    // A press outside the square reaches the view; one inside it the box, which hands it on.
    const QPointF viewInWindow = view->mapTo(view->window(), QPointF(0, 0));
    const Case cases[] = {{"view", view, viewInWindow + QPointF(20, 20)},
                          {"box", box, viewInWindow + QPointF(100, 100)}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        view->setMyImage(QImage());
        view->setMyImage(quadrants(200));
        // Right by 50 points: the left half of the square shows the picture's left edge.
        drag(c.on, c.start, {50, 0});
        EXPECT_EQ(view->currentOrigin(), QPointF(-50, 0));
        const QImage right = view->crosshairsBitmap();
        EXPECT_EQ(right.pixelColor(75, 25), kTopLeft);
        EXPECT_EQ(right.pixelColor(75, 75), kBottomLeft);
        // Then down by 50 (Qt's y axis points down): the square shows the top-left quadrant.
        drag(c.on, c.start, {0, 50});
        EXPECT_EQ(view->currentOrigin(), QPointF(-50, -50));
        const QImage down = view->crosshairsBitmap();
        EXPECT_EQ(down.pixelColor(25, 75), kTopLeft);
        EXPECT_EQ(down.pixelColor(75, 75), kTopLeft);
        EXPECT_NEAR(view->xOriginPct(), 0.25, 1e-6);
        EXPECT_NEAR(view->yOriginPct(), 0.25, 1e-6);
    }
}

TEST(PortraitMakerViewTest, Portrait_IsAlways100By100_EvenWithThePictureDraggedAway)
{
    PortraitMakerView view;
    EXPECT_EQ(view.size(), QSize(200, 200));
    EXPECT_EQ(view.crosshairsBitmap().size(), QSize(100, 100));
    view.setMyImage(quadrants(1000));
    // The pan is not limited.
    drag(&view, {10, 10}, {600, 600});
    const QImage away = view.crosshairsBitmap();
    EXPECT_EQ(away.size(), QSize(100, 100));
    EXPECT_EQ(away.pixelColor(50, 50).alpha(), 0);
    // Zoomed, the square still shows what the view shows inside it.
    view.setMyImage(quadrants(400));
    view.setImageZoom(2.0f);
    const QImage zoomed = view.crosshairsBitmap();
    EXPECT_EQ(zoomed.size(), QSize(100, 100));
    EXPECT_EQ(zoomed.pixelColor(10, 10), kTopLeft);
    EXPECT_EQ(zoomed.pixelColor(90, 90), kBottomRight);
}

TEST(PortraitMakerViewTest, ManageOrigin_CentresASmallPictureAndCoversTheSquareWithALargerOne)
{
    struct Case
    {
        int side;
        QPointF pan;
        QPointF origin;
    };
    const Case cases[] = {
        // 96 points: centred in the square, whatever the pan.
        {96, {30, 30}, {-52, -52}},
        // 120 points: the picture is moved back until it covers the square.
        {120, {60, -60}, {-50, -30}},
        // Larger than 150 points (300 pixels open at 200 points): left where it is.
        {300, {60, -60}, {-60, 60}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.side);
        PortraitMakerView view;
        view.setMyImage(plain(c.side, c.side));
        drag(&view, {100, 100}, c.pan);
        view.manageOrigin();
        EXPECT_NEAR(view.currentOrigin().x(), c.origin.x(), 1e-3);
        EXPECT_NEAR(view.currentOrigin().y(), c.origin.y(), 1e-3);
        EXPECT_EQ(view.startOrigin(), view.currentOrigin());
    }
}

class PortraitMakerViewLogTest : public LogCaptureTest
{
};

TEST_F(PortraitMakerViewLogTest, PublishDetails_LogsTheGeometryAtLevelOneOrMore)
{
    PortraitMakerView view;
    view.setMyImage(plain(400, 300));
    view.setImageZoom(0.75f);
    setLevel(0);
    view.publishDetails();
    EXPECT_TRUE(lines().isEmpty());
    setLevel(1);
    view.publishDetails();
    EXPECT_EQ(lines(),
              (QStringList{
                  "[PortraitMakerView publishDetails:] bestSize - width = 400.00; height = 300.00",
                  "[PortraitMakerView publishDetails:] oldZoom = 0.500000",
                  "[PortraitMakerView publishDetails:] imageZoom = 0.750000",
                  "[PortraitMakerView publishDetails:] zoomedImageSize - width = 300.00; height = "
                  "225.00",
                  "[PortraitMakerView publishDetails:] currentOrigin - x = 50.00; y = 12.50"}));
}

#include "portraitmakerviewtest.moc"
