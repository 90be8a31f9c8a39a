// The documentation program behind make stations, run as make stations runs
// it (on the test's X server, into a folder of its own): every observer
// picture is written at its size and shows the lit scene and the volume, and
// the page's template, filled with the program's values, shows each one.
#include <array>
#include <cmath>
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "camera/camera.h"
#include "drive.h"
#include "observer.h"
#include "page.h"
#include "render/render.h"
#include "support.h"

namespace {

// Channels equal within this, in [0, 1]: the pictures' pixel noise.
const double sameLevel = 3.0 / 255.0;

// True if the pixel has the hue of a palette colour as the scene's lighting
// shows it: the palette's full channels equal to one another, its empty
// channels equal to one another and clearly darker. White needs some light.
bool litAs(const std::array<double, 3>& pixel, const GLfloat* palette)
{
    const double minimumLit = 0.3;
    const double minimumContrast = 0.15;
    double onLow = 1.0, onHigh = 0.0, offLow = 1.0, offHigh = 0.0;
    for (int i = 0; i < 3; ++i) {
        double& low = palette[i] > 0.5f ? onLow : offLow;
        double& high = palette[i] > 0.5f ? onHigh : offHigh;
        low = std::fmin(low, pixel[i]);
        high = std::fmax(high, pixel[i]);
    }
    bool hasOff = offHigh >= offLow;
    return onHigh - onLow <= sameLevel && onLow >= minimumLit &&
           (!hasOff || (offHigh - offLow <= sameLevel && onLow - offHigh >= minimumContrast));
}

// A temporary folder, removed with everything in it when it goes out of scope.
struct TemporaryFolder {
    std::filesystem::path path;
    TemporaryFolder()
    {
        char name[] = "/tmp/varnelle-stations-XXXXXX";
        if (mkdtemp(name) == nullptr) {
            throw std::runtime_error(std::string("cannot make a temporary folder: ") +
                                     strerror(errno));
        }
        path = name;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

// Run a program to its end; its exit status, with its output on failure.
int runToEnd(const std::vector<std::string>& command, std::string& output)
{
    drive::Launch launch;
    launch.command = command;
    launch.output = drive::Output::pipe;
    launch.errors = drive::Errors::file;
    drive::Program program(launch);
    const drive::Milliseconds timeout(120000);
    int status = program.waitForExit(timeout);
    output = program.output() + program.errorOutput();
    return status;
}

TEST(StationsProgram, WritesEveryObserverPictureWithTheSceneAndTheVolume)
{
    TemporaryFolder folder;
    std::string values = (folder.path / "values").string();
    std::string pagePath = (folder.path / "stations.md").string();
    std::string output;
    ASSERT_EQ(runToEnd({VARNELLE_STATIONS_BINARY, folder.path.string(), values}, output), 0)
        << output;
    // The page's template gets a value for every placeholder.
    ASSERT_EQ(runToEnd({VARNELLE_FILL_PAGE, VARNELLE_STATIONS_TEMPLATE, values, pagePath,
                        "make stations"},
                       output),
              0)
        << output;
    std::ifstream pageFile(pagePath);
    std::stringstream page;
    page << pageFile.rdbuf();

    // Six cones and the sphere, each on at least this many pixels of the
    // close-up, and the volume's edges on at least this many.
    const int minimumScenePixels = 50;
    const int minimumEdgePixels = 400;
    const GLfloat* sceneColours[] = {white, red, green, blue, yellow, magenta, cyan};
    for (int station = 0; station < stationCount; ++station) {
        for (const auto& shape : shapeSizes) {
            std::string name = "stations/station-" + std::to_string(station) + "-" +
                               std::to_string(shape[0]) + "x" + std::to_string(shape[1]) + ".png";
            SCOPED_TRACE(name);
            EXPECT_NE(page.str().find("\"" + name + "\""), std::string::npos);
            drive::Picture picture = drive::loadPng((folder.path / name).string());
            ASSERT_EQ(picture.width, observerWidth);
            ASSERT_EQ(picture.height, observerHeight);
            // Count in the close-up panel, clear of the line between the panels.
            int sceneCounts[std::size(sceneColours)] = {};
            int edgeCount = 0;
            for (int y = 0; y < picture.height; ++y) {
                for (int x = observerPanelSize + 2; x < picture.width; ++x) {
                    const double fullChannel = 255.0;
                    std::array<int, 3> stored = picture.at(x, y);
                    std::array<double, 3> pixel = {stored[0] / fullChannel, stored[1] / fullChannel,
                                                   stored[2] / fullChannel};
                    edgeCount += nearColour(pixel, volumeEdgeColour) ? 1 : 0;
                    for (size_t c = 0; c < std::size(sceneColours); ++c) {
                        sceneCounts[c] += litAs(pixel, sceneColours[c]) ? 1 : 0;
                    }
                }
            }
            EXPECT_GE(edgeCount, minimumEdgePixels);
            for (size_t c = 0; c < std::size(sceneColours); ++c) {
                EXPECT_GE(sceneCounts[c], minimumScenePixels) << "scene colour " << c;
            }
        }
    }
}

} // namespace
