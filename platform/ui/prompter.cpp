#include "platform/ui/prompter.h"

#include "platform/ui/dialogprompter.h"

namespace {

Prompter *s_installed = nullptr;

} // namespace

Prompter::~Prompter() = default;

Prompter &Prompter::current()
{
    if (s_installed)
        return *s_installed;
    static DialogPrompter dialogs;
    return dialogs;
}

Prompter *Prompter::install(Prompter *prompter)
{
    Prompter *previous = s_installed;
    s_installed = prompter;
    return previous;
}
