// The observer's orbit, by which the web page's learner turns the outside
// view: the default is the documentation's viewpoint, turning or coming
// closer changes the picture, and the bounds keep the observer off the
// vertical and its zoom in range.
#include <algorithm>
#include <cmath>
#include <vector>

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "formulas.h"
#include "observer.h"
#include "support.h"

namespace {

// A picture laid out as the documentation's (two panels wide and its bands
// high, from observerWideFrom pixels), of which the test's window holds the
// bottom left: the legend and most of the close-up, the scene at its middle.
const int panelSize = observerWideFrom / 2;

// What the window holds of the picture drawn from the orbit, as RGB bytes
// from the bottom row up.
std::vector<GLubyte> pictureFrom(const ObserverOrbit& orbit)
{
    resetViewer();
    ObservedVolume volume = observedVolume(readBackStation());
    drawObserverPicture(volume, "orbit", panelSize, orbit);
    int width = std::min(observerPictureWidth(panelSize), glutGet(GLUT_WINDOW_WIDTH));
    int height = std::min(observerPictureHeight(panelSize), glutGet(GLUT_WINDOW_HEIGHT));
    std::vector<GLubyte> pixels(3 * width * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

int differingBytes(const std::vector<GLubyte>& a, const std::vector<GLubyte>& b)
{
    int count = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        count += a[i] != b[i] ? 1 : 0;
    }
    return count;
}

TEST(ObserverOrbit, StartsAtTheDocumentationsViewpointAndTurnsTheView)
{
    std::vector<GLubyte> documented = pictureFrom(ObserverOrbit());
    ObserverOrbit still;
    still.yawDegrees = 0.0;
    still.pitchDegrees = 0.0;
    still.zoom = 1.0;
    EXPECT_EQ(differingBytes(pictureFrom(still), documented), 0);
    // Each change moves the scene in both panels: many bytes differ.
    const int manyBytes = 1000;
    ObserverOrbit turned;
    turned.yawDegrees = 40.0;
    ObserverOrbit raised;
    raised.pitchDegrees = 30.0;
    ObserverOrbit closer;
    closer.zoom = 2.0;
    for (const ObserverOrbit& orbit : {turned, raised, closer}) {
        EXPECT_GT(differingBytes(pictureFrom(orbit), documented), manyBytes);
    }
}

TEST(ObserverOrbit, KeepsTheObserverOffTheVerticalAndItsZoomInRange)
{
    // The documentation's observer stands along (-0.7, 0.5, 0.5) from its
    // target: this many degrees above the horizontal.
    double elevation = degrees(std::asin(0.5 / std::sqrt(0.7 * 0.7 + 0.5 * 0.5 + 0.5 * 0.5)));
    const double tolerance = 1e-9;
    ObserverOrbit high;
    high.yawDegrees = 500.0;
    high.pitchDegrees = 1000.0;
    high.zoom = 100.0;
    ObserverOrbit bounded = boundedOrbit(high);
    EXPECT_EQ(bounded.yawDegrees, high.yawDegrees);
    EXPECT_NEAR(elevation + bounded.pitchDegrees, observerMaxElevation, tolerance);
    EXPECT_EQ(bounded.zoom, observerZoomRange[1]);
    ObserverOrbit low;
    low.pitchDegrees = -1000.0;
    low.zoom = 0.01;
    bounded = boundedOrbit(low);
    EXPECT_NEAR(elevation + bounded.pitchDegrees, -observerMaxElevation, tolerance);
    EXPECT_EQ(bounded.zoom, observerZoomRange[0]);
    ObserverOrbit within;
    within.pitchDegrees = 20.0;
    within.zoom = 1.5;
    bounded = boundedOrbit(within);
    EXPECT_EQ(bounded.pitchDegrees, within.pitchDegrees);
    EXPECT_EQ(bounded.zoom, within.zoom);
}

} // namespace
