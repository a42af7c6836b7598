// What the browser's image well and windows take from a drag, what a drop hands over, the
// quarter-second hand-over, and the well's guarded picture and double click.

#include "browser/portrait/picturedrops.h"
#include "app/windows/windowcontroller.h"
#include "browser/portrait/clickableimageview.h"
#include "browser/portrait/portraitcontroller.h"
#include "browser/portrait/tolvanewindow.h"
#include "tests/support/google/testpicture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QUrl>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using picturedrops::HandOver;

// A window controller that records what its window and well ask of it.
class RecordingController : public WindowController, public PortraitController
{
    Q_OBJECT
    Q_INTERFACES(PortraitController)

public:
    RecordingController()
        : WindowController(Kind::Browser)
    {
        auto *const window = new TolvaneWindow;
        auto *const central = new QWidget;
        well = new ClickableImageView;
        auto *const layout = new QVBoxLayout(central);
        layout->addWidget(well);
        window->setCentralWidget(central);
        setWindow(window);
    }

    void openImageView() override { calls << QStringLiteral("openImageView"); }
    void openOriginalImageView() override { calls << QStringLiteral("openOriginalImageView"); }
    void grabImageFile(const QVariantMap &userInfo) override
    {
        calls << QStringLiteral("grabImageFile");
        everyHandOver << userInfo.value("path").toString();
        handedOver = userInfo;
    }
    void grabiPhotoFile(const QVariantMap &userInfo) override
    {
        calls << QStringLiteral("grabiPhotoFile");
        handedOver = userInfo;
    }

    TolvaneWindow *tolvaneWindow() const { return static_cast<TolvaneWindow *>(window()); }

    ClickableImageView *well = nullptr;
    QStringList calls;
    QVariantMap handedOver;
    // The paths handed over to any controller.
    static inline QStringList everyHandOver;
};

