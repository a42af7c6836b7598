#pragma once

#include "platform/ui/prompter.h"

// Prompts as QMessageBox dialogs: application-modal for alerts, window-modal for sheets.
class DialogPrompter : public Prompter
{
public:
    int runModal(const Prompt &prompt) override;
    void beginSheet(const Prompt &prompt, QWidget *window,
                    std::function<void(int)> completion) override;
};
