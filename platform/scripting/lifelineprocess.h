#pragma once

#include <QString>
#include <QStringList>

// A program started to outlive this process and to learn when it has ended: it runs in a session
// of its own (nothing this process ends takes it along), and its standard input is a pipe whose
// writing end only this process holds, so it reads the end of the input once this process is gone.
namespace lifelineprocess {

// False, with the reason, when the program did not start (missing, not executable); nothing is
// left running then.
bool start(const QString &program, const QStringList &arguments, QString *error);

} // namespace lifelineprocess
