// Varnelle: the camera station handlers, each applying its row of the
// station table (stations.h) to the window's size.
#include "camera.h"

#include <cmath>
#include <cstdio>

#include <GL/glu.h>

#include "app/app.h"

const StationHandler stationHandlers[stationCount] = {
    reshapeOrtho, reshapePerspective1, reshapePerspective2, reshapePerspective3};

// Record the size, set the viewport and leave an identity projection current.
// The projection's sides come back in w and h: a zero side (a window can
// report one) would give it an infinite or undefined ratio, so the projection
// takes it as one pixel and stays finite.
static void beginStation(int width, int height, double& w, double& h)
{
    viewerState.windowWidth = width;
    viewerState.windowHeight = height;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    w = width > 0 ? width : 1.0;
    h = height > 0 ? height : 1.0;
}

// Leave an identity modelview current, ready for the view.
static void beginView()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// D: the eye's distance from the scene's origin.
static double eyeDistance(const Station& s)
{
    return std::sqrt(s.eye[0] * s.eye[0] + s.eye[1] * s.eye[1] + s.eye[2] * s.eye[2]);
}

// An orthographic station: the view is the identity.
static void applyOrthographic(const Station& s, int width, int height)
{
    std::printf("%s\n", s.traceName);
    double w = 0.0;
    double h = 0.0;
    beginStation(width, height, w, h);
    double halfSpan = s.span / 2.0;
    double d = eyeDistance(s);
    // Fit the narrower side of the window to the span.
    if (h > w) {
        double r = h * halfSpan / w;
        glOrtho(-halfSpan, halfSpan, -r, r, d - s.depth, d + s.depth);
    } else {
        double r = w * halfSpan / h;
        glOrtho(-r, r, -halfSpan, halfSpan, d - s.depth, d + s.depth);
    }
    beginView();
}

// A perspective station: its trace shows D and the base angle.
static void applyPerspective(const Station& s, int width, int height)
{
    double d = eyeDistance(s);
    // span / D radians in degrees, evaluated left to right.
    double baseAngle = s.span / d * degreesPerHalfTurn / piApprox;
    std::printf("%s %6.2lf %6.2lf\n", s.traceName, d, baseAngle);
    double w = 0.0;
    double h = 0.0;
    beginStation(width, height, w, h);
    // Once the window is at least as tall as wide, widen the vertical angle
    // with its height-to-width ratio.
    double fovy = h < w ? baseAngle : (h / w) * baseAngle;
    gluPerspective(fovy, w / h, d - s.depth, d + s.depth);
    beginView();
    gluLookAt(s.eye[0], s.eye[1], s.eye[2], s.target[0], s.target[1], s.target[2], s.up[0],
              s.up[1], s.up[2]);
}

static void applyStation(const Station& s, int width, int height)
{
    if (s.kind == StationKind::orthographic) {
        applyOrthographic(s, width, height);
    } else {
        applyPerspective(s, width, height);
    }
}

void reshapeOrtho(int width, int height)
{
    applyStation(stations[0], width, height);
}

void reshapePerspective1(int width, int height)
{
    applyStation(stations[1], width, height);
}

void reshapePerspective2(int width, int height)
{
    applyStation(stations[2], width, height);
}

void reshapePerspective3(int width, int height)
{
    applyStation(stations[3], width, height);
}
