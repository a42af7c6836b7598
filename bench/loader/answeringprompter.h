#pragma once

#include "platform/ui/prompter.h"

#include <QList>
#include <QQueue>

// Answers the sheets of a benchmark from a script, later on the event loop as the dialogs do: each
// sheet takes the next scripted answer, or the first (default) button when none is left. While it
// lives it is the current prompter.
class AnsweringPrompter : public Prompter
{
public:
    AnsweringPrompter();
    ~AnsweringPrompter() override;

    void answer(int response) { m_answers.enqueue(response); }
    // Every prompt shown, in order.
    const QList<Prompt> &shown() const { return m_shown; }

    int runModal(const Prompt &prompt) override;
    void beginSheet(const Prompt &prompt, QWidget *window,
                    std::function<void(int)> completion) override;

private:
    int next();

    Prompter *m_before = nullptr;
    QQueue<int> m_answers;
    QList<Prompt> m_shown;
};
