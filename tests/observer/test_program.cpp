// The documentation program behind make stations, run as make stations runs
// it (on the test's X server, into a folder of its own): every observer
// picture is written at its size and shows the lit scene and the volume,
// each page's template, filled with the program's values, shows its
// pictures, and the tour's pictures come back captioned, one frame each;
// and its pictures of every station at any window size, the documentation's
// own at its sizes.
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
#include "pixels.h"
#include "render/render.h"
#include "program_run.h"
#include "support.h"

namespace {

// Pixels where some channel of two pictures of the same size differs by
// more than the pictures' noise, 3/255.
int differingPixels(const drive::Picture& a, const drive::Picture& b)
{
    const int noise = 3;
    int differing = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            bool same = true;
            for (int i = 0; i < 3; ++i) {
                same = same && std::abs(a.at(x, y)[i] - b.at(x, y)[i]) <= noise;
            }
            differing += same ? 0 : 1;
        }
    }
    return differing;
}

// Two renderings of one picture by the same renderer differ on at most
// this share of pixels (a line's end a pixel over).
const double largestShare = 0.001;

TEST(StationsProgram, WritesEveryObserverPictureWithTheSceneAndTheVolume)
{
    TemporaryFolder folder;
    std::string values = (folder.path / "values").string();
    std::string pagePath = (folder.path / "stations.md").string();
    std::string output;
    ASSERT_EQ(runToEnd({VARNELLE_STATIONS_BINARY, folder.path.string(), values}, output), 0)
        << output;
    // Each page's template gets a value for every placeholder.
    std::stringstream page;
    for (const char* name : {"cameras", "stations", "exercises", "glossary"}) {
        std::string path = (folder.path / (std::string(name) + ".md")).string();
        ASSERT_EQ(runToEnd({VARNELLE_FILL_PAGE, std::string(VARNELLE_LESSONS_DIR) + "/" + name +
                                                    ".md.in",
                            values, path, "make stations"},
                           output),
                  0)
            << output;
        std::ifstream pageFile(path);
        page << pageFile.rdbuf();
    }
    // The exercises' pictures are the viewer's, in its window's size.
    for (const char* name : {"exercises/aspect-one.png", "exercises/near-cut.png"}) {
        EXPECT_NE(page.str().find(std::string("\"") + name + "\""), std::string::npos) << name;
        drive::Picture picture = drive::loadPng((folder.path / name).string());
        EXPECT_EQ(picture.height, testWindowSize) << name;
    }

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
            // Count in the close-up, in the middle of the panels' area,
            // clear of the inset at its left and the colour key at its right.
            int sceneCounts[std::size(sceneColours)] = {};
            int edgeCount = 0;
            const int middleHalfWidth = observerPanelSize / 2;
            for (int y = observerCaptionBand; y < observerCaptionBand + observerPanelSize; ++y) {
                for (int x = picture.width / 2 - middleHalfWidth; x < picture.width / 2 + middleHalfWidth;
                     ++x) {
                    const double fullChannel = 255.0;
                    std::array<int, 3> stored = picture.at(x, y);
                    std::array<double, 3> pixel = {stored[0] / fullChannel, stored[1] / fullChannel,
                                                   stored[2] / fullChannel};
                    edgeCount += nearColour(pixel, volumeEdges.colour) ? 1 : 0;
                    for (size_t c = 0; c < std::size(sceneColours); ++c) {
                        sceneCounts[c] += showsColour(pixel, sceneColours[c]) ? 1 : 0;
                    }
                }
            }
            EXPECT_GE(edgeCount, minimumEdgePixels);
            for (size_t c = 0; c < std::size(sceneColours); ++c) {
                EXPECT_GE(sceneCounts[c], minimumScenePixels) << "scene colour " << c;
            }
        }
    }

    // Asked for at the documentation's own size, the pictures at any size
    // are the documentation's, drawn by the same renderer.
    std::string again = (folder.path / "again").string();
    ASSERT_EQ(runToEnd({VARNELLE_STATIONS_BINARY, "--pictures", "480", "480", again}, output), 0)
        << output;
    for (int station = 0; station < stationCount; ++station) {
        std::string name = "stations/station-" + std::to_string(station) + "-480x480.png";
        drive::Picture picture = drive::loadPng(again + "/" + name);
        drive::Picture documented = drive::loadPng((folder.path / name).string());
        ASSERT_EQ(picture.width, documented.width) << name;
        ASSERT_EQ(picture.height, documented.height) << name;
        EXPECT_LE(differingPixels(picture, documented), largestShare * picture.width * picture.height)
            << name;
    }
}

