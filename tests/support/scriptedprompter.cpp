#include "tests/support/scriptedprompter.h"

#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

ScriptedPrompter::ScriptedPrompter()
    : m_previous(Prompter::install(this))
{}

ScriptedPrompter::~ScriptedPrompter()
{
    Prompter::install(m_previous);
}

int ScriptedPrompter::nextAnswer(const Prompt &prompt)
{
    const int answer = m_answers.isEmpty() ? kAlertFirstButtonReturn : m_answers.dequeue();
    if (answer < kAlertFirstButtonReturn ||
        answer >= kAlertFirstButtonReturn + prompt.buttons.size())
        ADD_FAILURE() << "scripted answer " << answer << " names no button of \""
                      << prompt.message.toStdString() << "\"";
    return answer;
}

int ScriptedPrompter::runModal(const Prompt &prompt)
{
    m_shown.append({prompt, false, nullptr});
    return nextAnswer(prompt);
}

void ScriptedPrompter::beginSheet(const Prompt &prompt, QWidget *window,
                                  std::function<void(int)> completion)
{
    m_shown.append({prompt, true, window});
    const int answer = nextAnswer(prompt);
    QTimer::singleShot(0, [completion = std::move(completion), answer] { completion(answer); });
}

QStringList ScriptedPrompter::messages() const
{
    QStringList texts;
    for (const Shown &shown : m_shown)
        texts << shown.prompt.message;
    return texts;
}
