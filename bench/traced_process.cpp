// Varnelle benchmark: starting a program on a pseudo-terminal and reading
// its trace and its /proc figures.
#include "traced_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <poll.h>
#include <pty.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

const int readChunk = 4096;
// How long a program gets to end after SIGTERM before SIGKILL.
const std::chrono::milliseconds stopGrace(2000);
const std::chrono::milliseconds reapPoll(5);
// Fields of /proc/PID/stat counted from the first one after the command
// name, which ends with the last ')': utime and stime (fields 14 and 15 of
// the file) are the 12th and 13th.
const int utimeAfterName = 12;
const int stimeAfterName = 13;

long long monotonicNanos()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long nanosPerSecond = 1000000000LL;
    return static_cast<long long>(now.tv_sec) * nanosPerSecond + now.tv_nsec;
}

std::string procPath(pid_t pid, const char* leaf)
{
    return "/proc/" + std::to_string(pid) + "/" + leaf;
}

} // namespace

TracedProcess::TracedProcess(const std::vector<std::string>& command)
{
    if (command.empty()) {
        throw std::runtime_error("no command to start");
    }
    // Built before the fork, so the child only stamps the time and execs.
    std::vector<char*> arguments;
    for (const std::string& word : command) {
        arguments.push_back(const_cast<char*>(word.c_str()));
    }
    arguments.push_back(nullptr);

    void* shared = mmap(nullptr, sizeof(long long), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) {
        throw std::runtime_error("mmap failed");
    }
    sharedExecNanos = static_cast<long long*>(shared);
    *sharedExecNanos = 0;

    childPid = forkpty(&masterFd, nullptr, nullptr, nullptr);
    if (childPid < 0) {
        throw std::runtime_error(std::string("forkpty: ") + strerror(errno));
    }
    if (childPid == 0) {
        *sharedExecNanos = monotonicNanos();
        execvp(arguments[0], arguments.data());
        perror(arguments[0]);
        _exit(127);
    }
    lastRead = std::chrono::steady_clock::now();
}

TracedProcess::~TracedProcess()
{
    stop();
    if (masterFd >= 0) {
        close(masterFd);
    }
    munmap(sharedExecNanos, sizeof(long long));
}

TimePoint TracedProcess::execTime() const
{
    // steady_clock is CLOCK_MONOTONIC on Linux, so the two compare directly.
    return TimePoint(std::chrono::nanoseconds(*sharedExecNanos));
}

bool TracedProcess::readSome(std::chrono::milliseconds timeout)
{
    pollfd entry{masterFd, POLLIN, 0};
    int ready = poll(&entry, 1, static_cast<int>(timeout.count()));
    if (ready <= 0) {
        return false;
    }
    char chunk[readChunk] = {};
    ssize_t got = read(masterFd, chunk, sizeof chunk);
    if (got <= 0) {
        return false;
    }
    lastRead = std::chrono::steady_clock::now();
    pending.append(chunk, static_cast<size_t>(got));
    return true;
}

bool TracedProcess::takeLine(std::string& line)
{
    size_t end = pending.find('\n');
    if (end == std::string::npos) {
        return false;
    }
    line = pending.substr(0, end);
    pending.erase(0, end + 1);
    // The terminal turns each newline into carriage return and newline.
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    allLines += line + "\n";
    return true;
}

bool TracedProcess::waitForLine(const std::string& wanted, std::chrono::milliseconds timeout,
                                TimePoint& seen)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string line;
    for (;;) {
        while (takeLine(line)) {
            if (line == wanted) {
                seen = lastRead;
                return true;
            }
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !readSome(left)) {
            return false;
        }
    }
}

bool TracedProcess::waitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string line;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!readSome(quiet)) {
            while (takeLine(line)) {
            }
            return true;
        }
        while (takeLine(line)) {
        }
    }
    return false;
}

int TracedProcess::countLinesDuring(std::chrono::milliseconds period)
{
    int before = static_cast<int>(std::count(allLines.begin(), allLines.end(), '\n'));
    auto deadline = std::chrono::steady_clock::now() + period;
    std::string line;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        if (!readSome(left)) {
            // Timed out, or the program's output ended: wait out the period.
            std::this_thread::sleep_until(deadline);
            break;
        }
        while (takeLine(line)) {
        }
    }
    return static_cast<int>(std::count(allLines.begin(), allLines.end(), '\n')) - before;
}

int TracedProcess::linesSeen(const std::string& wanted) const
{
    std::istringstream lines(allLines);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        count += line == wanted ? 1 : 0;
    }
    return count;
}

int TracedProcess::linesStartingWith(const std::string& prefix) const
{
    std::istringstream lines(allLines);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        count += line.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    }
    return count;
}

std::vector<long> TracedProcess::statFields() const
{
    std::ifstream stat(procPath(childPid, "stat"));
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos) {
        throw std::runtime_error("cannot read " + procPath(childPid, "stat"));
    }
    // Index 0 is unused, so that fields keep their numbers after the name.
    std::vector<long> fields{0};
    std::istringstream words(text.substr(nameEnd + 1));
    std::string word;
    while (words >> word && static_cast<int>(fields.size()) <= stimeAfterName) {
        // The state field is a letter; it reads as 0.
        fields.push_back(strtol(word.c_str(), nullptr, 10));
    }
    if (static_cast<int>(fields.size()) <= stimeAfterName) {
        throw std::runtime_error("short " + procPath(childPid, "stat"));
    }
    return fields;
}

long TracedProcess::cpuTicks() const
{
    std::vector<long> fields = statFields();
    return fields[utimeAfterName] + fields[stimeAfterName];
}

long TracedProcess::statusKb(const std::string& wanted) const
{
    std::ifstream status(procPath(childPid, "status"));
    std::string key;
    while (status >> key) {
        if (key == wanted + ":") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(readChunk, '\n');
    }
    throw std::runtime_error("no " + wanted + " in " + procPath(childPid, "status"));
}

void TracedProcess::stop()
{
    if (childPid <= 0) {
        return;
    }
    kill(childPid, SIGTERM);
    auto deadline = std::chrono::steady_clock::now() + stopGrace;
    int status = 0;
    while (waitpid(childPid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(childPid, SIGKILL);
            waitpid(childPid, &status, 0);
            break;
        }
        // Keep the terminal drained so the program is never blocked writing.
        readSome(reapPoll);
        pending.clear();
    }
    childPid = -1;
}
