// The documentation program behind make stations, run as make stations runs
// it (on the test's X server, into a folder of its own): every observer
// picture is written at its size and shows the lit scene and the volume.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
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

TEST(StationsProgram, WritesEveryObserverPictureWithTheSceneAndTheVolume)
{
    char folder[] = "/tmp/varnelle-stations-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string command = std::string(VARNELLE_STATIONS_BINARY) + " " + folder + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    std::ifstream pageFile(std::string(folder) + "/stations.md");
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
            drive::Picture picture = drive::loadPng(std::string(folder) + "/" + name);
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
    std::filesystem::remove_all(folder);
}

} // namespace
