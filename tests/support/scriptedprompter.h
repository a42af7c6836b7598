#pragma once

#include "platform/ui/prompter.h"

#include <QList>
#include <QStringList>
#include <QQueue>

// A prompter that answers from a script, for tests. While it lives it is the current prompter.
// Each prompt takes the next scripted answer; with none left it answers the first (default)
// button. An answer for a button the prompt does not show fails the test.
class ScriptedPrompter : public Prompter
{
public:
    struct Shown
    {
        Prompt prompt;
        bool asSheet = false;
        QWidget *window = nullptr;
    };

    ScriptedPrompter();
    ~ScriptedPrompter() override;

    void answer(int response) { m_answers.enqueue(response); }
    const QList<Shown> &shown() const { return m_shown; }
    // The messages of the prompts shown, in order.
    QStringList messages() const;

    int runModal(const Prompt &prompt) override;
    void beginSheet(const Prompt &prompt, QWidget *window,
                    std::function<void(int)> completion) override;

private:
    int nextAnswer(const Prompt &prompt);

    QQueue<int> m_answers;
    QList<Shown> m_shown;
    Prompter *m_previous = nullptr;
};
