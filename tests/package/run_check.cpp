// The installed viewer, run the way a user meets it: started through a
// launcher prefix (such as chroot ROOT /usr/bin/varnelle) on a private X
// server, its window's title, its first trace lines and its end on Escape
// checked. Prints what it saw; exits 0 only when every check holds.
// Usage: varnelle_package_check LAUNCHER... COMMAND
#include <drive.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

const std::string expectedTitle = "Varnelle en OpenGL ";
const int screenWidth = 1280;
const int screenHeight = 1024;
// Generous: the first start in a fresh root loads Mesa's driver from cold.
const drive::Milliseconds startTimeout{30000};
const drive::Milliseconds lineTimeout{10000};
const drive::Milliseconds exitTimeout{10000};

int failures = 0;

void check(bool holds, const std::string& what)
{
    std::printf("run-check: %s: %s\n", holds ? "ok" : "FAILED", what.c_str());
    if (!holds) {
        ++failures;
    }
}

int runCheck(const std::vector<std::string>& launcher, const std::string& command)
{
    drive::Server server(screenWidth, screenHeight);
    drive::Launch launch;
    launch.launcher = launcher;
    launch.command = {command};
    launch.environment = {{"DISPLAY", server.display()}};
    launch.output = drive::Output::terminal;
    drive::Program viewer(launch);

    drive::Desktop& desktop = server.desktop();
    const drive::WindowId window = desktop.waitForWindow(expectedTitle, viewer, startTimeout);
    check(window != 0, "a window titled \"" + expectedTitle + "\" is shown");
    if (window == 0) {
        return 1;
    }
    check(desktop.title(window) == expectedTitle, "its title is \"" + desktop.title(window) + "\"");

    const bool firstFrame = viewer.waitForLineCount(2, lineTimeout);
    const std::vector<std::string>& lines = viewer.lines();
    check(firstFrame && lines[0] == "RO" && lines[1] == "D",
          "the trace begins with RO then D");

    desktop.focus(window);
    desktop.pressKey("Escape");
    const int status = viewer.waitForExit(exitTimeout);
    check(status == 0, "Escape ends it with status " + std::to_string(status));
    check(!viewer.lines().empty() && viewer.lines().back() == "K", "its last trace line is K");

    if (failures > 0) {
        std::printf("run-check: the trace was:\n");
        for (const std::string& line : viewer.lines()) {
            std::printf("  %s\n", line.c_str());
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LAUNCHER... COMMAND\n", argv[0]);
        return 2;
    }
    const std::vector<std::string> launcher(argv + 1, argv + argc - 1);
    try {
        return runCheck(launcher, argv[argc - 1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "run-check: %s\n", error.what());
        return 1;
    }
}
