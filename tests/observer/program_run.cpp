// Tests of the documentation program: a temporary folder, and a program run
// to its end.
#include "program_run.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "drive.h"

TemporaryFolder::TemporaryFolder()
{
    std::string name = drive::temporaryFolder() + "/varnelle-stations-XXXXXX";
    std::vector<char> writable(name.c_str(), name.c_str() + name.size() + 1);
    if (mkdtemp(writable.data()) == nullptr) {
        throw std::runtime_error(std::string("cannot make a temporary folder: ") + strerror(errno));
    }
    path = writable.data();
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

int runToEnd(const std::vector<std::string>& command, std::string& output)
{
    drive::Launch launch;
    launch.command = command;
    launch.output = drive::Output::pipe;
    launch.errors = drive::Errors::file;
    drive::Program program(launch);
    // Longest a run may take, milliseconds.
    const drive::Milliseconds timeout(120000);
    int status = program.waitForExit(timeout);
    output = program.output() + program.errorOutput();
    return status;
}
