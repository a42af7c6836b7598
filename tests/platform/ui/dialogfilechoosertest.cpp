#include "platform/ui/dialogfilechooser.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

namespace {

QFileDialog *openDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QFileDialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

bool runUntil(const std::function<bool()> &condition)
{
    QDeadlineTimer deadline(5000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    return condition();
}

} // namespace

// The dialog is window-modal on the asking window and set up as the choice says; its answer is
// the absolute path chosen, or empty for a cancel, delivered after the call has returned.
TEST(DialogFileChooser, ShowsTheChoiceWindowModalAndAnswersLater)
{
    QTemporaryDir folder;
    QFile existing(folder.filePath("backup.zip"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QWidget window;
    window.show();

    struct Case
    {
        const char *label;
        FileChoice choice;
        bool accept;
        QString expected;
    };
    const Case cases[] = {
        {"open chosen",
         {FileChoice::Mode::Open,
          "Select a Google Archive file.",
          {"Google Archive (*.zip)"},
          folder.path(),
          {}},
         true,
         folder.filePath("backup.zip")},
        {"open cancelled",
         {FileChoice::Mode::Open, "Select", {}, folder.path(), {}},
         false,
         QString()},
        {"save chosen",
         {FileChoice::Mode::Save,
          "Back Up",
          {"Address Book Archive (*.abbu)"},
          folder.path(),
          "Address Book - 2026-12-11.abbu"},
         true,
         folder.filePath("Address Book - 2026-12-11.abbu")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        DialogFileChooser chooser;
        std::optional<QString> answer;
        chooser.choose(c.choice, &window, [&](const QString &path) { answer = path; });
        ASSERT_TRUE(runUntil([] { return openDialog() != nullptr; }));
        QFileDialog *dialog = openDialog();
        EXPECT_EQ(dialog->parentWidget(), &window);
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        const bool save = c.choice.mode == FileChoice::Mode::Save;
        EXPECT_EQ(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        EXPECT_EQ(dialog->labelText(QFileDialog::Accept), c.choice.prompt);
        if (!c.choice.nameFilters.isEmpty()) {
            EXPECT_EQ(dialog->nameFilters(), c.choice.nameFilters);
        }
        EXPECT_EQ(QDir(dialog->directory().absolutePath()), QDir(folder.path()));
        if (c.accept) {
            if (!save)
                dialog->selectFile(c.expected);
            QMetaObject::invokeMethod(dialog, "accept");
        } else {
            dialog->reject();
        }
        EXPECT_FALSE(answer) << "answered inside the dialog's own signal";
        ASSERT_TRUE(runUntil([&] { return answer.has_value(); }));
        EXPECT_EQ(*answer, c.expected);
    }
}
