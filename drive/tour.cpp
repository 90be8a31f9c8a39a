// The headless tour: the real viewer on a private X server under openbox,
// every command stepped through with real key events, a picture of each view.
//
// Usage: varnelle-tour PATH/TO/varnelle OUTPUT_DIR [DOCS_DIR]
//
// Pictures go to OUTPUT_DIR as PNG files; with DOCS_DIR the window-sized ones
// are copied there too, and the full-screen one scaled down to the window's
// width. VARNELLE_SCREEN sets the screen size (1280x1024).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "camera/stations.h"
#include "drive.h"

namespace {

// How long to wait for any one thing the tour waits on.
const drive::Milliseconds timeout(20000);
// Width of the scaled-down full-screen picture for the documentation.
const int docsWidth = 480;
// A station's trace line, as its handler writes it: the orthographic
// station's name alone, a perspective station's with D and its base angle.
std::string stationLine(const Station& s)
{
    if (s.kind == StationKind::orthographic) {
        return s.traceName;
    }
    double d = std::sqrt(s.eye[0] * s.eye[0] + s.eye[1] * s.eye[1] + s.eye[2] * s.eye[2]);
    char line[32] = "";
    std::snprintf(line, sizeof line, "%s %6.2lf %6.2lf", s.traceName, d,
                  s.span / d * degreesPerHalfTurn / piApprox);
    return line;
}

// A station's picture's name.
std::string stationPicture(int station)
{
    return "station-" + std::to_string(station) + "-" +
           (stations[station].kind == StationKind::orthographic ? "orthographic" : "perspective");
}

struct Tour {
    drive::Desktop& desktop;
    drive::Program& viewer;
    drive::WindowId window;
    std::string outDir;

    // Wait for the trace lines in this order; others may come between, such
    // as extra frames that expose events bring.
    void awaitTrace(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines) {
            if (!viewer.waitForLine(line, timeout)) {
                throw std::runtime_error("timed out waiting for the trace line \"" + line + "\"");
            }
        }
    }

    // The space bar is no command: its "K" shows that the viewer has
    // finished everything it was doing before, the last frame included.
    void settle()
    {
        desktop.pressCharacter(' ');
        awaitTrace({"K"});
    }

    void press(char c, const std::vector<std::string>& lines)
    {
        desktop.pressCharacter(c);
        awaitTrace(lines);
    }

    // Settle, then save a picture of the window.
    drive::Picture picture(const std::string& name)
    {
        settle();
        std::string path = outDir + "/" + name + ".png";
        drive::Picture taken = desktop.picture(window);
        drive::savePng(taken, path);
        printf("tour: saved %s\n", path.c_str());
        return taken;
    }

    void awaitGeometry(const drive::Geometry& wanted, const std::string& what)
    {
        if (!viewer.readUntil(timeout, [&] { return desktop.geometry(window) == wanted; })) {
            throw std::runtime_error("timed out waiting for " + what);
        }
    }
};

// The picture scaled down to the width, each pixel the mean of the area
// it covers.
drive::Picture scaledToWidth(const drive::Picture& from, int width)
{
    drive::Picture to;
    to.width = width;
    to.height = from.height * width / from.width;
    for (int y = 0; y < to.height; ++y) {
        for (int x = 0; x < to.width; ++x) {
            int x0 = x * from.width / to.width;
            int x1 = std::max(x0 + 1, (x + 1) * from.width / to.width);
            int y0 = y * from.height / to.height;
            int y1 = std::max(y0 + 1, (y + 1) * from.height / to.height);
            std::array<int, 3> sum{};
            for (int v = y0; v < y1; ++v) {
                for (int u = x0; u < x1; ++u) {
                    for (size_t i = 0; i < sum.size(); ++i) {
                        sum[i] += from.at(u, v)[i];
                    }
                }
            }
            int count = (x1 - x0) * (y1 - y0);
            to.pixels.push_back({(sum[0] + count / 2) / count, (sum[1] + count / 2) / count,
                                 (sum[2] + count / 2) / count});
        }
    }
    return to;
}

void printTrace(FILE* stream, const drive::Program& viewer)
{
    for (const std::string& line : viewer.lines()) {
        fprintf(stream, "    %s\n", line.c_str());
    }
}

