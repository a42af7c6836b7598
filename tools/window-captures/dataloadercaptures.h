#pragma once

#include <QString>

#include <functional>

class DataMoverWindowController;
class QWidget;

namespace dataloadercaptures {

// Writes a picture of a widget under a file name; false when it could not.
using Capture = std::function<bool(QWidget *widget, const QString &name)>;

// The pictures of the data loader, by file name, in the order they are taken.
const QStringList &names();

// Shows the data loader as a user goes through it: the upload tab, the download tab, its login
// sheet (cancelled again) and the compact layout (left again), each pictured once it has been
// drawn; then calls done. The loader's process, if one runs, is left alone.
void run(DataMoverWindowController *loader, int settleMs, const Capture &capture,
         const std::function<void()> &done);

} // namespace dataloadercaptures
