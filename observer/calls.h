// Varnelle documentation: the OpenGL and GLU calls a station makes, with
// their exact arguments, recorded while the station runs. The program is
// linked with the linker's --wrap for each call listed in calls.cpp, so the
// station's own code reaches the recorder first and OpenGL right after.
#pragma once

#include <string>
#include <vector>

// Start recording the calls (any earlier record is dropped).
void beginCallRecord();

// Stop recording and return the calls made since beginCallRecord, one
// C-like line each, such as "gluPerspective(11.459165581759555, 1, 88, 112)".
std::vector<std::string> endCallRecord();
