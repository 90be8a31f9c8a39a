// Varnelle benchmark: a program started on a pseudo-terminal, so that its
// trace (which the program never flushes) arrives line by line as it is
// written, each line stamped with the time it was read; and the figures the
// kernel keeps about it in /proc.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

typedef std::chrono::steady_clock::time_point TimePoint;

class TracedProcess {
public:
    // Start the command (a program, found on PATH, and its arguments).
    // execTime() is taken in the child right before the exec call.
    explicit TracedProcess(const std::vector<std::string>& command);
    // Ends the program if it still runs.
    ~TracedProcess();

    TracedProcess(const TracedProcess&) = delete;
    TracedProcess& operator=(const TracedProcess&) = delete;

    pid_t pid() const { return childPid; }
    TimePoint execTime() const;

    // Wait for the next trace line that is exactly `line`, passing over
    // others. Returns false on timeout or end of output; `seen` is the time
    // at which the line was read.
    bool waitForLine(const std::string& line, std::chrono::milliseconds timeout, TimePoint& seen);
    // Wait until no output arrives for `quiet`, giving up after `timeout`.
    bool waitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout);
    // Read whatever arrives during `period`; returns the number of lines.
    int countLinesDuring(std::chrono::milliseconds period);
    // Everything read so far, for error reports.
    std::string transcript() const { return allLines + pending; }
    // Lines read so far that were exactly `line`.
    int linesSeen(const std::string& line) const;
    // Lines read so far that started with `prefix`.
    int linesStartingWith(const std::string& prefix) const;

    // User plus system CPU time of all the program's threads, in clock ticks.
    long cpuTicks() const;
    // A figure in kB from /proc/PID/status, such as "VmRSS" (the resident
    // set) or "RssAnon" (its anonymous part: heap, stacks, private data).
    long statusKb(const std::string& key) const;

    // End the program (SIGTERM, then SIGKILL) and reap it.
    void stop();

private:
    // Read what is available within `timeout`; false on timeout or end.
    bool readSome(std::chrono::milliseconds timeout);
    // The numeric fields of /proc/PID/stat after the command name, numbered
    // from 1.
    std::vector<long> statFields() const;
    // Take the next complete line from the buffer, if there is one.
    bool takeLine(std::string& line);

    pid_t childPid = -1;
    int masterFd = -1;
    // Shared with the child: its clock just before exec, in nanoseconds.
    long long* sharedExecNanos = nullptr;
    std::string pending;
    std::string allLines;
    TimePoint lastRead;
};
