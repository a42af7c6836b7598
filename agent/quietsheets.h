#pragma once

#include "platform/ui/prompter.h"

// A prompter that answers every sheet with its first button without showing it, and passes
// alerts on to the prompter it was installed over. The agent installs it while it retries a
// login that failed, so the error sheet is shown at the first failure only.
class QuietSheets : public Prompter
{
public:
    QuietSheets();
    ~QuietSheets() override;

    int runModal(const Prompt &prompt) override;
    void beginSheet(const Prompt &prompt, QWidget *window,
                    std::function<void(int)> completion) override;

private:
    Prompter *m_previous = nullptr;
};
