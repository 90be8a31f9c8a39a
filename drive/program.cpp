// A program started from outside: its launch, its output read live line by
// line, its end, and the figures the kernel keeps about it in /proc.
#include "drive.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace drive {

namespace {

const int readChunk = 4096;
// The status of a child that could not exec its program, as shells give.
const int cannotRun = 127;
// How often output is looked at while waiting.
const Milliseconds pollStep(5);
// How long a program gets to end after SIGTERM before SIGKILL.
const Milliseconds stopGrace(2000);
// How long the rest of the output may take to arrive once a program ended.
const Milliseconds drainLimit(2000);
// Fields of /proc/PID/stat counted from the first one after the command
// name, which ends with the last ')': utime and stime (fields 14 and 15 of
// the file) are the 12th and 13th.
const int utimeAfterName = 12;
const int stimeAfterName = 13;

std::runtime_error failure(const std::string& what)
{
    return std::runtime_error(what + ": " + strerror(errno));
}

// A descriptor of this process's, closed when it goes out of scope.
struct OwnedDescriptor {
    int fd = -1;
    OwnedDescriptor() = default;
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
    ~OwnedDescriptor()
    {
        if (fd >= 0) {
            close(fd);
        }
    }
};

} // namespace

std::string temporaryFolder()
{
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
}

namespace {

// An unlinked temporary file, open for writing; `reader` gets a second
// descriptor with an offset of its own.
int temporaryFile(int& reader)
{
    std::string name = temporaryFolder() + "/varnelle-drive-XXXXXX";
    std::vector<char> path(name.c_str(), name.c_str() + name.size() + 1);
    int writer = mkostemp(path.data(), O_CLOEXEC);
    if (writer < 0) {
        throw failure("cannot make a temporary file");
    }
    reader = open(path.data(), O_RDONLY | O_CLOEXEC);
    int openError = errno;
    unlink(path.data());
    if (reader < 0) {
        close(writer);
        errno = openError;
        throw failure(std::string("cannot read back the temporary file ") + path.data());
    }
    return writer;
}

// The environment for the child: this process's, with the launch's changes.
std::vector<std::string> environmentFor(const Launch& launch)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        result.emplace_back(*entry);
    }
    for (const Variable& change : launch.environment) {
        std::string prefix = change.name + "=";
        result.erase(std::remove_if(result.begin(), result.end(),
                                    [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }),
                     result.end());
        if (change.value) {
            result.push_back(prefix + *change.value);
        }
    }
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& words)
{
    std::vector<char*> result;
    for (std::string& word : words) {
        result.push_back(word.data());
    }
    result.push_back(nullptr);
    return result;
}

// The whole of a file, or "" if it cannot be read.
std::string fileText(const std::string& path)
{
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string procPath(int pid, const char* leaf)
{
    return "/proc/" + std::to_string(pid) + "/" + leaf;
}

} // namespace

Program::Program(const Launch& launch)
{
    // Whatever was made before a failure is given back, as the destructor
    // does not run for an object that was never made.
    try {
        start(launch);
    } catch (...) {
        release();
        throw;
    }
}

