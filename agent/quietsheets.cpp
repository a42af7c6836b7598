#include "agent/quietsheets.h"

#include <QTimer>

QuietSheets::QuietSheets()
{
    m_previous = Prompter::install(this);
}

QuietSheets::~QuietSheets()
{
    Prompter::install(m_previous);
}

int QuietSheets::runModal(const Prompt &prompt)
{
    if (m_previous)
        return m_previous->runModal(prompt);
    Prompter::install(nullptr);
    const int answer = Prompter::current().runModal(prompt);
    Prompter::install(this);
    return answer;
}

void QuietSheets::beginSheet(const Prompt &, QWidget *, std::function<void(int)> completion)
{
    QTimer::singleShot(0, [completion = std::move(completion)] {
        completion(kAlertFirstButtonReturn);
    });
}
