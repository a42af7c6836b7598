#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace sheetcaptures {

// Writes a picture of a widget under a file name; false when it could not.
using Capture = std::function<bool(QWidget *widget, const QString &name)>;

// The pictures of the editor sheets, by file name, in the order they are taken.
const QStringList &names();

// Opens the application delegate's editor sheets on the browser in front as a user would: the
// group sheet, the new-contact sheet with a signature pasted into it, and the edit sheet on the
// browser's current contact, each pictured once drawn and cancelled again; then calls done.
void run(int settleMs, const Capture &capture, const std::function<void()> &done);

} // namespace sheetcaptures
