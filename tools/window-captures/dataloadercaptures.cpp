#include "tools/window-captures/dataloadercaptures.h"

#include "loader/window/datamoverwindowcontroller.h"

#include <QAbstractButton>
#include <QPointer>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>

namespace dataloadercaptures {
namespace {

// The tag of the layout control.
constexpr int kLayoutTag = 30;

struct Step
{
    // Puts the loader into the state to picture; the picture is of what it returns.
    std::function<QWidget *(DataMoverWindowController &)> show;
    // Leaves that state again after the picture.
    std::function<void(DataMoverWindowController &)> leave;
};

const std::vector<Step> &steps()
{
    static const std::vector<Step> table = {
        {[](DataMoverWindowController &loader) {
             loader.syncTabView()->setCurrentIndex(0);
             return loader.window();
         },
         {}},
        {[](DataMoverWindowController &loader) {
             loader.syncTabView()->setCurrentIndex(1);
             return loader.window();
         },
         {}},
        {[](DataMoverWindowController &loader) {
             loader.openLoginPanel();
             return static_cast<QWidget *>(loader.loginPanel());
         },
         [](DataMoverWindowController &loader) {
             loader.cancelLogin();
         }},
        {[](DataMoverWindowController &loader) {
             if (QAbstractButton *layout = loader.controlWithTag(kLayoutTag))
                 layout->click();
             return loader.window();
         },
         [](DataMoverWindowController &loader) {
             if (QAbstractButton *layout = loader.controlWithTag(kLayoutTag))
                 layout->click();
             loader.syncTabView()->setCurrentIndex(0);
         }},
    };
    return table;
}

void runStep(QPointer<DataMoverWindowController> loader, size_t index, int settleMs,
             const Capture &capture, const std::function<void()> &done)
{
    if (!loader || index >= steps().size()) {
        done();
        return;
    }
    const Step &step = steps()[index];
    QPointer<QWidget> shown = step.show(*loader);
    QTimer::singleShot(settleMs, loader, [=] {
        if (!loader)
            return done();
        if (shown)
            capture(shown, names().at(qsizetype(index)));
        if (step.leave)
            step.leave(*loader);
        QTimer::singleShot(settleMs, loader,
                           [=] { runStep(loader, index + 1, settleMs, capture, done); });
    });
}

} // namespace

const QStringList &names()
{
    static const QStringList list = {
        QStringLiteral("data-loader-atog.png"), QStringLiteral("data-loader-gtoa.png"),
        QStringLiteral("data-loader-login.png"), QStringLiteral("data-loader-simple.png")};
    return list;
}

void run(DataMoverWindowController *loader, int settleMs, const Capture &capture,
         const std::function<void()> &done)
{
    runStep(loader, 0, settleMs, capture, done);
}

} // namespace dataloadercaptures
