#include "tools/window-captures/archivecaptures.h"

#include "app/delegate/appdelegate.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>

namespace archivecaptures {
namespace {

template <typename Dialog> Dialog *shownDialog()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (auto *dialog = qobject_cast<Dialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// Waits for the dialog to show, lets it settle, pictures it and hands it on.
template <typename Dialog>
void whenShown(int settleMs, int triesLeft, const std::function<void(Dialog *)> &then)
{
    Dialog *const dialog = shownDialog<Dialog>();
    if (!dialog && triesLeft > 0) {
        QTimer::singleShot(settleMs, qApp,
                           [=] { whenShown<Dialog>(settleMs, triesLeft - 1, then); });
        return;
    }
    QTimer::singleShot(settleMs, qApp, [=] { then(shownDialog<Dialog>()); });
}

constexpr int kTries = 20;

} // namespace

const QStringList &names()
{
    static const QStringList list = {QStringLiteral("address-book-backup-choice.png"),
                                     QStringLiteral("address-book-restore-choice.png")};
    return list;
}

void run(int settleMs, const Capture &capture, const std::function<void()> &done)
{
    AppDelegate *const delegate = AppDelegate::shared();
    if (!delegate) {
        done();
        return;
    }
    delegate->backupAddressBook();
    whenShown<QFileDialog>(settleMs, kTries, [=](QFileDialog *save) {
        if (!save) {
            done();
            return;
        }
        capture(save, names().at(0));
        const QString backup = save->selectedFiles().value(0);
        QMetaObject::invokeMethod(save, "accept");
        QTimer::singleShot(settleMs, qApp, [=] {
            delegate->restoreAddressBook();
            whenShown<QFileDialog>(settleMs, kTries, [=](QFileDialog *open) {
                if (!open) {
                    done();
                    return;
                }
                // As a user types it: the file list may still be loading.
                if (auto *name = open->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    name->setText(QFileInfo(backup).fileName());
                capture(open, names().at(1));
                // The confirmation is an alert, pictured and answered as every alert here.
                QMetaObject::invokeMethod(open, "accept");
                QTimer::singleShot(settleMs, qApp, done);
            });
        });
    });
}

} // namespace archivecaptures
