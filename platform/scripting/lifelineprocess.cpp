#include "platform/scripting/lifelineprocess.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace lifelineprocess {

namespace {

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Between fork and exec only calls that are safe in the child of a threaded process.
[[noreturn]] void becomeProgram(char *const argv[], int input, int report)
{
    // A session of its own: the end of this process's session or terminal takes nothing along.
    setsid();
    // Started by a child that leaves at once, the program belongs to no process of ours.
    if (fork() != 0)
        _exit(0);
    dup2(input, STDIN_FILENO);
    // Nothing else of this process reaches the program: a pipe that someone reads to its end
    // must not stay open for as long as the program runs.
    close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    execve(argv[0], argv, environ);
    const int error = errno;
    (void)!write(report, &error, sizeof error);
    _exit(127);
}

} // namespace

bool start(const QString &program, const QStringList &arguments, QString *error)
{
    int lifeline[2];
    int report[2];
    // Every end closes in every program this process starts; the started program gets its own
    // copy of the reading end as its standard input.
    if (pipe2(lifeline, O_CLOEXEC) != 0) {
        *error = reason(errno);
        return false;
    }
    if (pipe2(report, O_CLOEXEC) != 0) {
        *error = reason(errno);
        close(lifeline[0]);
        close(lifeline[1]);
        return false;
    }
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        words.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0)
        becomeProgram(argv.data(), lifeline[0], report[1]);
    close(lifeline[0]);
    close(report[1]);
    if (child < 0) {
        *error = reason(errno);
        close(report[0]);
        close(lifeline[1]);
        return false;
    }
    // The report pipe closes without a word when the program has started; a failed start writes
    // its error first.
    int failure = 0;
    ssize_t got;
    do
        got = read(report[0], &failure, sizeof failure);
    while (got < 0 && errno == EINTR);
    close(report[0]);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (got > 0) {
        close(lifeline[1]);
        *error = QStringLiteral("%1: %2").arg(program, reason(failure));
        return false;
    }
    // The writing end stays open, unused, for the rest of this process's life: its closing when
    // the process ends is the signal the program waits for.
    return true;
}

} // namespace lifelineprocess
