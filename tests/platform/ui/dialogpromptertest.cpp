#include "platform/ui/dialogprompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QMessageBox *openBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

QAbstractButton *buttonTitled(QMessageBox *box, const QString &title)
{
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == title)
            return button;
    }
    return nullptr;
}

// Clicks the titled button of the message box once it is on screen, and notes what it showed.
struct Clicker
{
    explicit Clicker(QString button)
        : title(std::move(button))
    {}

    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString informativeText;
    QStringList defaultAndOrder;

    void clickWhenShown()
    {
        QTimer::singleShot(0, [this] {
            QMessageBox *box = openBox();
            if (!box) {
                clickWhenShown();
                return;
            }
            icon = box->icon();
            informativeText = box->informativeText();
            defaultAndOrder = {box->defaultButton() ? box->defaultButton()->text() : QString()};
            for (QAbstractButton *button : box->buttons())
                defaultAndOrder.append(button->text());
            if (QAbstractButton *button = buttonTitled(box, title))
                button->click();
        });
    }
};

TEST(DialogPrompter, RunModal_AnswersByThePositionOfTheButtonShown)
{
    struct Case
    {
        QStringList buttons;
        QString click;
        int expected;
    };
    const Case cases[] = {
        {{"OK"}, "OK", kAlertFirstButtonReturn},
        {{"Yes", "No", "Cancel"}, "Cancel", kAlertThirdButtonReturn},
        {{"Yes", "No", "Cancel"}, "No", kAlertSecondButtonReturn},
        // The caller left out the second title: the third takes the second place.
        {{"Yes", "Cancel"}, "Cancel", kAlertSecondButtonReturn},
    };
    for (const Case &c : cases) {
        Clicker clicker(c.click);
        clicker.clickWhenShown();
        DialogPrompter prompter;
        EXPECT_EQ(prompter.runModal({"Message", "Small", c.buttons}), c.expected);
        EXPECT_EQ(clicker.defaultAndOrder, QStringList{c.buttons.first()} + c.buttons);
    }
}

TEST(DialogPrompter, RunModal_ShowsStyleAndInformativeText)
{
    Clicker clicker("OK");
    clicker.clickWhenShown();
    DialogPrompter().runModal({"Fatal", "Quit now", {"OK"}, Prompt::Style::Critical});
    EXPECT_EQ(clicker.icon, QMessageBox::Critical);
    EXPECT_EQ(clicker.informativeText, "Quit now");
}

TEST(DialogPrompter, Sheet_AnswersLaterOnTheEventLoop)
{
    QWidget window;
    window.show();
    int answer = 0;
    DialogPrompter().beginSheet({"Delete?", QString(), {"Delete", "Cancel"}}, &window,
                                [&answer](int response) { answer = response; });
    EXPECT_EQ(answer, 0);
    QMessageBox *box = openBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), &window);
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);
    buttonTitled(box, "Cancel")->click();
    EXPECT_EQ(answer, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(answer, kAlertSecondButtonReturn);
}

} // namespace
