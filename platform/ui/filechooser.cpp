#include "platform/ui/filechooser.h"

#include "platform/ui/dialogfilechooser.h"

namespace {

FileChooser *s_installed = nullptr;

} // namespace

FileChooser::~FileChooser() = default;

FileChooser &FileChooser::current()
{
    if (s_installed)
        return *s_installed;
    static DialogFileChooser dialogs;
    return dialogs;
}

FileChooser *FileChooser::install(FileChooser *chooser)
{
    FileChooser *previous = s_installed;
    s_installed = chooser;
    return previous;
}
