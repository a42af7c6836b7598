#pragma once

#include <QString>

#include <functional>

class BrowserWindowController;
class QMessageBox;
class QWidget;

namespace deletesheetcapture {

using Capture = std::function<bool(QWidget *widget, const QString &name)>;

inline const QString deleteSheet = QStringLiteral("browser-delete-sheet.png");

// Whether the box is the browser's confirmation before deleting contacts, which this capture
// answers itself: a driver that answered it with its default button would delete the contact.
bool isDeleteSheet(const QMessageBox *box);

// Selects the browser's first contact and asks to delete it as the Delete key does, pictures the
// confirmation sheet once drawn, cancels it (nothing is deleted), then calls done.
void run(BrowserWindowController *browser, int settleMs, const Capture &capture,
         const std::function<void()> &done);

} // namespace deletesheetcapture
