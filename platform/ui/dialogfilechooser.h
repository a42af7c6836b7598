#pragma once

#include "platform/ui/filechooser.h"

// File choices as QFileDialog, window-modal on the window given, opened with open() so that the
// event loop goes on while it is up.
class DialogFileChooser : public FileChooser
{
public:
    void choose(const FileChoice &choice, QWidget *window,
                std::function<void(const QString &)> completion) override;
};
