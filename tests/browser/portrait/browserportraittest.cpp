// The browser's portraits against the loopback server: the current contact's photo loaded into
// the image well, the list row and the engine's cache; the editor's sheet saving the square as
// the contact's photo or deleting it; and pictures dropped on the window and the image well.

#include "app/windows/windowfactory.h"
#include "browser/inspector/contactinspector.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/portrait/clickableimageview.h"
#include "browser/portrait/portraitmakerview.h"
#include "browser/portrait/portraitsheet.h"
#include "browser/portrait/tolvanewindow.h"
#include "browser/portrait/zoomslider.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/splitview/browserimagesplitview.h"
#include "browser/window/browserwindowcontroller.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "tests/support/app/mainprogramtest.h"
#include "tests/support/google/testpicture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

constexpr int kContacts = 4;

// Four quadrants of their own colours.
const QColor kTopLeft(220, 20, 20);
const QColor kTopRight(20, 200, 20);
const QColor kBottomLeft(20, 20, 220);
const QColor kBottomRight(230, 230, 20);

QByteArray quadrantsJPEG(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    const int half = side / 2;
    painter.fillRect(0, 0, half, half, kTopLeft);
    painter.fillRect(half, 0, side - half, half, kTopRight);
    painter.fillRect(0, half, half, side - half, kBottomLeft);
    painter.fillRect(half, half, side - half, side - half, kBottomRight);
    painter.end();
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return data;
}

bool near(const QColor &shown, const QColor &colour)
{
    const auto close = [](int a, int b) {
        return std::abs(a - b) <= 30;
    };
    return close(shown.red(), colour.red()) && close(shown.green(), colour.green()) &&
           close(shown.blue(), colour.blue());
}

QString localID(const QString &identifier)
{
    return identifier.section(QLatin1Char('/'), -1);
}

} // namespace

class BrowserPortraitTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::Browser,
                                [] { return std::make_unique<BrowserWindowController>(); });
        storePassword(kPassword);
        server.generateContacts(kAccount, kContacts);
        const GDataFeedPtr stored = server.entries(kAccount, GDataEntryBase::Kind::Contact);
        for (const GDataEntryPtr &entry : stored->entries())
            ids << entry->identifier();
        ASSERT_EQ(ids.size(), kContacts);
        // Two contacts with photos: a picture of four quadrants, and a plain blue one.
        withQuadrants = ids[0];
        withBlue = ids[1];
        server.setPhoto(kAccount, withQuadrants, quadrantsJPEG(200));
        server.setPhoto(kAccount, withBlue, testpicture::encoded(kBottomLeft, "JPEG", 60));
        for (int i = 0; i < 3; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Reader%1").arg(i), kABFirstNameProperty);
            person->setValueForProperty(QStringLiteral("Person"), kABLastNameProperty);
            ASSERT_TRUE(AddressBook::shared()->addRecord(person));
        }
        ASSERT_TRUE(AddressBook::shared()->save());
        UserDefaults::standard().setInteger(1, QStringLiteral("systemGroupUseAll"));
        ASSERT_TRUE(folder.isValid());
    }

    BrowserWindowController *browser() const
    {
        return qobject_cast<BrowserWindowController *>(delegate->googleBrowserWindowController());
    }
    GoogleContactTool *tool() const { return delegate->appGoogleContactTool(); }

    bool openBrowser()
    {
        if (!startProgram())
            return false;
        return runUntil([this] {
            return browser() && browser()->contactArrayController() &&
                   browser()->contactArrayController()->rowCount() == kContacts;
        });
    }

    void select(const QString &gID)
    {
        ContactArrayController *const contacts = browser()->contactArrayController();
        for (int row = 0; row < contacts->rowCount(); ++row) {
            if (contacts->gIDAt(row) == gID) {
                browser()->groupSetController()->contactSelection()->setCurrentIndex(
                    contacts->index(row, 0),
                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                return;
            }
        }
        ADD_FAILURE() << "no row for " << gID.toStdString();
    }

    QVariantMap row(const QString &gID) const
    {
        ContactArrayController *const contacts = browser()->contactArrayController();
        for (int row = 0; row < contacts->rowCount(); ++row) {
            if (contacts->gIDAt(row) == gID)
                return contacts->arrangedObject(row);
        }
        return {};
    }

    QVariantMap current() const { return browser()->inspector()->currentContact(); }

    bool loaded(const QString &gID)
    {
        return runUntil([&] {
            return current().value("gID") == gID && current().value("imageLoaded").toBool();
        });
    }

    // The photo the server holds for the contact, fetched as any client would; empty when none.
    QByteArray storedPhoto(const QString &gID)
    {
        const QUrl url = server.baseUrl().resolved(
            QUrl(QStringLiteral("/m8/feeds/photos/media/%1/%2").arg(kAccount, localID(gID))));
        QNetworkAccessManager network;
        QNetworkReply *const reply = network.get(tool()->contactService()->requestForURL(url));
        runUntil([reply] { return reply->isFinished(); });
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray data = status == 200 ? reply->readAll() : QByteArray();
        delete reply;
        return data;
    }

    int requestsFor(const QByteArray &method, const QString &pathPart)
    {
        int count = 0;
        for (const QJsonValue &request : server.requestLog()) {
            const QJsonObject entry = request.toObject();
            if (entry.value("method").toString().toUtf8() == method &&
                entry.value("url").toString().contains(pathPart))
                ++count;
        }
        return count;
    }

    QString file(const QString &name, const QByteArray &data)
    {
        QFile out(folder.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(data);
        return out.fileName();
    }

    static std::unique_ptr<QMimeData> files(const QStringList &paths)
    {
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        auto data = std::make_unique<QMimeData>();
        data->setUrls(urls);
        return data;
    }

    TolvaneWindow *window() const { return static_cast<TolvaneWindow *>(browser()->window()); }
    PortraitSheet *sheet() const { return browser()->imageMaker(); }
    PortraitMakerView *editor() const { return browser()->portraitView(); }

    QStringList ids;
    QString withQuadrants;
    QString withBlue;
    QTemporaryDir folder;
};

TEST_F(BrowserPortraitTest, SelectingAContact_LoadsItsPhotoIntoTheWellTheRowAndTheCache)
{
    ASSERT_TRUE(openBrowser());
    select(withBlue);
    ASSERT_TRUE(loaded(withBlue));
    EXPECT_TRUE(current().value("hasImage").toBool());
    EXPECT_EQ(qvariant_cast<QImage>(current().value("image")).size(), QSize(60, 60));
    EXPECT_EQ(current().value("newImage"), QString());
    EXPECT_EQ(browser()->imageView()->image().size(), QSize(60, 60));
    EXPECT_TRUE(row(withBlue).value("imageLoaded").toBool());
    EXPECT_EQ(qvariant_cast<QImage>(row(withBlue).value("image")).size(), QSize(60, 60));
    ASSERT_TRUE(tool()->currentImagesCache().contains(withBlue));
    EXPECT_EQ(tool()->currentImagesCache().value(withBlue).size(), QSize(60, 60));

    // A contact without a photo clears the well; coming back takes the cached photo.
    select(ids[3]);
    ASSERT_TRUE(runUntil([this] { return browser()->imageView()->image().isNull(); }));
    server.clearRequestLog();
    select(withBlue);
    ASSERT_TRUE(loaded(withBlue));
    EXPECT_EQ(browser()->imageView()->image().size(), QSize(60, 60));
    runUntil([] { return false; }, 200);
    EXPECT_EQ(requestsFor("GET", QStringLiteral("/photos/")), 0);
}

TEST_F(BrowserPortraitTest, Save_SendsTheSquareShownAsAJPEGPhoto)
{
    ASSERT_TRUE(openBrowser());
    select(withQuadrants);
    ASSERT_TRUE(loaded(withQuadrants));
    browser()->openImageView();
    ASSERT_TRUE(sheet()->isVisible());
    EXPECT_EQ(sheet()->windowModality(), Qt::WindowModal);
    EXPECT_EQ(editor()->myImage().size(), QSize(200, 200));
    EXPECT_FLOAT_EQ(browser()->portraitImageSize(), 1.0f);
    // Right and down by a quarter: the square shows the top-left quadrant in its lower right.
    editor()->setImageZoom(1.0f);
    // Each event made as it is sent: events of one device share their point.
    const auto send = [this](QEvent::Type type, QPointF at) {
        QMouseEvent event(type, at, at, at, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(editor(), &event);
    };
    send(QEvent::MouseButtonPress, {10, 10});
    send(QEvent::MouseMove, {60, 60});
    send(QEvent::MouseButtonRelease, {60, 60});
    ASSERT_EQ(editor()->currentOrigin(), QPointF(-50, -50));
    const QByteArray before = storedPhoto(withQuadrants);

    sheet()->saveButton()->click();
    EXPECT_FALSE(sheet()->isVisible());
    // The list shows the new portrait at once, and the cache keeps it.
    EXPECT_EQ(qvariant_cast<QImage>(row(withQuadrants).value("image")).size(), QSize(100, 100));
    EXPECT_EQ(tool()->currentImagesCache().value(withQuadrants).size(), QSize(100, 100));
    ASSERT_TRUE(runUntil([&] {
        const QByteArray now = storedPhoto(withQuadrants);
        return !now.isEmpty() && now != before;
    }));
    const QByteArray stored = storedPhoto(withQuadrants);
    EXPECT_TRUE(stored.startsWith("\xFF\xD8\xFF"));
    const QImage photo = QImage::fromData(stored);
    ASSERT_EQ(photo.size(), QSize(100, 100));
    EXPECT_TRUE(near(photo.pixelColor(75, 75), kTopLeft))
        << photo.pixelColor(75, 75).name().toStdString();
    EXPECT_TRUE(near(photo.pixelColor(75, 25), kTopLeft));
    EXPECT_TRUE(near(photo.pixelColor(25, 75), kTopLeft));
    EXPECT_EQ(photo.pixelColor(25, 25).alpha(), 255);

    // Once the contacts have come again, the editor starts from the saved portrait.
    ASSERT_TRUE(runUntil([this] { return !row(withQuadrants).value("imageLoaded").toBool(); }));
    browser()->openImageView();
    EXPECT_EQ(editor()->myImage().size(), QSize(100, 100));
    sheet()->cancelButton()->click();
}

TEST_F(BrowserPortraitTest, RemoveThenSave_DeletesThePhoto_AndTheRowAndTheCacheLoseIt)
{
    ASSERT_TRUE(openBrowser());
    select(withBlue);
    ASSERT_TRUE(loaded(withBlue));
    browser()->openImageView();
    sheet()->removeButton()->click();
    EXPECT_TRUE(sheet()->isVisible());
    EXPECT_TRUE(editor()->myImage().isNull());
    EXPECT_FLOAT_EQ(editor()->imageZoom(), 1.0f);
    sheet()->saveButton()->click();
    EXPECT_FALSE(sheet()->isVisible());
    EXPECT_FALSE(tool()->currentImagesCache().contains(withBlue));
    EXPECT_FALSE(row(withBlue).value("hasImage").toBool());
    EXPECT_FALSE(row(withBlue).value("imageLoaded").toBool());
    EXPECT_EQ(row(withBlue).value("image"), QString());
    EXPECT_FALSE(current().value("hasImage").toBool());
    EXPECT_TRUE(browser()->imageView()->image().isNull());
    ASSERT_TRUE(runUntil([&] { return storedPhoto(withBlue).isEmpty(); }));
    EXPECT_EQ(requestsFor("DELETE", localID(withBlue)), 1);
}

TEST_F(BrowserPortraitTest, SaveWithoutRemove_AfterAFailedOrTimedOutFetch_LeavesThePhotoAlone)
{
    struct Case
    {
        const char *name;
        int status;
        int delayMs;
    };
    // The photo wait is the preference imageTime (0 here) plus 3 seconds.
    const Case cases[] = {{"failed", 500, 0}, {"timed out", 0, 4000}};
    UserDefaults::standard().setInteger(0, QStringLiteral("imageTime"));
    ASSERT_TRUE(openBrowser());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        select(ids[3]);
        ASSERT_TRUE(runUntil([this] { return current().value("gID") == ids[3]; }));
        tool()->currentImagesCache().clear();
        server.injectFault(localID(withBlue), c.status, 1, c.delayMs);
        server.clearRequestLog();
        select(withBlue);
        ASSERT_TRUE(runUntil([this] { return requestsFor("GET", localID(withBlue)) == 1; }));
        // The load gives up; the contact keeps only its type icon.
        runUntil([] { return false; }, c.delayMs ? 3500 : 300);
        ASSERT_FALSE(current().value("imageLoaded").toBool());

        browser()->openImageView();
        ASSERT_TRUE(sheet()->isVisible());
        // The icon is no portrait: the editor starts empty.
        EXPECT_TRUE(editor()->myImage().isNull());
        sheet()->saveButton()->click();
        runUntil([] { return false; }, 300);
        EXPECT_EQ(requestsFor("DELETE", localID(withBlue)), 0);
        EXPECT_EQ(requestsFor("PUT", localID(withBlue)), 0);
        EXPECT_FALSE(storedPhoto(withBlue).isEmpty());
    }
}

TEST_F(BrowserPortraitTest, SelectionChangeDuringASlowFetch_PutsEachPhotoOnItsOwnContact)
{
    ASSERT_TRUE(openBrowser());
    select(ids[3]);
    ASSERT_TRUE(runUntil([this] { return current().value("gID") == ids[3]; }));
    server.injectFault(localID(withQuadrants), 0, 1, 800);
    server.clearRequestLog();
    // While the first fetch waits, the user picks another contact with a photo.
    bool picked = false;
    QTimer::singleShot(300, [&] {
        select(withBlue);
        picked = true;
    });
    select(withQuadrants);
    ASSERT_TRUE(runUntil([&picked] { return picked; }));
    EXPECT_EQ(current().value("gID"), withBlue);
    ASSERT_TRUE(loaded(withBlue));
    EXPECT_EQ(requestsFor("GET", localID(withQuadrants)), 1);
    EXPECT_EQ(qvariant_cast<QImage>(current().value("image")).size(), QSize(60, 60));
    EXPECT_EQ(browser()->imageView()->image().size(), QSize(60, 60));
    EXPECT_EQ(tool()->currentImagesCache().value(withQuadrants).size(), QSize(200, 200));
    EXPECT_EQ(tool()->currentImagesCache().value(withBlue).size(), QSize(60, 60));
    EXPECT_EQ(qvariant_cast<QImage>(row(withQuadrants).value("image")).size(), QSize(200, 200));
    EXPECT_EQ(qvariant_cast<QImage>(row(withBlue).value("image")).size(), QSize(60, 60));
}

TEST_F(BrowserPortraitTest, WindowGoneDuringAPhotoFetch_TakesNothingAfterTheWait)
{
    ASSERT_TRUE(openBrowser());
    select(ids[3]);
    ASSERT_TRUE(runUntil([this] { return current().value("gID") == ids[3]; }));
    server.injectFault(localID(withBlue), 0, 1, 800);
    server.clearRequestLog();
    QPointer<BrowserWindowController> shown = browser();
    // While the fetch waits the window closes and its controller goes, as a close whose
    // deferred deletion runs inside the wait leaves it.
    bool closed = false;
    QTimer::singleShot(300, [&] {
        shown->window()->close();
        delete shown.data();
        closed = true;
    });
    select(withBlue);
    ASSERT_TRUE(runUntil([&closed] { return closed; }, 5000));
    EXPECT_TRUE(shown.isNull());
    runUntil([] { return false; }, 1200);
    EXPECT_FALSE(tool()->currentImagesCache().contains(withBlue));
    EXPECT_EQ(delegate->googleBrowserWindowController(), nullptr);
}

TEST_F(BrowserPortraitTest,
       SecondAccountsWindowGoneDuringAPhotoFetch_KeepsItsEngineUntilTheWaitEnds)
{
    const QString other = QStringLiteral("ann@example.com");
    server.addAccount(other, QStringLiteral("other"));
    const QStringList theirs = server.seedContacts(
        other, {GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ann Photo")),
                GDataEntryContact::contactEntryWithTitle(QStringLiteral("Bea Plain"))});
    server.setPhoto(other, theirs[0], testpicture::encoded(kTopRight, "JPEG", 30));
    ASSERT_TRUE(openBrowser());
    delegate->openBrowser2View();
    ASSERT_EQ(delegate->browserControllerCache().size(), 1u);
    QPointer<BrowserWindowController> second = qobject_cast<BrowserWindowController *>(
        delegate->browserControllerCache().begin()->second.data());
    ASSERT_TRUE(second);
    second->userTextField()->setText(other);
    second->pwTextField()->setText(QStringLiteral("other"));
    second->login();
    ASSERT_TRUE(runUntil([&second] { return second->contactArrayController()->rowCount() == 2; }));
    if (!second->browserImageSplitView()->imageIsVisible())
        second->toggleBrowserImage();
    ContactArrayController *const contacts = second->contactArrayController();
    const auto pick = [&second, contacts](const QString &gID) {
        const int row = contacts->gIDAt(0) == gID ? 0 : 1;
        second->groupSetController()->contactSelection()->setCurrentIndex(
            contacts->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    pick(theirs[1]);
    ASSERT_TRUE(runUntil([&second, &theirs] {
        return second->inspector()->currentContact().value("gID") == theirs[1];
    }));
    server.injectFault(localID(theirs[0]), 0, 1, 800);
    server.clearRequestLog();
    bool closed = false;
    QTimer::singleShot(300, [&] {
        second->window()->close();
        delete second.data();
        closed = true;
    });
    pick(theirs[0]);
    ASSERT_TRUE(runUntil([&closed] { return closed; }, 5000));
    EXPECT_TRUE(second.isNull());
    runUntil([] { return false; }, 1200);
    EXPECT_EQ(requestsFor("GET", localID(theirs[0])), 1);
    // The main browser goes on as before.
    EXPECT_EQ(browser()->contactArrayController()->rowCount(), kContacts);
}

TEST_F(BrowserPortraitTest, HiddenPane_FetchesNothingUntilOpened_AndTheEditorStartsEmpty)
{
    ASSERT_TRUE(openBrowser());
    select(ids[3]);
    browser()->toggleBrowserImage();
    ASSERT_FALSE(browser()->browserImageSplitView()->imageIsVisible());
    server.clearRequestLog();
    select(withBlue);
    runUntil([] { return false; }, 300);
    EXPECT_EQ(requestsFor("GET", localID(withBlue)), 0);
    EXPECT_FALSE(current().value("imageLoaded").toBool());

    // A double click on the well, with or without Alt: the type icon is no portrait.
    ClickableImageView *const well = browser()->imageView();
    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::AltModifier}) {
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5),
                          Qt::LeftButton, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(well, &twice);
        ASSERT_TRUE(sheet()->isVisible());
        EXPECT_TRUE(editor()->myImage().isNull());
        sheet()->saveButton()->click();
    }
    runUntil([] { return false; }, 300);
    EXPECT_EQ(requestsFor("PUT", localID(withBlue)), 0);
    EXPECT_EQ(requestsFor("DELETE", localID(withBlue)), 0);

    // Opening the pane fetches the current contact's photo; the editor then starts from it.
    browser()->toggleBrowserImage();
    ASSERT_TRUE(loaded(withBlue));
    EXPECT_EQ(browser()->imageView()->image().size(), QSize(60, 60));
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5),
                      Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
    QCoreApplication::sendEvent(well, &twice);
    ASSERT_TRUE(sheet()->isVisible());
    EXPECT_EQ(editor()->myImage().size(), QSize(60, 60));
    sheet()->cancelButton()->click();
}

