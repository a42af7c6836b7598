#include "tools/window-captures/deletesheetcapture.h"

#include "browser/tables/contacttableview.h"
#include "browser/tables/grouptableview.h"
#include "browser/tables/tabletexts.h"
#include "browser/window/browserwindowcontroller.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace deletesheetcapture {

namespace {

QMessageBox *openSheet(BrowserWindowController *browser)
{
    for (QMessageBox *box : browser->WindowController::window()->findChildren<QMessageBox *>()) {
        if (box->isVisible() && isDeleteSheet(box))
            return box;
    }
    return nullptr;
}

void cancel(QMessageBox *box)
{
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == tabletexts::cancel) {
            button->click();
            return;
        }
    }
}

} // namespace

bool isDeleteSheet(const QMessageBox *box)
{
    return box->text() == tabletexts::deleteOneContact ||
           box->text() == tabletexts::deleteManyContacts;
}

void run(BrowserWindowController *browser, int settleMs, const Capture &capture,
         const std::function<void()> &done)
{
    ContactTableView *const table = browser->contactTableView();
    if (!table || table->model()->rowCount() == 0) {
        done();
        return;
    }
    table->clearSelection();
    table->selectRow(0);
    table->deleteContacts();
    QPointer<BrowserWindowController> guarded(browser);
    QTimer::singleShot(settleMs, browser, [guarded, capture, done] {
        if (QMessageBox *const sheet = guarded ? openSheet(guarded) : nullptr) {
            capture(sheet, deleteSheet);
            cancel(sheet);
        }
        done();
    });
}

} // namespace deletesheetcapture
