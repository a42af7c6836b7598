#include "app/windows/windowcontroller.h"
#include "app/windows/windowfactory.h"

#include <QCloseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A window that refuses to close while it holds unsaved work.
class HoldingWindow : public QWidget
{
public:
    bool holding = false;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        if (holding)
            event->ignore();
        else
            event->accept();
    }
};

class TestController : public WindowController
{
public:
    TestController()
        : WindowController(Kind::DataMover)
    {
        setWindow(new HoldingWindow);
        registerCommand(QStringLiteral("changeBrowserDataField:"),
                        [this](const QVariant &tag) { lastTag = tag.toInt(); });
    }
    HoldingWindow *holdingWindow() { return static_cast<HoldingWindow *>(window()); }
    int lastTag = -1;
};

} // namespace

TEST(WindowControllerTest, ClosingTheWindowTellsOnceAndEndsTheController)
{
    QPointer<TestController> controller = new TestController;
    QPointer<QWidget> window = controller->window();
    EXPECT_EQ(WindowController::forWindow(window), controller.data());
    QSignalSpy closing(controller.data(), &WindowController::windowClosing);

    controller->holdingWindow()->holding = true;
    EXPECT_FALSE(window->close());
    EXPECT_EQ(closing.count(), 0);

    controller->holdingWindow()->holding = false;
    controller->showWindow();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(window->close());
    ASSERT_EQ(closing.count(), 1);
    EXPECT_EQ(closing.at(0).at(0).value<WindowController *>(), controller.data());

    QTest::qWait(10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(controller.isNull());
    EXPECT_TRUE(window.isNull());
}

TEST(WindowControllerTest, CommandsAreAnsweredOnlyWhereOffered)
{
    TestController controller;
    EXPECT_TRUE(controller.respondsToCommand(QStringLiteral("changeBrowserDataField:")));
    EXPECT_FALSE(controller.respondsToCommand(QStringLiteral("toggleNotes:")));
    EXPECT_FALSE(controller.performCommand(QStringLiteral("toggleNotes:")));
    EXPECT_TRUE(controller.performCommand(QStringLiteral("changeBrowserDataField:"), 7));
    EXPECT_EQ(controller.lastTag, 7);
}

TEST(WindowFactoryTest, MakesOnlyTheKindsRegistered)
{
    windowfactory::clear();
    EXPECT_EQ(windowfactory::make(WindowController::Kind::Browser), nullptr);
    windowfactory::setMaker(WindowController::Kind::DataMover,
                            [] { return std::make_unique<TestController>(); });
    EXPECT_TRUE(windowfactory::hasMaker(WindowController::Kind::DataMover));
    const auto made = windowfactory::make(WindowController::Kind::DataMover);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->kind(), WindowController::Kind::DataMover);
    windowfactory::setMaker(WindowController::Kind::DataMover, {});
    EXPECT_FALSE(windowfactory::hasMaker(WindowController::Kind::DataMover));
}
