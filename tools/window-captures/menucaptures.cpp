#include "tools/window-captures/menucaptures.h"

#include "app/delegate/appdelegate.h"
#include "app/menus/menuset.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace menucaptures {

namespace {

void pictureOpened(QMenu *menu, QWidget *window, const QString &name, const Capture &capture)
{
    if (!menu)
        return;
    menu->popup(window->mapToGlobal(QPoint(40, 30)));
    QCoreApplication::processEvents();
    capture(menu, name);
    menu->hide();
}

} // namespace

const QStringList &names()
{
    static const QStringList all = {
        QStringLiteral("menu-google.png"), QStringLiteral("menu-address-book.png"),
        QStringLiteral("menu-address-book-delete.png"), QStringLiteral("menu-google-groups.png")};
    return all;
}

void run(QWidget *window, const Capture &capture)
{
    AppDelegate *const delegate = AppDelegate::shared();
    if (!delegate || !window->findChild<QMenuBar *>())
        return;
    const MenuSet &menus = *delegate->menuSet();
    pictureOpened(menus.mainMenu().value(3), window, names().at(0), capture);
    pictureOpened(menus.mainMenu().value(4), window, names().at(1), capture);
    if (const QAction *const deletions = menus.actionWithTag(400))
        pictureOpened(deletions->menu(), window, names().at(2), capture);
    pictureOpened(menus.googleGroupNamesMenu(6), window, names().at(3), capture);
}

} // namespace menucaptures
