#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace menucaptures {

using Capture = std::function<bool(QWidget *widget, const QString &name)>;

// The pictures of the main menu, by file name.
const QStringList &names();

// Opens the Google and Address Book menus of the window's menu bar, the address book deletions
// and one Google group menu as a user would, pictures each and closes it again.
void run(QWidget *window, const Capture &capture);

} // namespace menucaptures
