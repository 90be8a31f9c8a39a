// Test support: a real GLUT window on the test's X server, trace capture
// from standard output, event pumping and pixel reads.
#pragma once

#include <array>
#include <string>

#include <GL/gl.h>

// Window size the tests open, as the viewer does at start.
const int testWindowSize = 480;

// Put the viewer back as it starts: initial state, orthographic station
// registered and applied, events drained.
void resetViewer();

// Run GLUT's event processing for about the given time, so that posted
// redisplays, reshapes and window-manager replies are handled.
void pumpEvents(int milliseconds = 60);

// Capture what the code under test writes to standard output.
void beginTrace();
std::string endTrace();

// The colour of one pixel shown in the window (window coordinates, origin at
// the bottom left), as RGB in [0, 1].
std::array<double, 3> readPixel(int x, int y);

// True if the colour is within 3/255 of the expected one in every channel.
bool nearColour(const std::array<double, 3>& seen, const GLfloat* expected);

// Column-major 4x4 matrices, as OpenGL stores them.
typedef std::array<double, 16> Matrix;
Matrix orthoMatrix(double l, double r, double b, double t, double n, double f);
Matrix perspectiveMatrix(double fovyDegrees, double aspect, double n, double f);
Matrix lookAtMatrix(const double eye[3]);
Matrix currentMatrix(GLenum which);
// Apply a matrix to a homogeneous point.
std::array<double, 4> transform(const Matrix& m, const GLfloat point[4]);
// Largest difference between two matrices, relative to the largest entry.
double matrixDifference(const Matrix& a, const Matrix& b);
