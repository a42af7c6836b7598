#include "tools/window-captures/prefcaptures.h"

#include "app/appkeys.h"
#include "app/delegate/appdelegate.h"
#include "app/prefs/customizedialog.h"
#include "app/prefs/prefpages.h"
#include "app/prefs/prefpanes.h"
#include "app/prefs/prefsheet.h"
#include "app/prefs/regionsmodel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QToolBar>

namespace prefcaptures {
namespace {

QString fileName(const QString &identifier)
{
    const prefpanes::PaneDefinition *const pane = prefpanes::definitionOf(identifier);
    return QStringLiteral("preferences-%1.png").arg(pane->tab.toLower());
}

void choose(AppDelegate &delegate, const QString &identifier)
{
    for (QAction *action : delegate.prefSheet()->toolbar()->actions()) {
        if (action->objectName() == identifier)
            action->trigger();
    }
}

void customize(int settleMs, const Capture &capture, const std::function<void()> &done)
{
    AppDelegate *const delegate = AppDelegate::shared();
    if (!delegate) {
        done();
        return;
    }
    delegate->customize();
    QPointer<CustomizeDialog> dialog = delegate->customizeDialog();
    QTimer::singleShot(settleMs, delegate, [=] {
        if (dialog) {
            capture(dialog, names().constLast());
            dialog->reject();
        }
        QTimer::singleShot(settleMs, delegate, done);
    });
}

void pane(qsizetype index, int settleMs, const Capture &capture, const std::function<void()> &done)
{
    AppDelegate *const delegate = AppDelegate::shared();
    const QStringList panes = AppDelegate::toolbarDefaultItemIdentifiers();
    if (!delegate || !delegate->prefSheet()) {
        done();
        return;
    }
    if (index >= panes.size()) {
        delegate->closePrefSheet();
        QTimer::singleShot(settleMs, delegate, [=] { customize(settleMs, capture, done); });
        return;
    }
    choose(*delegate, panes.at(index));
    // The World pane with a continent on, as a user would see it after the first click.
    if (panes.at(index) == prefpanes::international) {
        if (auto *const europe =
                delegate->prefSheet()->findChild<QAbstractButton *>(appkeys::useEurope);
            europe && !europe->isChecked())
            europe->click();
        RegionsModel *const regions = delegate->prefPages()->regionsModel();
        for (int row = 0; row < regions->rowCount(); ++row) {
            const QModelIndex region = regions->index(row);
            if (region.data().toString() == QStringLiteral("Western Europe"))
                regions->setData(region, Qt::Checked, Qt::CheckStateRole);
        }
    }
    QTimer::singleShot(settleMs, delegate, [=] {
        if (delegate->prefSheet())
            capture(delegate->prefSheet(), fileName(panes.at(index)));
        pane(index + 1, settleMs, capture, done);
    });
}

} // namespace

const QStringList &names()
{
    static const QStringList list = [] {
        QStringList made;
        for (const QString &identifier : AppDelegate::toolbarDefaultItemIdentifiers())
            made << fileName(identifier);
        made << QStringLiteral("customize-toolbar.png");
        return made;
    }();
    return list;
}

void run(int settleMs, const Capture &capture, const std::function<void()> &done)
{
    AppDelegate *const delegate = AppDelegate::shared();
    if (!delegate) {
        done();
        return;
    }
    // The sheet opens on the key window, the browser.
    if (WindowController *const browser = delegate->googleBrowserWindowController())
        QApplication::setActiveWindow(browser->window());
    delegate->showPreferencePanel();
    QTimer::singleShot(settleMs, delegate, [=] { pane(0, settleMs, capture, done); });
}

} // namespace prefcaptures
