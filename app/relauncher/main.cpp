// tolvane-restart: started by a program that is about to quit, with that program's path as its
// one argument and a pipe on its standard input. The pipe's other end closes when the old process
// has ended; then the program at the path is started again in this process's place.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Reads the standard input away until its end: the old process is gone once nothing can write.
void waitForEndOfInput()
{
    char buffer[256];
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got == 0 || (got < 0 && errno != EINTR))
            return;
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <program>\n", argv[0]);
        return 2;
    }
    waitForEndOfInput();
    // The program started again reads nothing of the old pipe.
    const int nothing = open("/dev/null", O_RDONLY);
    if (nothing >= 0 && nothing != STDIN_FILENO) {
        dup2(nothing, STDIN_FILENO);
        close(nothing);
    }
    char *const command[] = {argv[1], nullptr};
    execv(argv[1], command);
    std::fprintf(stderr, "%s: cannot start %s: %s\n", argv[0], argv[1], std::strerror(errno));
    return 1;
}
