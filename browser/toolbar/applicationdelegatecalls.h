// What the browser's toolbar sends the application delegate. Each operation is optional: it is
// sent only when the delegate offers it, as an invokable operation of that name and argument.
#pragma once

#include <QString>

class QObject;
class QToolBar;

namespace applicationdelegatecalls {

// The program's application delegate, or the object a test put in its place.
QObject *applicationDelegate();
// Not owned; nullptr puts the program's delegate back.
void setApplicationDelegateForTesting(QObject *delegate);

// "setToolbar(QToolBar*)": the delegate keeps the browser's toolbar.
void setToolbar(QToolBar *toolbar);
// "setToolbarMenuVerb(QString)".
void setToolbarMenuVerb(const QString &verb);
// "setBrowserSetModeMenuTitle(QString)": the title of the union and intersection menu item.
void setBrowserSetModeMenuTitle(const QString &title);
// "refreshGoogleState(QObject*)": the toolbar's Reload, with the asking window's controller.
void refreshGoogleState(QObject *sender);

} // namespace applicationdelegatecalls
