// Varnelle documentation: the calls the camera formulas predict for a
// station, in the order every station makes them.
#include "predict.h"

#include <algorithm>

#include "calls.h"
#include "formulas.h"

std::vector<std::string> predictedCalls(int station, int width, int height)
{
    std::vector<std::string> calls;
    calls.push_back(callText("glViewport", {"0", "0", std::to_string(width),
                                            std::to_string(height)}));
    calls.push_back(callText("glMatrixMode", {"GL_PROJECTION"}));
    calls.push_back(callText("glLoadIdentity", {}));
    if (!isPerspective(station)) {
        OrthoArguments a = orthoArguments(station, width, height);
        calls.push_back(callText("glOrtho", {numberText(a.left), numberText(a.right),
                                             numberText(a.bottom), numberText(a.top),
                                             numberText(a.nearPlane), numberText(a.farPlane)}));
    } else {
        PerspectiveArguments a = perspectiveArguments(station, width, height);
        calls.push_back(callText("gluPerspective", {numberText(a.fovy), numberText(a.aspect),
                                                    numberText(a.nearPlane),
                                                    numberText(a.farPlane)}));
    }
    calls.push_back(callText("glMatrixMode", {"GL_MODELVIEW"}));
    calls.push_back(callText("glLoadIdentity", {}));
    if (isPerspective(station)) {
        Point3 e = stationEye(station);
        Point3 t = stationTarget(station);
        Point3 u = stationUp(station);
        calls.push_back(callText("gluLookAt", {numberText(e[0]), numberText(e[1]),
                                               numberText(e[2]), numberText(t[0]),
                                               numberText(t[1]), numberText(t[2]),
                                               numberText(u[0]), numberText(u[1]),
                                               numberText(u[2])}));
    }
    return calls;
}

std::string compareCalls(const std::vector<std::string>& predicted,
                         const std::vector<std::string>& recorded)
{
    size_t count = std::max(predicted.size(), recorded.size());
    for (size_t i = 0; i < count; ++i) {
        std::string want = i < predicted.size() ? predicted[i] : "(no call)";
        std::string got = i < recorded.size() ? recorded[i] : "(no call)";
        if (want != got) {
            return "call " + std::to_string(i + 1) + ": the formulas give " + want +
                   ", the station made " + got;
        }
    }
    return "";
}
