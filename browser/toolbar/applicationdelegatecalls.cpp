#include "browser/toolbar/applicationdelegatecalls.h"

#include "app/delegate/appdelegate.h"

#include <QMetaObject>
#include <QPointer>
#include <QToolBar>

namespace applicationdelegatecalls {

namespace {

QPointer<QObject> s_testDelegate;
bool s_testDelegateSet = false;

// The delegate that offers the operation of that signature; null when none does.
QObject *offering(const char *signature)
{
    QObject *const delegate = applicationDelegate();
    if (!delegate)
        return nullptr;
    const QByteArray normalized = QMetaObject::normalizedSignature(signature);
    return delegate->metaObject()->indexOfMethod(normalized.constData()) >= 0 ? delegate : nullptr;
}

} // namespace

QObject *applicationDelegate()
{
    return s_testDelegateSet ? s_testDelegate.data() : AppDelegate::shared();
}

void setApplicationDelegateForTesting(QObject *delegate)
{
    s_testDelegate = delegate;
    s_testDelegateSet = delegate != nullptr;
}

void setToolbar(QToolBar *toolbar)
{
    if (QObject *const delegate = offering("setToolbar(QToolBar*)"))
        QMetaObject::invokeMethod(delegate, "setToolbar", Q_ARG(QToolBar *, toolbar));
}

void setToolbarMenuVerb(const QString &verb)
{
    if (QObject *const delegate = offering("setToolbarMenuVerb(QString)"))
        QMetaObject::invokeMethod(delegate, "setToolbarMenuVerb", Q_ARG(QString, verb));
}

void setBrowserSetModeMenuTitle(const QString &title)
{
    if (QObject *const delegate = offering("setBrowserSetModeMenuTitle(QString)"))
        QMetaObject::invokeMethod(delegate, "setBrowserSetModeMenuTitle", Q_ARG(QString, title));
}

void refreshGoogleState(QObject *sender)
{
    if (QObject *const delegate = offering("refreshGoogleState(QObject*)"))
        QMetaObject::invokeMethod(delegate, "refreshGoogleState", Q_ARG(QObject *, sender));
}

} // namespace applicationdelegatecalls