// Every command in turn, a picture of each view, and the end.
void walk(drive::Desktop& desktop, drive::Program& viewer, const std::string& outDir,
          const std::string& docsDir)
{
    drive::WindowId window = desktop.waitForWindow(drive::viewerTitle, viewer, timeout);
    if (window == 0) {
        throw std::runtime_error(std::string("no window titled '") + drive::viewerTitle + "'");
    }
    desktop.focus(window);
    Tour tour{desktop, viewer, window, outDir};
    tour.awaitTrace({stationLine(stations[0]), "D"});
    drive::Geometry home = desktop.geometry(window);
    drive::Geometry screen = desktop.screen();
    printf("tour: viewer window %lu, client area at %d %d, size %d %d, screen %d %d\n", window,
           home.x, home.y, home.width, home.height, screen.width, screen.height);
    tour.picture(stationPicture(0));

    // Enter: every other station.
    for (int station = 1; station < stationCount; ++station) {
        tour.press('\r', {"K", stationLine(stations[station]), "D"});
        tour.picture(stationPicture(station));
    }

    // z: wireframe, then filled again, seen from the last station.
    tour.press('z', {"K", "D"});
    tour.picture("wireframe");
    tour.press('z', {"K", "D"});

    // Enter: back to the first station.
    tour.press('\r', {"K", stationLine(stations[0]), "D"});
    tour.settle();

    // f: white, black, then grey again.
    for (const char* colour : {"white", "black", "grey"}) {
        tour.press('f', {"K", "D"});
        tour.picture(std::string("background-") + colour);
    }

    // F: full screen, the station applied to the screen's size, then back.
    tour.press('F', {"K", stationLine(stations[0]), "D"});
    tour.awaitGeometry({0, 0, screen.width, screen.height}, "full screen");
    drive::Picture fullScreen = tour.picture("full-screen");
    tour.press('F', {"K", stationLine(stations[0]), "D"});
    tour.awaitGeometry(home, "the window's size and place again");
    tour.settle();

    // Escape: the viewer ends with status 0.
    desktop.pressKey("Escape");
    tour.awaitTrace({"K"});
    int status = viewer.waitForExit(timeout);
    if (status != 0) {
        throw std::runtime_error("the viewer ended with status " + std::to_string(status));
    }

    if (!docsDir.empty()) {
        std::filesystem::create_directories(docsDir);
        std::vector<std::string> names;
        for (int station = 0; station < stationCount; ++station) {
            names.push_back(stationPicture(station));
        }
        for (const char* name : {"wireframe", "background-white", "background-black",
                                 "background-grey"}) {
            names.push_back(name);
        }
        for (const std::string& name : names) {
            std::string file = name + ".png";
            std::filesystem::copy_file(outDir + "/" + file, docsDir + "/" + file,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        drive::savePng(scaledToWidth(fullScreen, docsWidth), docsDir + "/full-screen.png");
        printf("tour: refreshed the documentation's pictures in %s\n", docsDir.c_str());
    }

    printf("tour: the viewer's trace (each \"K\" after a picture's frame is the space bar, no "
           "command, pressed to know the frame was done):\n");
    printTrace(stdout, viewer);
    printf("tour: the viewer ended with status 0; pictures in %s/\n", outDir.c_str());
}

void runTour(const std::string& viewerPath, const std::string& outDir, const std::string& docsDir)
{
    int screenWidth = drive::defaultScreenWidth;
    int screenHeight = drive::defaultScreenHeight;
    if (const char* screen = getenv("VARNELLE_SCREEN")) {
        sscanf(screen, "%dx%d", &screenWidth, &screenHeight);
    }
    std::filesystem::create_directories(outDir);
    drive::Server server(screenWidth, screenHeight, "openbox");
    drive::Desktop& desktop = server.desktop();

    // The viewer, unchanged and with no options.
    drive::Program viewer(drive::Launch{{}, {viewerPath}, {{"DISPLAY", server.display()}}});
    try {
        walk(desktop, viewer, outDir, docsDir);
    } catch (...) {
        fflush(stdout);
        fprintf(stderr, "tour: trace so far:\n");
        printTrace(stderr, viewer);
        throw;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        fprintf(stderr, "usage: varnelle-tour PATH/TO/varnelle OUTPUT_DIR [DOCS_DIR]\n");
        return 2;
    }
    std::string viewerPath = argv[1];
    if (access(viewerPath.c_str(), X_OK) != 0) {
        fprintf(stderr, "tour: no viewer at %s; build it first (make build).\n", argv[1]);
        return 1;
    }
    try {
        runTour(viewerPath, argv[2], argc == 4 ? argv[3] : "");
    } catch (const std::exception& failure) {
        fflush(stdout);
        fprintf(stderr, "tour: %s\n", failure.what());
        return 1;
    }
    return 0;
}
