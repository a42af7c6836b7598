#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace archivecaptures {

// Writes a picture of a widget under a file name; false when it could not.
using Capture = std::function<bool(QWidget *widget, const QString &name)>;

// The pictures of the address book's backup and restore choices, by file name, in order.
const QStringList &names();

// Runs the address book backup as a user would, pictures its save choice and saves a backup
// under the suggested name; then pictures the restore's open choice and chooses that backup. Its
// confirmation is an alert, answered by its default button as every alert of the captures: the
// book is restored from the backup just made, so it holds what it held. Then calls done.
void run(int settleMs, const Capture &capture, const std::function<void()> &done);

} // namespace archivecaptures