TEST_F(BrowserPortraitTest, ZoomSliderAndPortraitImageSize_StayInStepBothWays)
{
    ASSERT_TRUE(openBrowser());
    ZoomSlider *const slider = browser()->imageSizeSlider();
    browser()->setPortraitImageSize(2.0f);
    EXPECT_DOUBLE_EQ(slider->floatValue(), 2.0);
    EXPECT_FLOAT_EQ(editor()->imageZoom(), 2.0f);
    slider->setValue(150);
    EXPECT_FLOAT_EQ(browser()->portraitImageSize(), 1.5f);
    EXPECT_FLOAT_EQ(editor()->imageZoom(), 1.5f);
    // The editor's own first zoom and its minimum reach both.
    editor()->setMyImage(QImage(150, 80, QImage::Format_RGB32));
    EXPECT_NEAR(browser()->portraitImageSize(), 1.2, 1e-6);
    EXPECT_NEAR(slider->floatValue(), 1.2, 1e-6);
    slider->setValue(50);
    EXPECT_NEAR(browser()->portraitImageSize(), 1.2, 1e-6);
    EXPECT_NEAR(slider->floatValue(), 1.2, 1e-6);
}

TEST_F(BrowserPortraitTest, Drops_OnePictureFileOpensTheEditor_TwoOpenNothing_TheWellTakesTheFirst)
{
    ASSERT_TRUE(openBrowser());
    select(ids[3]);
    const QString red = file(QStringLiteral("red.jpg"), testpicture::encoded(kTopLeft, "JPEG", 40));
    const QString green =
        file(QStringLiteral("green.png"), testpicture::encoded(kTopRight, "PNG", 50));

    const auto two = files({red, green});
    EXPECT_TRUE(window()->performDragOperation(two.get()));
    runUntil([] { return false; }, 500);
    EXPECT_FALSE(sheet()->isVisible());

    const auto one = files({green});
    EXPECT_TRUE(window()->performDragOperation(one.get()));
    // Never inside the drop.
    EXPECT_FALSE(sheet()->isVisible());
    ASSERT_TRUE(runUntil([this] { return sheet()->isVisible(); }));
    EXPECT_EQ(editor()->myImage().size(), QSize(50, 50));

    // A drop while the sheet is open replaces its picture; the sheet stays open.
    const auto onSheet = files({red});
    EXPECT_TRUE(sheet()->performDragOperation(onSheet.get()));
    ASSERT_TRUE(runUntil([this] { return editor()->myImage().size() == QSize(40, 40); }));
    EXPECT_TRUE(sheet()->isVisible());
    sheet()->cancelButton()->click();
    EXPECT_FALSE(sheet()->isVisible());

    EXPECT_TRUE(browser()->imageView()->performDragOperation(two.get()));
    ASSERT_TRUE(runUntil([this] { return sheet()->isVisible(); }));
    EXPECT_EQ(editor()->myImage().size(), QSize(40, 40));
    sheet()->cancelButton()->click();
}

