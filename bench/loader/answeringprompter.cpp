#include "bench/loader/answeringprompter.h"

#include <QCoreApplication>
#include <QTimer>

AnsweringPrompter::AnsweringPrompter()
    : m_before(Prompter::install(this))
{}

AnsweringPrompter::~AnsweringPrompter()
{
    Prompter::install(m_before);
}

int AnsweringPrompter::next()
{
    return m_answers.isEmpty() ? kAlertFirstButtonReturn : m_answers.dequeue();
}

int AnsweringPrompter::runModal(const Prompt &prompt)
{
    m_shown << prompt;
    return next();
}

void AnsweringPrompter::beginSheet(const Prompt &prompt, QWidget *,
                                   std::function<void(int)> completion)
{
    m_shown << prompt;
    const int response = next();
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [completion = std::move(completion), response] {
                           if (completion)
                               completion(response);
                       });
}