bool runUntil(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

class PictureDropsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        write(QStringLiteral("photo.jpg"), testpicture::encoded(Qt::red, "JPEG", 40));
        write(QStringLiteral("second.JPEG"), testpicture::encoded(Qt::green, "JPEG", 40));
        write(QStringLiteral("drawing.png"), testpicture::encoded(Qt::blue, "PNG", 40));
        write(QStringLiteral("notes.txt"), "not a picture");
        write(QStringLiteral("fake.jpg"), "not a picture either");
        write(QStringLiteral("card.vcf"), "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nEND:VCARD\r\n");
    }

    QString path(const QString &name) const { return folder.filePath(name); }

    void write(const QString &name, const QByteArray &data) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }

    std::unique_ptr<QMimeData> files(const QStringList &names) const
    {
        QList<QUrl> urls;
        for (const QString &name : names)
            urls << QUrl::fromLocalFile(path(name));
        auto data = std::make_unique<QMimeData>();
        data->setUrls(urls);
        return data;
    }

    static std::unique_ptr<QMimeData> picture()
    {
        auto data = std::make_unique<QMimeData>();
        data->setImageData(QImage::fromData(testpicture::encoded(Qt::yellow, "PNG", 30)));
        return data;
    }

    static std::unique_ptr<QMimeData> remote()
    {
        auto data = std::make_unique<QMimeData>();
        data->setUrls({QUrl(QStringLiteral("http://127.0.0.1:9/photo.jpg"))});
        return data;
    }

    static std::unique_ptr<QMimeData> vCard()
    {
        auto data = std::make_unique<QMimeData>();
        data->setData(QStringLiteral("text/vcard"), "BEGIN:VCARD\r\nEND:VCARD\r\n");
        return data;
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(PictureDropsTest, PictureFiles_AreTheFormatsTheImageReaderKnows_InAnyCase)
{
    EXPECT_TRUE(picturedrops::isPictureFile(path(QStringLiteral("photo.jpg"))));
    EXPECT_TRUE(picturedrops::isPictureFile(path(QStringLiteral("second.JPEG"))));
    EXPECT_TRUE(picturedrops::isPictureFile(path(QStringLiteral("drawing.png"))));
    EXPECT_TRUE(picturedrops::isPictureFile(QStringLiteral("/x/scan.TIFF")));
    EXPECT_FALSE(picturedrops::isPictureFile(path(QStringLiteral("notes.txt"))));
    EXPECT_FALSE(picturedrops::isPictureFile(path(QStringLiteral("card.vcf"))));
    EXPECT_FALSE(picturedrops::isPictureFile(QStringLiteral("/x/jpg")));
}

TEST_F(PictureDropsTest, Entry_WellAndWindowAnswerCopyOrNone)
{
    struct Case
    {
        const char *name;
        std::unique_ptr<QMimeData> data;
        Qt::DropAction well;
        Qt::DropAction window;
    };
    const Qt::DropAction copy = Qt::CopyAction;
    const Qt::DropAction none = Qt::IgnoreAction;
    Case cases[] = {
        {"one picture file", files({QStringLiteral("photo.jpg")}), copy, copy},
        {"a PNG file", files({QStringLiteral("drawing.png")}), copy, copy},
        {"a text file", files({QStringLiteral("notes.txt")}), none, none},
        {"a text file and a picture",
         files({QStringLiteral("notes.txt"), QStringLiteral("photo.jpg")}), copy, copy},
        // The window takes vCard files and vCard data on entry; the well does not.
        {"a vCard file", files({QStringLiteral("card.vcf")}), none, copy},
        {"vCard data", vCard(), none, copy},
        {"picture data", picture(), copy, copy},
        // An address is taken by the well on entry, never fetched.
        {"a remote address", remote(), copy, none},
        {"plain text", std::make_unique<QMimeData>(), none, none},
    };
    cases[std::size(cases) - 1].data->setText(QStringLiteral("hello"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(picturedrops::wellEntryAction(c.data.get()), c.well);
        EXPECT_EQ(picturedrops::windowEntryAction(c.data.get()), c.window);
    }
}

TEST_F(PictureDropsTest, Drop_WellTakesTheFirstPictureFile_WindowOnlyASinglePicture)
{
    struct Case
    {
        const char *name;
        std::unique_ptr<QMimeData> data;
        bool wellAccepts;
        QString wellFile;
        bool windowAccepts;
        QString windowPicture;
    };
    const QString jpg = QStringLiteral("photo.jpg");
    Case cases[] = {
        {"one picture file", files({jpg}), true, jpg, true, jpg},
        // The window takes exactly one picture; it answers the drop all the same.
        {"two picture files", files({jpg, QStringLiteral("second.JPEG")}), true, jpg, true, {}},
        {"a text file before a picture",
         files({QStringLiteral("notes.txt"), QStringLiteral("drawing.png")}), true,
         QStringLiteral("drawing.png"), true, QStringLiteral("drawing.png")},
        {"a text file", files({QStringLiteral("notes.txt")}), false, {}, true, {}},
        // Named as a picture, but none: the well hands the file over, and its loading fails
        // later; the window loads it at once and hands nothing over.
        {"a file that is no picture",
         files({QStringLiteral("fake.jpg")}),
         true,
         QStringLiteral("fake.jpg"),
         true,
         {}},
        {"a remote address", remote(), false, {}, false, {}},
        {"vCard data", vCard(), false, {}, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const picturedrops::Drop well = picturedrops::wellDrop(c.data.get());
        EXPECT_EQ(well.accepted, c.wellAccepts);
        ASSERT_EQ(well.handOver.has_value(), !c.wellFile.isEmpty());
        if (well.handOver) {
            EXPECT_EQ(well.handOver->receiver, HandOver::Receiver::GrabiPhotoFile);
            EXPECT_EQ(well.handOver->userInfo.value("path"), path(c.wellFile));
            EXPECT_EQ(well.handOver->userInfo.value("fileName"), c.wellFile);
        }
        const picturedrops::Drop window = picturedrops::windowDrop(c.data.get());
        EXPECT_EQ(window.accepted, c.windowAccepts);
        ASSERT_EQ(window.handOver.has_value(), !c.windowPicture.isEmpty());
        if (window.handOver) {
            EXPECT_EQ(window.handOver->receiver, HandOver::Receiver::GrabImageFile);
            EXPECT_EQ(window.handOver->userInfo.value("path"), path(c.windowPicture));
            const QImage loaded =
                qvariant_cast<QImage>(window.handOver->userInfo.value("imageData"));
            EXPECT_EQ(loaded.size(), QSize(40, 40));
        }
    }
}

TEST_F(PictureDropsTest, Drop_PictureData_IsHandedOverAsTheClipboardsPicture)
{
    const auto data = picture();
    for (const picturedrops::Drop &drop :
         {picturedrops::wellDrop(data.get()), picturedrops::windowDrop(data.get())}) {
        ASSERT_TRUE(drop.accepted);
        ASSERT_TRUE(drop.handOver);
        EXPECT_EQ(drop.handOver->receiver, HandOver::Receiver::GrabImageFile);
        EXPECT_EQ(drop.handOver->userInfo.value("path"), QStringLiteral("clipboard"));
        EXPECT_EQ(qvariant_cast<QImage>(drop.handOver->userInfo.value("imageData")).size(),
                  QSize(30, 30));
    }
}

TEST_F(PictureDropsTest, HandOver_ReachesTheControllerAfterAQuarterSecond_NeverInsideTheDrop)
{
    RecordingController controller;
    const auto data = files({QStringLiteral("photo.jpg")});
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(controller.tolvaneWindow()->performDragOperation(data.get()));
    EXPECT_TRUE(controller.calls.isEmpty());
    ASSERT_TRUE(runUntil([&] { return !controller.calls.isEmpty(); }));
    EXPECT_GE(clock.elapsed(), 240);
    EXPECT_EQ(controller.calls, QStringList{QStringLiteral("grabImageFile")});
    EXPECT_EQ(controller.handedOver.value("path"), path(QStringLiteral("photo.jpg")));

    // Through the well: the first picture file, as a file to load.
    controller.calls.clear();
    const auto two = files({QStringLiteral("second.JPEG"), QStringLiteral("photo.jpg")});
    ASSERT_TRUE(controller.well->performDragOperation(two.get()));
    ASSERT_TRUE(runUntil([&] { return !controller.calls.isEmpty(); }));
    EXPECT_EQ(controller.calls, QStringList{QStringLiteral("grabiPhotoFile")});
    EXPECT_EQ(controller.handedOver.value("fileName"), QStringLiteral("second.JPEG"));
}

TEST_F(PictureDropsTest, HandOver_ToAControllerGoneMeanwhile_DoesNothing)
{
    RecordingController::everyHandOver.clear();
    auto gone = std::make_unique<RecordingController>();
    RecordingController kept;
    const auto first = files({QStringLiteral("photo.jpg")});
    const auto second = files({QStringLiteral("drawing.png")});
    ASSERT_TRUE(gone->tolvaneWindow()->performDragOperation(first.get()));
    ASSERT_TRUE(kept.tolvaneWindow()->performDragOperation(second.get()));
    gone.reset();
    ASSERT_TRUE(runUntil([&] { return !kept.calls.isEmpty(); }));
    runUntil([] { return false; }, 100);
    EXPECT_EQ(RecordingController::everyHandOver, QStringList{path(QStringLiteral("drawing.png"))});
}

TEST(ClickableImageViewTest, SetImage_TakesAPictureOnlyRightAfterEnableImageUpdate)
{
    ClickableImageView well;
    const QImage red = QImage::fromData(testpicture::encoded(Qt::red, "PNG", 10));
    const QImage blue = QImage::fromData(testpicture::encoded(Qt::blue, "PNG", 12));
    well.setImage(red);
    EXPECT_TRUE(well.image().isNull());
    well.enableImageUpdate();
    well.setImage(red);
    EXPECT_EQ(well.image().size(), QSize(10, 10));
    EXPECT_FALSE(well.doImageUpdate());
    // A binding's later write is ignored.
    well.setImage(blue);
    EXPECT_EQ(well.image().size(), QSize(10, 10));
    // The empty-string placeholder shows no picture.
    well.enableImageUpdate();
    well.setImage(QString());
    EXPECT_TRUE(well.image().isNull());
}

TEST(ClickableImageViewTest, Clicks_OnlyADoubleClickOpensTheEditor_WithAltFromTheLoadedPortrait)
{
    RecordingController controller;
    ClickableImageView *const well = controller.well;
    const auto click = [well](QEvent::Type type, Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(type, QPointF(5, 5), well->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          modifiers);
        QCoreApplication::sendEvent(well, &event);
    };
    click(QEvent::MouseButtonPress, Qt::NoModifier);
    click(QEvent::MouseButtonRelease, Qt::NoModifier);
    click(QEvent::MouseButtonPress, Qt::AltModifier);
    EXPECT_TRUE(controller.calls.isEmpty());
    click(QEvent::MouseButtonDblClick, Qt::NoModifier);
    click(QEvent::MouseButtonDblClick, Qt::AltModifier);
    EXPECT_EQ(controller.calls, (QStringList{QStringLiteral("openImageView"),
                                             QStringLiteral("openOriginalImageView")}));
}

#include "picturedropstest.moc"