TEST_F(BrowserPortraitTest, Drops_ARemoteAddressIsRefusedAndNeverFetched_PictureDataIsTaken)
{
    ASSERT_TRUE(openBrowser());
    select(ids[3]);
    server.clearRequestLog();
    auto remote = std::make_unique<QMimeData>();
    remote->setUrls({server.baseUrl().resolved(QUrl(QStringLiteral("/dropped/picture.jpg")))});
    EXPECT_EQ(browser()->imageView()->draggingEntered(remote.get()), Qt::CopyAction);
    EXPECT_FALSE(browser()->imageView()->performDragOperation(remote.get()));
    EXPECT_EQ(window()->draggingEntered(remote.get()), Qt::IgnoreAction);
    EXPECT_FALSE(window()->performDragOperation(remote.get()));
    runUntil([] { return false; }, 500);
    EXPECT_FALSE(sheet()->isVisible());
    EXPECT_EQ(server.requestsTo(QStringLiteral("/dropped/")), QStringList());

    auto picture = std::make_unique<QMimeData>();
    picture->setImageData(QImage::fromData(testpicture::encoded(kTopRight, "PNG", 70)));
    EXPECT_TRUE(window()->performDragOperation(picture.get()));
    ASSERT_TRUE(runUntil([this] { return sheet()->isVisible(); }));
    EXPECT_EQ(editor()->myImage().size(), QSize(70, 70));
    sheet()->cancelButton()->click();
}
