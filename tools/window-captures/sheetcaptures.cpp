#include "tools/window-captures/sheetcaptures.h"

#include "app/delegate/appdelegate.h"
#include "app/sheets/contactsheet.h"
#include "app/sheets/groupsheet.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>

#include <vector>

namespace sheetcaptures {
namespace {

struct Step
{
    // Opens the sheet to picture and returns it.
    std::function<QWidget *(AppDelegate &)> show;
    std::function<void(AppDelegate &)> leave;
};

const std::vector<Step> &steps()
{
    static const std::vector<Step> table = {
        {[](AppDelegate &delegate) -> QWidget * {
             delegate.newGoogleGroup();
             return delegate.newGroupPanel();
         },
         [](AppDelegate &delegate) {
             delegate.cancelNewGoogleGroup();
         }},
        {[](AppDelegate &delegate) -> QWidget * {
             delegate.openNewGoogleContact();
             if (ContactSheet *const sheet = delegate.newContactPanel())
                 sheet->cardzapField()->insertPlainText(
                     QStringLiteral("Jane Doe\nEngineer\nAcme Corp\n12 Main St\nSuite 5\n"
                                    "Springfield, IL 62704\nCanada"));
             // The pasted address is on the home tab.
             if (ContactSheet *const sheet = delegate.newContactPanel())
                 sheet->tabs()->setCurrentIndex(1);
             return delegate.newContactPanel();
         },
         [](AppDelegate &delegate) {
             delegate.cancelNewGoogleContact();
         }},
        {[](AppDelegate &delegate) -> QWidget * {
             // The sheet opens on the key window; the one just cancelled left none key here.
             if (WindowController *const browser = delegate.googleBrowserWindowController())
                 QApplication::setActiveWindow(browser->window());
             delegate.editGoogleContact();
             return delegate.editContactPanel();
         },
         [](AppDelegate &delegate) {
             delegate.cancelEditGoogleContact();
         }},
    };
    return table;
}

void runStep(size_t index, int settleMs, const Capture &capture, const std::function<void()> &done)
{
    AppDelegate *const delegate = AppDelegate::shared();
    if (!delegate || index >= steps().size()) {
        done();
        return;
    }
    const Step &step = steps()[index];
    QPointer<QWidget> shown = step.show(*delegate);
    QTimer::singleShot(settleMs, delegate, [=] {
        if (shown)
            capture(shown, names().at(qsizetype(index)));
        step.leave(*delegate);
        QTimer::singleShot(settleMs, delegate,
                           [=] { runStep(index + 1, settleMs, capture, done); });
    });
}

} // namespace

const QStringList &names()
{
    static const QStringList list = {QStringLiteral("group-sheet.png"),
                                     QStringLiteral("new-contact-sheet.png"),
                                     QStringLiteral("edit-contact-sheet.png")};
    return list;
}

void run(int settleMs, const Capture &capture, const std::function<void()> &done)
{
    runStep(0, settleMs, capture, done);
}

} // namespace sheetcaptures