TEST(StationsProgram, CaptionsEveryListedTourPictureIntoAFrameOfItsOwn)
{
    TemporaryFolder folder;
    std::string list = (folder.path / "frames.txt").string();
    std::ofstream(list) << "# two frames\n"
                        << "station-0-orthographic|Start|Station 0\n\n"
                        << "station-1-perspective|Enter|Station 1\n";
    std::string frames = (folder.path / "frames").string();
    std::string output;
    ASSERT_EQ(runToEnd({VARNELLE_STATIONS_BINARY, "--tour-frames", list, VARNELLE_DOCS_DIR, frames},
                       output),
              0)
        << output;
    drive::Picture tour = drive::loadPng(std::string(VARNELLE_DOCS_DIR) + "/station-1-perspective.png");
    drive::Picture frame = drive::loadPng(frames + "/frame2.png");
    EXPECT_FALSE(std::filesystem::exists(frames + "/frame3.png"));
    // The picture lies below the caption band, pixel for pixel, and the band
    // holds text lighter than its background.
    ASSERT_EQ(frame.width, tour.width);
    ASSERT_GT(frame.height, tour.height);
    int band = frame.height - tour.height;
    int differing = 0;
    const int noise = 3;
    for (int y = 0; y < tour.height; ++y) {
        for (int x = 0; x < tour.width; ++x) {
            for (int i = 0; i < 3; ++i) {
                differing += std::abs(frame.at(x, y + band)[i] - tour.at(x, y)[i]) > noise ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(differing, 0);
    int lit = 0;
    const int light = 200;
    for (int y = 0; y < band; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            lit += frame.at(x, y)[0] > light ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 0);
    // A list line that is not NAME|PRESSED|SHOWS stops it.
    std::ofstream(list) << "station-0-orthographic|Start\n";
    EXPECT_NE(runToEnd({VARNELLE_STATIONS_BINARY, "--tour-frames", list, VARNELLE_DOCS_DIR, frames},
                       output),
              0);
}

// At another size the program draws another volume, in a picture of its own
// size; a size that is not two whole positive numbers is refused.
TEST(StationsProgram, PicturesEveryStationAtAnySize)
{
    TemporaryFolder folder;
    std::string output;
    for (const char* size : {"800", "480"}) {
        ASSERT_EQ(runToEnd({VARNELLE_STATIONS_BINARY, "--pictures", size, size == std::string("800") ? "600" : "480",
                            folder.path.string()},
                           output),
                  0)
            << output;
    }
    for (int station = 0; station < stationCount; ++station) {
        std::string prefix = "stations/station-" + std::to_string(station) + "-";
        SCOPED_TRACE(prefix);
        drive::Picture odd = drive::loadPng((folder.path / (prefix + "800x600.png")).string());
        drive::Picture square = drive::loadPng((folder.path / (prefix + "480x480.png")).string());
        EXPECT_EQ(odd.width, observerWidth);
        EXPECT_EQ(odd.height, observerHeight);
        ASSERT_EQ(square.width, odd.width);
        ASSERT_EQ(square.height, odd.height);
        EXPECT_GT(differingPixels(odd, square), largestShare * odd.width * odd.height);
    }
    const int usageStatus = 2;
    const std::vector<std::string> refused[] = {{"0", "600"}, {"480px", "600"}, {"480", "600.5"},
                                                {"-480", "600"}, {"480", ""}};
    for (const auto& size : refused) {
        EXPECT_EQ(runToEnd({VARNELLE_STATIONS_BINARY, "--pictures", size[0], size[1],
                            folder.path.string()},
                           output),
                  usageStatus)
            << size[0] << " " << size[1];
    }
    // A folder that cannot be made is a failure that names it.
    std::string blocked = (folder.path / "a-file").string();
    std::ofstream(blocked) << "not a folder\n";
    EXPECT_EQ(runToEnd({VARNELLE_STATIONS_BINARY, "--pictures", "480", "480", blocked + "/inside"},
                       output),
              1);
    EXPECT_NE(output.find(blocked + "/inside"), std::string::npos) << output;
}

} // namespace