void Program::start(const Launch& launch)
{
    // Everything is built before the fork, so that the child only moves
    // descriptors, stamps the time and execs.
    std::vector<std::string> words = launch.launcher;
    words.insert(words.end(), launch.command.begin(), launch.command.end());
    if (words.empty()) {
        throw std::runtime_error("no command to start");
    }
    std::vector<char*> argv = pointers(words);
    std::vector<std::string> variables = environmentFor(launch);
    std::vector<char*> envp = pointers(variables);

    void* shared = mmap(nullptr, sizeof(long long), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) {
        throw failure("cannot share memory with " + words[0]);
    }
    sharedExecNanos = static_cast<long long*>(shared);
    *sharedExecNanos = 0;

    // The descriptors the child writes its output and errors to, if any;
    // ours are closed once the child has its copies.
    OwnedDescriptor childOutput;
    OwnedDescriptor childErrors;
    if (launch.output == Output::pipe) {
        int ends[2] = {-1, -1};
        if (pipe2(ends, O_CLOEXEC) != 0) {
            throw failure("cannot make a pipe");
        }
        outputFd = ends[0];
        childOutput.fd = ends[1];
    } else if (launch.output == Output::file) {
        childOutput.fd = temporaryFile(outputFd);
        outputIsFile = true;
    }
    if (launch.errors == Errors::file) {
        childErrors.fd = temporaryFile(errorFd);
    }

    if (launch.output == Output::terminal) {
        // Raw, so that lines end in "\n" alone, as written.
        termios mode{};
        cfmakeraw(&mode);
        processId = forkpty(&outputFd, nullptr, &mode, nullptr);
        if (processId > 0) {
            fcntl(outputFd, F_SETFD, FD_CLOEXEC);
        }
    } else {
        processId = fork();
    }
    if (processId < 0) {
        throw failure("cannot start " + words[0]);
    }
    if (processId > 0 && launch.output != Output::terminal) {
        // Also here, so that stop() finds the group whoever runs first.
        setpgid(processId, processId);
    }
    group = processId;
    if (processId == 0) {
        // A process group of its own, that stop() ends whole; the terminal
        // already made it the leader of a session.
        if (launch.output != Output::terminal) {
            setpgid(0, 0);
            // Opened close-on-exec: only the copies on 0 and 1 stay.
            int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
            int full = launch.output == Output::full ? open("/dev/full", O_WRONLY | O_CLOEXEC)
                                                     : devNull;
            if (devNull < 0 || full < 0) {
                dprintf(STDERR_FILENO, "cannot start %s: no /dev/null or /dev/full: %s\n", argv[0],
                        strerror(errno));
                _exit(cannotRun);
            }
            dup2(devNull, STDIN_FILENO);
            if (launch.output == Output::closed) {
                close(STDOUT_FILENO);
            } else if (launch.output == Output::full) {
                dup2(full, STDOUT_FILENO);
            } else {
                dup2(childOutput.fd, STDOUT_FILENO);
            }
            if (launch.errors == Errors::file) {
                dup2(childErrors.fd, STDERR_FILENO);
            }
        }
        *sharedExecNanos = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               Clock::now().time_since_epoch()).count();
        execvpe(argv[0], argv.data(), envp.data());
        dprintf(STDERR_FILENO, "cannot run %s: %s\n", argv[0], strerror(errno));
        _exit(cannotRun);
    }
}

void Program::release()
{
    closeOutput();
    if (errorFd >= 0) {
        close(errorFd);
        errorFd = -1;
    }
    if (sharedExecNanos != nullptr) {
        munmap(sharedExecNanos, sizeof(long long));
        sharedExecNanos = nullptr;
    }
}

Program::~Program()
{
    stop();
    release();
}

Clock::time_point Program::execTime() const
{
    return Clock::time_point(std::chrono::nanoseconds(*sharedExecNanos));
}

std::string Program::errorOutput() const
{
    return errorFd < 0 ? "" : fileText("/proc/self/fd/" + std::to_string(errorFd));
}

void Program::closeOutput()
{
    if (outputFd >= 0) {
        close(outputFd);
        outputFd = -1;
    }
}

bool Program::readSome(Milliseconds wait)
{
    if (outputFd < 0) {
        std::this_thread::sleep_for(wait);
        return false;
    }
    char chunk[readChunk];
    ssize_t count = 0;
    if (outputIsFile) {
        // A file is always readable: look at it in steps until it grows, and
        // close it once the program has ended and all of it is read.
        auto end = Clock::now() + wait;
        bool ended = false;
        while ((count = read(outputFd, chunk, sizeof chunk)) == 0 && !ended) {
            ended = !running();
            if (!ended && Clock::now() >= end) {
                return false;
            }
            if (!ended) {
                std::this_thread::sleep_for(std::min(pollStep, wait));
            }
        }
    } else {
        pollfd entry{outputFd, POLLIN, 0};
        if (poll(&entry, 1, static_cast<int>(wait.count())) <= 0) {
            return false;
        }
        count = read(outputFd, chunk, sizeof chunk);
    }
    if (count <= 0) {
        // The program has gone and the terminal, pipe or file is done.
        closeOutput();
        return false;
    }
    bytes.append(chunk, static_cast<size_t>(count));
    pending.append(chunk, static_cast<size_t>(count));
    takeLines();
    return true;
}

