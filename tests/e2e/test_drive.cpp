// The driver's own promises that the viewer's tests do not reach: a launcher
// and environment changes, lines read live with carriage returns taken off
// on every kind of output, a program that outlives its time-out, and a
// window manager that cannot start, named in the failure.
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <fstream>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "drive.h"

namespace {

using drive::Milliseconds;

const Milliseconds timeout(5000);

TEST(Drive, LinesArriveLiveWithoutCarriageReturnsOnEveryOutput)
{
    // The second line comes this long after the first (the sleep below).
    const Milliseconds gap(300);
    const int status = 3;
    const drive::Output outputs[] = {drive::Output::terminal, drive::Output::pipe,
                                     drive::Output::file};
    setenv("VARNELLE_DRIVE_GONE", "still here", 1);
    for (drive::Output output : outputs) {
        SCOPED_TRACE(static_cast<int>(output));
        drive::Launch launch;
        launch.launcher = {"env", "FROM_LAUNCHER=yes"};
        launch.command = {"sh", "-c",
                          "printf '%s %s %s\\r\\n' \"$FROM_LAUNCHER\" \"$SET\" "
                          "\"${VARNELLE_DRIVE_GONE:-unset}\"; sleep 0.3; echo late; exit " +
                              std::to_string(status)};
        launch.environment = {{"SET", "set"}, {"VARNELLE_DRIVE_GONE", std::nullopt}};
        launch.output = output;
        drive::Program program(launch);
        auto first = program.waitForLine("yes set unset", timeout);
        ASSERT_TRUE(first.has_value()) << program.output();
        EXPECT_EQ(program.lines().size(), 1u) << "read before the second is written";
        auto late = program.waitForLine("late", timeout);
        ASSERT_TRUE(late.has_value());
        EXPECT_GE(*late - *first, gap / 2) << "each line is stamped when it is read";
        EXPECT_EQ(program.waitForExit(timeout), status);
    }
    unsetenv("VARNELLE_DRIVE_GONE");
}

TEST(Drive, AProgramThatOutlivesItsTimeOutIsLeftRunningUntilStopped)
{
    drive::Launch launch;
    launch.command = {"sleep", "30"};
    launch.output = drive::Output::pipe;
    drive::Program program(launch);
    EXPECT_EQ(program.waitForExit(Milliseconds(100)), drive::stillRunning);
    EXPECT_TRUE(program.running());
    program.stop();
    EXPECT_FALSE(program.running());
}

TEST(Drive, ALaunchThatCannotStartEndsAtOnceNamingTheCommand)
{
    drive::Launch launch;
    launch.command = {"varnelle-no-such-program"};
    launch.output = drive::Output::pipe;
    launch.errors = drive::Errors::file;
    drive::Program program(launch);
    const int cannotRun = 127;
    EXPECT_EQ(program.waitForExit(timeout), cannotRun);
    EXPECT_NE(program.errorOutput().find("varnelle-no-such-program"), std::string::npos)
        << program.errorOutput();
}

TEST(Drive, TheGeometryOfAWindowThatHasGoneIsAnErrorNotZeros)
{
    const int side = 200;
    drive::Server server(side, side);
    // Beyond the ids of every client a fresh server has: no window has it.
    const drive::WindowId goneWindow = 0x1fffffff;
    EXPECT_THROW(server.desktop().geometry(goneWindow), std::runtime_error);
    EXPECT_FALSE(server.desktop().viewable(goneWindow));
    // The connection goes on answering.
    EXPECT_EQ(server.desktop().screen().width, side);
}

TEST(Drive, AWindowManagerThatCannotStartIsNamedWithWhatItSaid)
{
    // A fluxbox that ends at once, found first on PATH.
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("varnelle-drive-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "fluxbox") << "#!/bin/sh\necho 'no configuration for you' >&2\nexit 1\n";
    std::filesystem::permissions(folder / "fluxbox", std::filesystem::perms::owner_all);
    std::string path = getenv("PATH");
    setenv("PATH", (folder.string() + ":" + path).c_str(), 1);
    std::string message;
    try {
        const int side = 200;
        drive::Server server(side, side, "fluxbox");
    } catch (const std::exception& failure) {
        message = failure.what();
    }
    setenv("PATH", path.c_str(), 1);
    std::filesystem::remove_all(folder);
    EXPECT_NE(message.find("fluxbox"), std::string::npos) << message;
    EXPECT_NE(message.find("no configuration for you"), std::string::npos) << message;
}

} // namespace
