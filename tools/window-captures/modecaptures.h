#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace modecaptures {

using Capture = std::function<bool(QWidget *widget, const QString &name)>;

// The picture of the restart sheet that switching to the tray item shows.
const QStringList &names();

// Whether the window is the restart sheet, which this capture answers itself.
bool isRestartSheet(const QWidget *window);

// Switches the application mode preference on, pictures the restart sheet once drawn, answers
// "I'll restart later" and switches the preference off again; then calls done.
void run(int settleMs, const Capture &capture, const std::function<void()> &done);

} // namespace modecaptures
