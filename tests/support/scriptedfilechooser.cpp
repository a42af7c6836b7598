#include "tests/support/scriptedfilechooser.h"

#include <QTimer>

ScriptedFileChooser::ScriptedFileChooser()
    : m_previous(FileChooser::install(this))
{}

ScriptedFileChooser::~ScriptedFileChooser()
{
    FileChooser::install(m_previous);
}

void ScriptedFileChooser::choose(const FileChoice &choice, QWidget *window,
                                 std::function<void(const QString &)> completion)
{
    m_shown.append({choice, window});
    const QString path = m_answers.isEmpty() ? QString() : m_answers.dequeue();
    QTimer::singleShot(0, [completion = std::move(completion), path] { completion(path); });
}
