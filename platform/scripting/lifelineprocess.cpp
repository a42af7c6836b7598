#include "platform/scripting/lifelineprocess.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace lifelineprocess {

bool start(const QString &program, const QStringList &arguments, QString *error)
{
    int ends[2];
    // Both ends close in every other program this process starts; only the started program's
    // copy of the reading end, made below, stays open across its start.
    if (pipe2(ends, O_CLOEXEC) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        words.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);

    pid_t pid = 0;
    // The start answers a failure of the program's own start too, so a missing program is
    // reported here and not in a child that fails unseen.
    const int status =
        posix_spawn(&pid, argv.front(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(ends[0]);
    if (status != 0) {
        close(ends[1]);
        *error = QStringLiteral("%1: %2").arg(program, QString::fromLocal8Bit(std::strerror(status)));
        return false;
    }
    // The writing end stays open, unused, for the rest of this process's life: its closing at
    // the end of the process is the signal the program waits for.
    return true;
}

} // namespace lifelineprocess
