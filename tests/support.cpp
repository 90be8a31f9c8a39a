// Test support and the test programme's entry: one GLUT window per process,
// created before the first test, with the viewer's callbacks registered as
// the viewer registers them.
#include "support.h"

#include <chrono>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "app/app.h"
#include "camera/camera.h"
#include "glut_window.h"
#include "render/render.h"

namespace {

class GlutWindowEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "varnelle_tests";
        static char* argv[] = {name, nullptr};
        openWindowAsTheViewerDoes(&argc, argv, windowTitle, testWindowSize, testWindowSize,
                                  viewerState.windowX, viewerState.windowY);
        initRendering();
        glutKeyboardFunc(keyboard);
        glutReshapeFunc(reshapeOrtho);
        glutDisplayFunc(display);
        // Let the window show, with its first reshape and frame.
        beginTrace();
        pumpEvents(300);
        endTrace();
    }
};

int savedStdout = -1;
FILE* traceFile = nullptr;

} // namespace

void pumpEvents(int milliseconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void resetViewer()
{
    beginTrace();
    viewerState = ViewerState{};
    glutReshapeFunc(reshapeOrtho);
    glutReshapeWindow(testWindowSize, testWindowSize);
    glutPositionWindow(viewerState.windowX, viewerState.windowY);
    pumpEvents();
    reshapeOrtho(testWindowSize, testWindowSize);
    display();
    pumpEvents();
    endTrace();
    while (glGetError() != GL_NO_ERROR) {
    }
}

void beginTrace()
{
    fflush(stdout);
    traceFile = tmpfile();
    if (traceFile == nullptr) {
        throw std::runtime_error(std::string("no temporary file for the trace: ") + strerror(errno));
    }
    savedStdout = dup(STDOUT_FILENO);
    if (savedStdout < 0 || dup2(fileno(traceFile), STDOUT_FILENO) < 0) {
        std::string why = strerror(errno);
        if (savedStdout >= 0) {
            close(savedStdout);
        }
        fclose(traceFile);
        traceFile = nullptr;
        throw std::runtime_error("cannot send standard output to the trace file: " + why);
    }
}

std::string endTrace()
{
    fflush(stdout);
    dup2(savedStdout, STDOUT_FILENO);
    close(savedStdout);
    std::string text;
    rewind(traceFile);
    int c = 0;
    while ((c = fgetc(traceFile)) != EOF) {
        text.push_back(static_cast<char>(c));
    }
    fclose(traceFile);
    traceFile = nullptr;
    return text;
}

bool nearColour(const std::array<double, 3>& seen, const GLfloat* expected)
{
    const double tolerance = 3.0 / 255.0;
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(seen[i] - expected[i]) > tolerance) {
            return false;
        }
    }
    return true;
}

Matrix orthoMatrix(double l, double r, double b, double t, double n, double f)
{
    Matrix m{};
    m[0] = 2.0 / (r - l);
    m[5] = 2.0 / (t - b);
    m[10] = -2.0 / (f - n);
    m[12] = -(r + l) / (r - l);
    m[13] = -(t + b) / (t - b);
    m[14] = -(f + n) / (f - n);
    m[15] = 1.0;
    return m;
}

Matrix perspectiveMatrix(double fovyDegrees, double aspect, double n, double f)
{
    const double pi = 3.14159265358979323846;
    double cot = 1.0 / std::tan(fovyDegrees * pi / 360.0);
    Matrix m{};
    m[0] = cot / aspect;
    m[5] = cot;
    m[10] = (f + n) / (n - f);
    m[11] = -1.0;
    m[14] = 2.0 * f * n / (n - f);
    return m;
}

Matrix lookAtMatrix(const double eye[3])
{
    // Looking at the origin with +y up: the view's axes in scene coordinates.
    double back[3] = {eye[0], eye[1], eye[2]};
    double length = std::sqrt(back[0] * back[0] + back[1] * back[1] + back[2] * back[2]);
    for (double& v : back) {
        v /= length;
    }
    // side = up x back, normalised; up' = back x side.
    double side[3] = {back[2], 0.0, -back[0]};
    double sideLength = std::sqrt(side[0] * side[0] + side[2] * side[2]);
    side[0] /= sideLength;
    side[2] /= sideLength;
    double up[3] = {back[1] * side[2] - back[2] * side[1], back[2] * side[0] - back[0] * side[2],
                    back[0] * side[1] - back[1] * side[0]};
    Matrix m{};
    for (int column = 0; column < 3; ++column) {
        m[column * 4 + 0] = side[column];
        m[column * 4 + 1] = up[column];
        m[column * 4 + 2] = back[column];
    }
    for (int row = 0; row < 3; ++row) {
        const double* axis = row == 0 ? side : row == 1 ? up : back;
        m[12 + row] = -(axis[0] * eye[0] + axis[1] * eye[1] + axis[2] * eye[2]);
    }
    m[15] = 1.0;
    return m;
}

Matrix currentMatrix(GLenum which)
{
    Matrix m{};
    glGetDoublev(which, m.data());
    return m;
}

std::array<double, 4> transform(const Matrix& m, const GLfloat point[4])
{
    std::array<double, 4> out{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            out[row] += m[column * 4 + row] * point[column];
        }
    }
    return out;
}

double matrixDifference(const Matrix& a, const Matrix& b)
{
    double largest = 0.0;
    double difference = 0.0;
    for (int i = 0; i < 16; ++i) {
        largest = std::fmax(largest, std::fabs(b[i]));
        difference = std::fmax(difference, std::fabs(a[i] - b[i]));
    }
    return difference / largest;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new GlutWindowEnvironment);
    return RUN_ALL_TESTS();
}
