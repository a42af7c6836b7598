#pragma once

#include "platform/ui/filechooser.h"

#include <QList>
#include <QQueue>

// A file chooser that answers from a script, for tests. While it lives it is the current
// chooser. Each choice takes the next scripted path (an empty one cancels); with none left it
// cancels.
class ScriptedFileChooser : public FileChooser
{
public:
    struct Shown
    {
        FileChoice choice;
        QWidget *window = nullptr;
    };

    ScriptedFileChooser();
    ~ScriptedFileChooser() override;

    void answer(const QString &path) { m_answers.enqueue(path); }
    void cancel() { m_answers.enqueue(QString()); }
    const QList<Shown> &shown() const { return m_shown; }

    void choose(const FileChoice &choice, QWidget *window,
                std::function<void(const QString &)> completion) override;

private:
    QQueue<QString> m_answers;
    QList<Shown> m_shown;
    FileChooser *m_previous = nullptr;
};
