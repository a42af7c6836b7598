#pragma once

#include <QString>

#include <functional>

class BrowserWindowController;
class QWidget;

namespace portraitcaptures {

// Writes a picture of a widget under a file name; false when it could not.
using Capture = std::function<bool(QWidget *widget, const QString &name)>;

// The picture of the portrait editor's sheet.
inline const QString portraitSheet = QStringLiteral("portrait-sheet.png");

// Drops a picture on the browser as a user would, pictures the portrait sheet it opens once it
// has been drawn, cancels the sheet and calls done.
void run(BrowserWindowController *browser, int settleMs, const Capture &capture,
         const std::function<void()> &done);

} // namespace portraitcaptures
