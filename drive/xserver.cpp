// Runs a command on a private virtual X server, under a window manager when
// one is named, and stops them both when it ends.
//
// Usage: varnelle-xserver [--screen WIDTHxHEIGHT] [--wm NAME] COMMAND [ARG...]
//
// The command gets DISPLAY and our standard streams; we exit with its status
// (128 plus the signal's number if a signal ended it). The screen is
// 1280x1024 unless given; the managers: openbox, xfwm4, mutter, fluxbox, icewm.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "drive.h"

namespace {

const int usageStatus = 2;
const int failureStatus = 1;
const int signalStatusBase = 128;

// Ctrl-C reaches the command, which ends; this program lives on to stop
// the server.
void keepGoing(int)
{
}

} // namespace

int main(int argc, char** argv)
{
    int width = drive::defaultScreenWidth;
    int height = drive::defaultScreenHeight;
    std::string manager;
    int first = 1;
    for (; first + 1 < argc && strncmp(argv[first], "--", 2) == 0; first += 2) {
        std::string option = argv[first];
        if (option == "--screen" && sscanf(argv[first + 1], "%dx%d", &width, &height) == 2) {
            continue;
        }
        if (option == "--wm") {
            manager = argv[first + 1];
            continue;
        }
        first = argc;
    }
    if (first >= argc) {
        fprintf(stderr, "usage: varnelle-xserver [--screen WIDTHxHEIGHT] [--wm NAME] "
                        "COMMAND [ARG...]\n");
        return usageStatus;
    }
    try {
        drive::Server server(width, height, manager);
        signal(SIGINT, keepGoing);
        signal(SIGTERM, keepGoing);
        pid_t child = fork();
        if (child < 0) {
            fprintf(stderr, "varnelle-xserver: cannot start %s: %s\n", argv[first], strerror(errno));
            return failureStatus;
        }
        if (child == 0) {
            setenv("DISPLAY", server.display().c_str(), 1);
            execvp(argv[first], argv + first);
            fprintf(stderr, "varnelle-xserver: cannot run %s: %s\n", argv[first], strerror(errno));
            _exit(failureStatus);
        }
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : signalStatusBase + WTERMSIG(status);
    } catch (const std::exception& failure) {
        fprintf(stderr, "varnelle-xserver: %s\n", failure.what());
        return failureStatus;
    }
}
