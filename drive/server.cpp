// A private X server (Xvfb) of a given screen size, with a window manager
// when one is named, each started and ended with the server.
#include "drive.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>

namespace drive {

namespace {

// How long the server and the window manager get to be ready, and the
// slices in which the manager is looked at.
const Milliseconds startTimeout(20000);
const Milliseconds managerSlice(500);
const int colourDepth = 24;

// The commands that start each window manager. xfwm4 and mutter want a
// session bus of their own; mutter runs as a plain X11 window manager.
const std::map<std::string, std::vector<std::string>> managerCommands = {
    {"openbox", {"openbox", "--sm-disable"}},
    {"xfwm4", {"dbus-run-session", "xfwm4", "--compositor=off"}},
    {"mutter", {"dbus-run-session", "mutter", "--x11", "--replace", "--sm-disable"}},
    {"fluxbox", {"fluxbox"}},
    {"icewm", {"icewm"}},
};

// The last lines a program wrote to its standard error, for a message.
std::string lastWords(const Program& program)
{
    const size_t shown = 600;
    std::string text = program.errorOutput();
    return text.size() > shown ? "..." + text.substr(text.size() - shown) : text;
}

} // namespace

Server::Server(int width, int height, const std::string& windowManager)
{
    auto command = managerCommands.find(windowManager);
    if (!windowManager.empty() && command == managerCommands.end()) {
        throw std::runtime_error("no window manager named " + windowManager);
    }
    // -displayfd 1: the server picks a free display and writes its number
    // on standard output once it accepts clients.
    Launch server;
    server.command = {"Xvfb", "-displayfd", "1", "-screen", "0",
                      std::to_string(width) + "x" + std::to_string(height) + "x" +
                          std::to_string(colourDepth),
                      "-nolisten", "tcp", "-noreset"};
    server.output = Output::pipe;
    server.errors = Errors::file;
    xvfb = std::make_unique<Program>(server);
    if (!xvfb->waitForLineCount(1, startTimeout)) {
        throw std::runtime_error("the virtual X server Xvfb did not start: " + lastWords(*xvfb));
    }
    displayName = ":" + xvfb->lines().front();
    connection = std::make_unique<Desktop>(displayName);
    if (windowManager.empty()) {
        return;
    }

    std::string name = temporaryFolder() + "/varnelle-home-XXXXXX";
    std::vector<char> folder(name.c_str(), name.c_str() + name.size() + 1);
    if (mkdtemp(folder.data()) == nullptr) {
        throw std::runtime_error(std::string("no HOME folder for ") + windowManager + ": " +
                                 strerror(errno));
    }
    home = folder.data();
    try {
        startManager(windowManager, command->second);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
        throw;
    }
}

void Server::startManager(const std::string& name, const std::vector<std::string>& command)
{
    Launch start;
    start.command = command;
    start.environment = {{"DISPLAY", displayName}, {"HOME", home},
                         {"XDG_CONFIG_HOME", std::nullopt}, {"XDG_DATA_HOME", std::nullopt},
                         {"XDG_CACHE_HOME", std::nullopt}};
    start.output = Output::file;
    start.errors = Errors::file;
    manager = std::make_unique<Program>(start);
    // Looked at in slices, so that a manager that ends is seen at once.
    auto end = Clock::now() + startTimeout;
    bool managing = false;
    while (!managing && manager->running() && Clock::now() < end) {
        managing = connection->managesWindows(managerSlice);
    }
    if (!managing) {
        std::string state = manager->running() ? "maps no window" : "ended";
        throw std::runtime_error("the window manager " + name + " " + state +
                                 " after it was started: " + lastWords(*manager));
    }
}

Server::~Server()
{
    if (manager) {
        manager->stop();
    }
    connection.reset();
    if (xvfb) {
        xvfb->stop();
    }
    if (!home.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    }
}

} // namespace drive