void Program::takeLines()
{
    Clock::time_point now = Clock::now();
    size_t end = 0;
    while ((end = pending.find('\n')) != std::string::npos) {
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lineTexts.push_back(line);
        lineTimes.push_back(now);
    }
}

bool Program::readUntil(Milliseconds timeout, const std::function<bool()>& done)
{
    auto end = Clock::now() + timeout;
    for (auto now = Clock::now(); !done(); now = Clock::now()) {
        if (now >= end) {
            return false;
        }
        readSome(std::min(pollStep, std::chrono::duration_cast<Milliseconds>(end - now)));
    }
    return true;
}

void Program::readFor(Milliseconds period)
{
    readUntil(period, [] { return false; });
}

std::optional<Clock::time_point> Program::waitForLine(const std::string& text, Milliseconds timeout)
{
    std::optional<Clock::time_point> found;
    readUntil(timeout, [&] {
        for (; !found && nextLine < lineTexts.size(); ++nextLine) {
            found = lineTexts[nextLine] == text ? std::optional(lineTimes[nextLine]) : found;
        }
        return found || outputFd < 0;
    });
    return found;
}

bool Program::waitForLineCount(size_t count, Milliseconds timeout)
{
    readUntil(timeout, [&] { return lineTexts.size() >= count || !running(); });
    return lineTexts.size() >= count;
}

bool Program::waitForQuiet(Milliseconds quiet, Milliseconds timeout)
{
    auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
        if (!readSome(quiet)) {
            return true;
        }
    }
    return false;
}

bool Program::running()
{
    if (processId > 0 && waitpid(processId, &status, WNOHANG) == processId) {
        processId = -1;
    }
    return processId > 0;
}

int Program::waitForExit(Milliseconds timeout)
{
    if (!readUntil(timeout, [&] { return !running(); })) {
        return stillRunning;
    }
    // Read what it wrote before it ended.
    readUntil(drainLimit, [&] { return outputFd < 0; });
    return WIFEXITED(status) ? WEXITSTATUS(status) : endedBySignal;
}

void Program::stop()
{
    if (group <= 0) {
        return;
    }
    kill(-group, SIGTERM);
    // Wait for it and for the rest of its group, such as the services a
    // session bus started, which may still write to HOME as they end.
    // Reading meanwhile, so that it is never blocked writing.
    readUntil(stopGrace, [&] { return !running() && kill(-group, 0) != 0; });
    kill(-group, SIGKILL);
    if (running()) {
        waitpid(processId, &status, 0);
        processId = -1;
    }
    group = -1;
}

long Program::cpuTicks() const
{
    std::string text = fileText(procPath(processId, "stat"));
    size_t nameEnd = text.rfind(')');
    std::istringstream words(nameEnd == std::string::npos ? "" : text.substr(nameEnd + 1));
    std::string word;
    long ticks = 0;
    for (int field = 1; field <= stimeAfterName; ++field) {
        if (!(words >> word)) {
            throw std::runtime_error("cannot read " + procPath(processId, "stat"));
        }
        ticks += field >= utimeAfterName ? strtol(word.c_str(), nullptr, 10) : 0;
    }
    return ticks;
}

long processStatusKb(int pid, const std::string& key)
{
    std::ifstream file(procPath(pid, "status"));
    std::string name;
    while (file >> name) {
        if (name == key + ":") {
            long kb = 0;
            file >> kb;
            return kb;
        }
        file.ignore(readChunk, '\n');
    }
    throw std::runtime_error("no " + key + " in " + procPath(pid, "status"));
}

} // namespace drive
