// Varnelle documentation: what makes a hand-made camera senseless, checked
// before any of its arguments reaches OpenGL or GLU; and a sound one applied.
#include "camera_check.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <utility>

#include <GL/glu.h>

namespace {

// A clip-cube corner carried to the scene and back may be this far from
// where it started, in normalised device coordinates.
const double roundTripTolerance = 1.0e-3;
const int size4 = 4;
// The degree sign in the page's text (UTF-8).
const char degreeSign[] = "\xC2\xB0";

// One named argument and its value.
struct Named {
    const char* name;
    double value;
};
// The arguments of a camera in the page's order, each with its name: the
// projection's (at most six), then eye, center and up.
const int mostArguments = 15;
struct NamedArguments {
    std::array<Named, mostArguments> list{};
    int count = 0;
    void add(const char* name, double value) { list[count++] = {name, value}; }
};

NamedArguments namedArguments(const CameraArguments& c)
{
    NamedArguments named;
    if (c.perspective) {
        named.add("fovy", c.lens.fovy);
        named.add("aspect", c.lens.aspect);
        named.add("near", c.lens.nearPlane);
        named.add("far", c.lens.farPlane);
    } else {
        named.add("left", c.box.left);
        named.add("right", c.box.right);
        named.add("bottom", c.box.bottom);
        named.add("top", c.box.top);
        named.add("near", c.box.nearPlane);
        named.add("far", c.box.farPlane);
    }
    const char* const vectors[3][3] = {{"eye-x", "eye-y", "eye-z"},
                                       {"center-x", "center-y", "center-z"},
                                       {"up-x", "up-y", "up-z"}};
    const Point3* values[3] = {&c.eye, &c.center, &c.up};
    for (int v = 0; v < 3; ++v) {
        for (int axis = 0; axis < 3; ++axis) {
            named.add(vectors[v][axis], (*values[v])[axis]);
        }
    }
    return named;
}

// A number as a message writes it: at most six significant digits.
std::string shown(double value)
{
    char text[32] = "";
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string shown(const Point3& v)
{
    return "(" + shown(v[0]) + ", " + shown(v[1]) + ", " + shown(v[2]) + ")";
}

// A vector as OpenGL's single precision holds it, and its length there.
Point3 single(const Point3& v)
{
    return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

double length(const Point3& v)
{
    return std::sqrt(dot(v, v));
}

CameraProblem problem(std::vector<std::string> arguments, std::string message)
{
    return {std::move(arguments), std::move(message)};
}

CameraProblem projectionProblem(const CameraArguments& c)
{
    if (c.perspective) {
        const PerspectiveArguments& a = c.lens;
        if (a.fovy <= 0.0) {
            return problem({"fovy"}, "fovy is " + shown(a.fovy) + degreeSign +
                                         ": a field of view must be more than 0" + degreeSign +
                                         " (and less than 180" + degreeSign + "); at 0" +
                                         degreeSign + " the camera sees nothing.");
        }
        if (a.fovy >= halfTurnDegrees) {
            return problem({"fovy"}, "fovy is " + shown(a.fovy) + degreeSign +
                                         ": a field of view must be less than 180" + degreeSign +
                                         "; at 180" + degreeSign +
                                         " and beyond, what the camera sees has no edge.");
        }
        if (a.aspect <= 0.0) {
            return problem({"aspect"}, "aspect is " + shown(a.aspect) +
                                           ": the aspect, the width of what the camera sees over "
                                           "its height, must be more than 0.");
        }
        if (a.nearPlane <= 0.0) {
            return problem({"near"}, "near is " + shown(a.nearPlane) +
                                         ": a perspective camera's near plane must be in front of "
                                         "the eye, at a distance more than 0.");
        }
        if (a.farPlane <= 0.0) {
            return problem({"far"}, "far is " + shown(a.farPlane) +
                                        ": a perspective camera's far plane must be in front of "
                                        "the eye, at a distance more than 0.");
        }
    } else {
        const OrthoArguments& a = c.box;
        if (a.left == a.right) {
            return problem({"left", "right"}, "left and right are both " + shown(a.left) +
                                                  ": the volume would have no width.");
        }
        if (a.bottom == a.top) {
            return problem({"bottom", "top"}, "bottom and top are both " + shown(a.bottom) +
                                                  ": the volume would have no height.");
        }
    }
    double nearPlane = c.perspective ? c.lens.nearPlane : c.box.nearPlane;
    double farPlane = c.perspective ? c.lens.farPlane : c.box.farPlane;
    if (nearPlane == farPlane) {
        return problem({"near", "far"}, "near and far are both " + shown(nearPlane) +
                                            ": the volume would have no depth.");
    }
    return {};
}

CameraProblem viewProblem(const CameraArguments& c)
{
    // As gluLookAt works: in single precision.
    Point3 sight = single({c.center[0] - c.eye[0], c.center[1] - c.eye[1], c.center[2] - c.eye[2]});
    Point3 up = single(c.up);
    if (length(sight) < shortestVector) {
        return problem({"eye", "center"}, "eye and center are the same point " + shown(c.eye) +
                                              ": there is no line of sight to look along.");
    }
    if (length(up) < shortestVector) {
        return problem({"up"}, "up is " + shown(c.up) +
                                   ": a vector of length 0 gives no direction for up.");
    }
    if (length(cross(sight, up)) < parallelSine * length(sight) * length(up)) {
        return problem({"up"}, "up " + shown(c.up) +
                                   " lies along the line of sight, from eye to center: gluLookAt "
                                   "cannot tell which way is up or right, and the matrix it "
                                   "builds sends every point to the middle of the picture.");
    }
    return {};
}

// The matrix as OpenGL holds it, in single precision.
Matrix4 single(const Matrix4& m)
{
    Matrix4 out{};
    for (size_t i = 0; i < m.size(); ++i) {
        out[i] = static_cast<float>(m[i]);
    }
    return out;
}

// True when OpenGL's single-precision matrices hold the camera's volume:
// every entry finite, and each corner of the volume they enclose carried
// back to the corner of the clip cube it came from.
bool volumeHeld(const Matrix4& projection, const Matrix4& modelview)
{
    Matrix4 p = single(projection);
    Matrix4 m = single(modelview);
    for (size_t i = 0; i < p.size(); ++i) {
        if (!std::isfinite(p[i]) || !std::isfinite(m[i]) || std::fabs(p[i]) > FLT_MAX ||
            std::fabs(m[i]) > FLT_MAX) {
            return false;
        }
    }
    VolumeCorners corners = volumeCorners(p, m);
    for (int i = 0; i < cornerCount; ++i) {
        const double cube[3] = {(i & cornerRightBit) ? 1.0 : -1.0, (i & cornerTopBit) ? 1.0 : -1.0,
                                (i & cornerFarBit) ? 1.0 : -1.0};
        double scene[size4] = {corners[i][0], corners[i][1], corners[i][2], 1.0};
        double eye[size4] = {};
        double clip[size4] = {};
        for (int r = 0; r < size4; ++r) {
            for (int k = 0; k < size4; ++k) {
                eye[r] += entry(modelview, r, k) * scene[k];
            }
        }
        for (int r = 0; r < size4; ++r) {
            for (int k = 0; k < size4; ++k) {
                clip[r] += entry(projection, r, k) * eye[k];
            }
        }
        for (int axis = 0; axis < 3; ++axis) {
            double device = clip[axis] / clip[3];
            if (!(std::fabs(device - cube[axis]) <= roundTripTolerance)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

Matrix4 cameraProjection(const CameraArguments& camera)
{
    return camera.perspective ? perspectiveMatrix(camera.lens) : orthoMatrix(camera.box);
}

Matrix4 cameraModelview(const CameraArguments& camera)
{
    return lookAtMatrix(camera.eye, camera.center, camera.up);
}

CameraProblem cameraProblem(const CameraArguments& camera)
{
    NamedArguments named = namedArguments(camera);
    for (int i = 0; i < named.count; ++i) {
        const Named& n = named.list[i];
        if (std::isnan(n.value)) {
            return problem({n.name}, std::string(n.name) + " is empty or not a number.");
        }
        // An infinity is what a number typed too large for a double reads as.
        if (!(std::fabs(n.value) <= largestArgument)) {
            std::string limit = std::to_string(static_cast<long>(largestArgument));
            std::string value = std::isfinite(n.value) ? shown(n.value) : "too large for a number";
            return problem({n.name}, std::string(n.name) + " is " + value +
                                         ": keep every value between -" + limit + " and " +
                                         limit + ", where the page can show it.");
        }
    }
    CameraProblem found = projectionProblem(camera);
    if (found.message.empty()) {
        found = viewProblem(camera);
    }
    if (found.message.empty() && !volumeHeld(cameraProjection(camera), cameraModelview(camera))) {
        found = problem({"near", "far"},
                        "near and far are too far apart, or too close, for the volume to fit "
                        "OpenGL's single-precision matrices: bring them nearer to the scene's "
                        "sizes.");
    }
    return found;
}

void applyCamera(const CameraArguments& camera)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (camera.perspective) {
        const PerspectiveArguments& l = camera.lens;
        gluPerspective(l.fovy, l.aspect, l.nearPlane, l.farPlane);
    } else {
        const OrthoArguments& b = camera.box;
        glOrtho(b.left, b.right, b.bottom, b.top, b.nearPlane, b.farPlane);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Point3& e = camera.eye;
    const Point3& c = camera.center;
    const Point3& u = camera.up;
    gluLookAt(e[0], e[1], e[2], c[0], c[1], c[2], u[0], u[1], u[2]);
}
