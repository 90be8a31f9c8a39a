// Varnelle benchmark frame-time driver. Opens a window of the given size,
// prepares it as the viewer does (initRendering, then the orthographic
// station for that size) and times whole frames: the viewer's display()
// followed by glFinish, against the same loop drawing nothing but the clear.
// The two loops alternate in rounds so that load on the machine falls on
// both alike.
//
// Usage: varnelle_frame_time WIDTH HEIGHT ROUNDS FRAMES_PER_ROUND
// Prints, one per line: "renderer TEXT", "size W H", then "scene T..." and
// "clear T...", every frame's time in microseconds, and "resident_kb" with
// the resident memory before the first frame, after the scene's warm-up
// frames and after the clear-only warm-up frames.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <GL/freeglut.h>
#include <unistd.h>

#include "app/app.h"
#include "camera/camera.h"
#include "drive.h"
#include "glut_window.h"
#include "render/render.h"

namespace {

// Frames of each loop run and thrown away first, so that one-off costs
// (shader compilation in the software renderer) stay out of the figures.
const int warmUpFrames = 10;
// How long to wait for the window to show at the asked size.
const std::chrono::seconds showTimeout(10);
const int expectedArguments = 5;

bool windowShown = false;
int shownWidth = 0;
int shownHeight = 0;

void noteShown()
{
    windowShown = true;
}

void noteSize(int width, int height)
{
    shownWidth = width;
    shownHeight = height;
}

// A frame with the viewer's clear and nothing else, ended as display() ends.
void clearFrame()
{
    const GLfloat* background = backgroundColours[viewerState.backgroundIndex];
    glClearColor(background[0], background[1], background[2], background[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFlush();
    glutSwapBuffers();
    glGetError();
}

// Time each frame of one block, from the first call to the end of glFinish.
void timeFrames(void (*frame)(), int count, std::vector<long>& times)
{
    for (int i = 0; i < count; ++i) {
        auto start = std::chrono::steady_clock::now();
        frame();
        glFinish();
        auto end = std::chrono::steady_clock::now();
        times.push_back(static_cast<long>(
            std::chrono::duration_cast<std::chrono::microseconds>(end - start).count()));
    }
}

// This process's resident set size in kB, from /proc.
long residentKb()
{
    return drive::processStatusKb(getpid(), "VmRSS");
}

void printTimes(FILE* out, const char* name, const std::vector<long>& times)
{
    fprintf(out, "%s", name);
    for (long t : times) {
        fprintf(out, " %ld", t);
    }
    fprintf(out, "\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != expectedArguments) {
        fprintf(stderr, "usage: %s WIDTH HEIGHT ROUNDS FRAMES_PER_ROUND\n", argv[0]);
        return 2;
    }
    const int width = atoi(argv[1]);
    const int height = atoi(argv[2]);
    const int rounds = atoi(argv[3]);
    const int framesPerRound = atoi(argv[4]);

    // The results go to the original standard output; the trace that
    // display() writes goes to /dev/null.
    FILE* results = fdopen(dup(STDOUT_FILENO), "w");
    if (results == nullptr || freopen("/dev/null", "w", stdout) == nullptr) {
        perror("varnelle_frame_time");
        return 1;
    }

    int glutArgc = 1;
    openWindowAsTheViewerDoes(&glutArgc, argv, "Varnelle frame time", width, height, 0, 0);
    glutDisplayFunc(noteShown);
    glutReshapeFunc(noteSize);

    // Wait until the window shows at the size asked for.
    auto deadline = std::chrono::steady_clock::now() + showTimeout;
    while (!(windowShown && shownWidth == width && shownHeight == height)) {
        if (std::chrono::steady_clock::now() > deadline) {
            fprintf(stderr, "varnelle_frame_time: window shown %d at %dx%d, asked %dx%d\n",
                    windowShown ? 1 : 0, shownWidth, shownHeight, width, height);
            return 1;
        }
        glutMainLoopEvent();
    }

    initRendering();
    reshapeOrtho(width, height);

    std::vector<long> sceneTimes;
    std::vector<long> clearTimes;
    std::vector<long> discarded;
    std::vector<long> memory{residentKb()};
    timeFrames(display, warmUpFrames, discarded);
    memory.push_back(residentKb());
    timeFrames(clearFrame, warmUpFrames, discarded);
    memory.push_back(residentKb());
    for (int round = 0; round < rounds; ++round) {
        // Swap which loop goes first from one round to the next.
        if (round % 2 == 0) {
            timeFrames(display, framesPerRound, sceneTimes);
            timeFrames(clearFrame, framesPerRound, clearTimes);
        } else {
            timeFrames(clearFrame, framesPerRound, clearTimes);
            timeFrames(display, framesPerRound, sceneTimes);
        }
    }

    fprintf(results, "renderer %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    fprintf(results, "size %d %d\n", width, height);
    printTimes(results, "scene", sceneTimes);
    printTimes(results, "clear", clearTimes);
    printTimes(results, "resident_kb", memory);
    fclose(results);
    return 0;
}
