// Varnelle documentation program: applies every camera station to every
// window shape in a real GLUT window, reads back what OpenGL got, draws the
// scene and the station's viewing volume from outside, and writes the
// pictures and the figures of the page that shows them.
//
// Usage: varnelle_stations DOCS_DIR VALUES_DIR
// Writes DOCS_DIR/stations/station-N-WxH.png, and into VALUES_DIR the values
// of the page's template, stations.md.in (make stations fills it into
// DOCS_DIR/stations.md). It needs an X display (make stations runs it on a
// private one). The stations' trace lines go to standard output as in the
// viewer.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <sys/stat.h>

#include "calls.h"
#include "camera/camera.h"
#include "drive.h"
#include "glut_window.h"
#include "observer.h"
#include "page.h"
#include "render/render.h"
#include "volume.h"

namespace {

// How long to wait for the X server to give the window a new size.
const auto resizeTimeout = std::chrono::seconds(10);
const auto resizePoll = std::chrono::milliseconds(2);
const char pictureFolder[] = "stations";
// Permissions of the folders made, before the umask.
const mode_t folderMode = 0777;

// GLUT wants callbacks; this program draws when it chooses, not when asked.
void ignoreDisplay() {}
void ignoreReshape(int, int) {}

// Give the window a size and wait until GLUT reports it.
bool resizeWindow(int width, int height)
{
    glutReshapeWindow(width, height);
    auto end = std::chrono::steady_clock::now() + resizeTimeout;
    while (std::chrono::steady_clock::now() < end) {
        glutMainLoopEvent();
        if (glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height) {
            return true;
        }
        std::this_thread::sleep_for(resizePoll);
    }
    return false;
}

// What the window shows once the picture drawn is swapped to the front.
drive::Picture shownPicture(int width, int height)
{
    glutSwapBuffers();
    glFinish();
    Display* connection = glXGetCurrentDisplay();
    XSync(connection, False);
    return drive::readWindow(connection, glXGetCurrentDrawable(), {0, 0, width, height});
}

// Apply one station to one window shape and picture it from outside.
bool showStation(int station, int width, int height, const std::string& docsDir,
                 ShapeResult& result)
{
    if (!resizeWindow(width, height)) {
        std::fprintf(stderr, "stations: the window never became %dx%d\n", width, height);
        return false;
    }
    result.width = width;
    result.height = height;
    beginCallRecord();
    stationHandlers[station](width, height);
    result.calls = endCallRecord();
    result.readBack = readBackStation();
    result.volume.perspective = station != 0;
    result.volume.corners = volumeCorners(result.readBack.projection, result.readBack.modelview);
    result.volume.eye = eyePosition(result.readBack.modelview);

    if (!resizeWindow(observerWidth, observerHeight)) {
        std::fprintf(stderr, "stations: the window never became the picture's size\n");
        return false;
    }
    std::string caption = "Station " + std::to_string(station) + ", window " +
                          std::to_string(width) + "x" + std::to_string(height);
    drawObserverPicture(result.volume, caption);
    drive::Picture picture = shownPicture(observerWidth, observerHeight);
    result.picture = std::string(pictureFolder) + "/station-" + std::to_string(station) + "-" +
                     std::to_string(width) + "x" + std::to_string(height) + ".png";
    std::string path = docsDir + "/" + result.picture;
    try {
        drive::savePng(picture, path);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "stations: %s\n", failure.what());
        return false;
    }
    std::printf("stations: wrote %s\n", path.c_str());
    return glGetError() == GL_NO_ERROR;
}

} // namespace

int main(int argc, char** argv)
{
    openWindowAsTheViewerDoes(&argc, argv, "Varnelle stations", observerWidth, observerHeight, 0, 0);
    const int expectedArguments = 3;
    if (argc != expectedArguments) {
        std::fprintf(stderr, "usage: varnelle_stations DOCS_DIR VALUES_DIR\n");
        return 2;
    }
    std::string docsDir = argv[1];
    std::string valuesDir = argv[2];
    mkdir(docsDir.c_str(), folderMode);
    mkdir((docsDir + "/" + pictureFolder).c_str(), folderMode);

    initRendering();
    glutDisplayFunc(ignoreDisplay);
    glutReshapeFunc(ignoreReshape);

    std::vector<std::vector<ShapeResult>> results(stationCount,
                                                  std::vector<ShapeResult>(shapeCount));
    for (int station = 0; station < stationCount; ++station) {
        for (int shape = 0; shape < shapeCount; ++shape) {
            if (!showStation(station, shapeSizes[shape][0], shapeSizes[shape][1], docsDir,
                             results[station][shape])) {
                return 1;
            }
        }
    }
    mkdir(valuesDir.c_str(), folderMode);
    if (!writeStationsValues(valuesDir, results)) {
        std::fprintf(stderr, "stations: cannot write the page's values into %s\n", valuesDir.c_str());
        return 1;
    }
    std::printf("stations: wrote the page's values into %s\n", valuesDir.c_str());
    return 0;
}
