#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace prefcaptures {

using Capture = std::function<bool(QWidget *widget, const QString &name)>;

// The pictures of the preferences sheet, one per pane its toolbar offers, and of the browser
// toolbar's customisation, by file name, in the order they are taken.
const QStringList &names();

// Opens the preferences sheet on the browser in front and shows each pane in the toolbar's
// order, then closes it and opens the toolbar's customisation; each pictured once drawn; then
// calls done.
void run(int settleMs, const Capture &capture, const std::function<void()> &done);

} // namespace prefcaptures
