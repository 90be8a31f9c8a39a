// Varnelle benchmark probe: measures a GLUT program from the outside through
// its trace, read live on a pseudo-terminal, and real key events (XTest).
//
//   varnelle_probe first-frame PROGRAM [ARG...]
//       time from exec to the first "D" (PROGRAM may be a tool such as
//       valgrind that runs the program under test)
//   varnelle_probe session PROGRAM PRESSES FRAMES IDLE_SECONDS
//       first frame; CPU ticks over IDLE_SECONDS of an idle window; PRESSES
//       timed presses of f (key-to-"D" latency, the sender's own cost); more
//       presses up to FRAMES frames, with memory read now and then
//
// Results are printed one per line as "name value...", times in microseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <optional>
#include <thread>
#include <vector>

#include <unistd.h>

#include "drive.h"

namespace {

using std::chrono::milliseconds;

// How long a program gets to show its first frame.
const milliseconds firstFrameTimeout(20000);
// Start-up is over once the trace has been silent this long.
const milliseconds settleQuiet(1000);
const milliseconds settleTimeout(10000);
// How long one key press gets to bring its frame.
const milliseconds frameTimeout(2000);
// Pace of the timed presses, about a fast typist's, so that each press
// meets an idle viewer.
const milliseconds latencyPace(100);
// Pace of the presses that only make frames for the memory figure.
const milliseconds memoryPace(30);
// Resident memory is read after the first frames, where one-off costs show,
// and then after every hundred frames.
const int memoryEarlyFrames[] = {1, 2, 10};
const int memorySampleEvery = 100;
const int sessionArguments = 6;
const int firstFrameArguments = 3;
const int commandStart = 2;

using TimePoint = drive::Clock::time_point;

long microsBetween(TimePoint from, TimePoint to)
{
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::microseconds>(to - from).count());
}

void printList(const char* name, const std::vector<long>& values)
{
    printf("%s", name);
    for (long v : values) {
        printf(" %ld", v);
    }
    printf("\n");
}

// Wait for the program's first "D" and print the time to it since exec;
// false, with what the program wrote, if no frame came.
bool reportFirstFrame(drive::Program& process, const std::string& program)
{
    std::optional<TimePoint> seen = process.waitForLine("D", firstFrameTimeout);
    if (!seen) {
        fprintf(stderr, "varnelle_probe: %s drew no frame; its output:\n%s\n", program.c_str(),
                process.output().c_str());
        return false;
    }
    printf("first_frame_us %ld\n", microsBetween(process.execTime(), *seen));
    return true;
}

int firstFrame(const std::vector<std::string>& command)
{
    drive::Program process(drive::Launch{{}, command});
    return reportFirstFrame(process, command.front()) ? 0 : 1;
}

int session(const std::string& program, int presses, int frames, int idleSeconds)
{
    drive::Program process(drive::Launch{{}, {program}});
    if (!reportFirstFrame(process, program)) {
        return 1;
    }
    if (!process.waitForQuiet(settleQuiet, settleTimeout)) {
        fprintf(stderr, "varnelle_probe: %s kept drawing after start-up\n", program.c_str());
        return 1;
    }
    process.passOver();

    // Idle: the window is shown and nothing happens to it.
    long ticksBefore = process.cpuTicks();
    size_t linesBefore = process.lines().size();
    process.readFor(milliseconds(idleSeconds * 1000));
    int idleLines = static_cast<int>(process.lines().size() - linesBefore);
    long ticksAfter = process.cpuTicks();
    process.passOver();
    printf("idle_ticks %ld\nidle_lines %d\nidle_seconds %d\nclock_ticks_per_second %ld\n",
           ticksAfter - ticksBefore, idleLines, idleSeconds, sysconf(_SC_CLK_TCK));

    // Pairs of frame count and kB: the resident set and its anonymous part.
    // The kernel here may page out cold file-backed pages (code) at any
    // time; with no swap it cannot page out anonymous ones, so a leak shows
    // in RssAnon whatever it does.
    std::vector<long> residentKb;
    std::vector<long> anonymousKb;
    auto readMemory = [&](int frame) {
        residentKb.insert(residentKb.end(), {frame, process.statusKb("VmRSS")});
        anonymousKb.insert(anonymousKb.end(), {frame, process.statusKb("RssAnon")});
    };
    readMemory(0);
    std::vector<long> latencies;
    std::vector<long> senderCosts;
    drive::Desktop desktop(getenv("DISPLAY") != nullptr ? getenv("DISPLAY") : "");
    drive::WindowId window = desktop.windowOfProcess(process.pid());
    if (window == 0) {
        fprintf(stderr, "varnelle_probe: no window with the _NET_WM_PID of %s\n", program.c_str());
        return 1;
    }
    desktop.focus(window);
    for (int frame = 1; frame <= frames; ++frame) {
        bool timed = frame <= presses;
        TimePoint start = std::chrono::steady_clock::now();
        desktop.pressCharacter('f');
        TimePoint sent = std::chrono::steady_clock::now();
        std::optional<TimePoint> seen = process.waitForLine("D", frameTimeout);
        if (!seen) {
            fprintf(stderr, "varnelle_probe: no frame after press %d; output:\n%s\n", frame,
                    process.output().c_str());
            return 1;
        }
        if (timed) {
            latencies.push_back(microsBetween(start, *seen));
            senderCosts.push_back(microsBetween(start, sent));
        }
        // The "D" line starts the frame; by the end of the pause it is drawn,
        // so memory is read between frames, not in the middle of one.
        std::this_thread::sleep_until(start + (timed ? latencyPace : memoryPace));
        bool early = std::find(std::begin(memoryEarlyFrames), std::end(memoryEarlyFrames), frame)
                     != std::end(memoryEarlyFrames);
        if (early || frame % memorySampleEvery == 0) {
            readMemory(frame);
        }
    }
    printList("latency_us", latencies);
    printList("sender_us", senderCosts);
    printList("resident_kb", residentKb);
    printList("anonymous_kb", anonymousKb);
    const std::vector<std::string>& lines = process.lines();
    auto isError = [](const std::string& line) { return line.rfind("Attention", 0) == 0; };
    int errorLines = static_cast<int>(std::count_if(lines.begin(), lines.end(), isError));
    printf("frames %d\nkey_lines %d\nerror_lines %d\n", frames,
           static_cast<int>(std::count(lines.begin(), lines.end(), "K")), errorLines);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        std::string command = argc > 1 ? argv[1] : "";
        if (command == "first-frame" && argc >= firstFrameArguments) {
            return firstFrame(std::vector<std::string>(argv + commandStart, argv + argc));
        }
        if (command == "session" && argc == sessionArguments) {
            return session(argv[2], atoi(argv[3]), atoi(argv[4]), atoi(argv[5]));
        }
    } catch (const std::exception& failure) {
        fprintf(stderr, "varnelle_probe: %s\n", failure.what());
        return 1;
    }
    fprintf(stderr,
            "usage: %s first-frame PROGRAM [ARG...]\n"
            "       %s session PROGRAM PRESSES FRAMES IDLE_SECONDS\n",
            argv[0], argv[0]);
    return 2;
}
