// Varnelle documentation: the captioned frames of the README's animation.
#include "tour_frames.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "drive.h"
#include "observer.h"
#include "pixels.h"

namespace {

// The caption band above each picture, pixels: its height, the baselines of
// its two lines from its top, and the left margin.
const int bandHeight = 60;
const int firstLine = 24;
const int secondLine = 48;
const int margin = 12;
const GLfloat bandColour[3] = {0.10f, 0.12f, 0.16f};
const GLfloat keyColour[3] = {1.0f, 0.9f, 0.7f};
const GLfloat textColour[3] = {0.92f, 0.93f, 0.95f};
const char separator = '|';
const int fields = 3;

struct Frame {
    std::string name;
    std::string pressed;
    std::string shows;
};

bool readList(const std::string& list, std::vector<Frame>& frames)
{
    std::ifstream file(list);
    if (!file) {
        std::fprintf(stderr, "stations: cannot read %s\n", list.c_str());
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> parts(1);
        for (char c : line) {
            if (c == separator) {
                parts.emplace_back();
            } else {
                parts.back() += c;
            }
        }
        if (static_cast<int>(parts.size()) != fields) {
            std::fprintf(stderr, "stations: %s: not NAME|PRESSED|SHOWS: %s\n", list.c_str(),
                         line.c_str());
            return false;
        }
        frames.push_back({parts[0], parts[1], parts[2]});
    }
    return true;
}

// Draw the picture with its caption band above it into the back buffer.
void drawFrame(const drive::Picture& picture, const Frame& frame)
{
    int width = picture.width;
    int height = picture.height + bandHeight;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_PIXEL_MODE_BIT);
    beginFlatOverlay(width, height);
    glClearColor(bandColour[0], bandColour[1], bandColour[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    // OpenGL draws pixels from the bottom row up; the picture starts at the top.
    std::vector<unsigned char> bytes;
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            for (int channel : picture.at(x, y)) {
                bytes.push_back(static_cast<unsigned char>(channel));
            }
        }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glRasterPos2i(0, 0);
    glDrawPixels(picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
    drawText(margin, height - firstLine, keyColour, frame.pressed);
    drawText(margin, height - secondLine, textColour, frame.shows);
    glPopAttrib();
}

} // namespace

bool writeTourFrames(const std::string& list, const std::string& picturesDir,
                     const std::string& framesDir)
{
    std::vector<Frame> frames;
    if (!readList(list, frames)) {
        return false;
    }
    int number = 0;
    for (const Frame& frame : frames) {
        try {
            drive::Picture picture = drive::loadPng(picturesDir + "/" + frame.name + ".png");
            int height = picture.height + bandHeight;
            if (!resizeWindow(picture.width, height)) {
                std::fprintf(stderr, "stations: the window never became %dx%d\n", picture.width,
                             height);
                return false;
            }
            drawFrame(picture, frame);
            glutSwapBuffers();
            std::string path = framesDir + "/frame" + std::to_string(++number) + ".png";
            drive::savePng(shownPicture(picture.width, height), path);
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "stations: %s\n", failure.what());
            return false;
        }
    }
    std::printf("stations: wrote %d captioned frames into %s\n", number, framesDir.c_str());
    return number > 0;
}
