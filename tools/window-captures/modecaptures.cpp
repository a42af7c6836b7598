#include "tools/window-captures/modecaptures.h"

#include "app/delegate/appdelegate.h"
#include "app/delegate/modetexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace modecaptures {
namespace {

QMessageBox *restartSheet()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && isRestartSheet(window))
            return static_cast<QMessageBox *>(window);
    }
    return nullptr;
}

} // namespace

bool isRestartSheet(const QWidget *window)
{
    const auto *const box = qobject_cast<const QMessageBox *>(window);
    return box && box->text() == modetexts::restartTitle;
}

const QStringList &names()
{
    static const QStringList list{QStringLiteral("restart-sheet.png")};
    return list;
}

void run(int settleMs, const Capture &capture, const std::function<void()> &done)
{
    AppDelegate *const delegate = AppDelegate::shared();
    if (!delegate) {
        done();
        return;
    }
    delegate->changeStatusItemStatus(true);
    QTimer::singleShot(settleMs, delegate, [=] {
        if (QMessageBox *const sheet = restartSheet()) {
            capture(sheet, names().constFirst());
            for (QAbstractButton *button : sheet->buttons()) {
                if (button->text() == modetexts::restartLater)
                    button->click();
            }
        }
        delegate->changeStatusItemStatus(false);
        QTimer::singleShot(settleMs, delegate, done);
    });
}

} // namespace modecaptures
