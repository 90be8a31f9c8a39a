// Varnelle documentation: the OpenGL and GLU calls a station makes, with
// their exact arguments, recorded while the station runs. The program is
// linked with the linker's --wrap for each call listed in calls.cpp, so the
// station's own code reaches the recorder first and OpenGL right after.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// Start recording the calls (any earlier record is dropped).
void beginCallRecord();

// Stop recording and return the calls made since beginCallRecord, one
// C-like line each, such as "gluPerspective(11.459165581759555, 1, 88, 112)".
std::vector<std::string> endCallRecord();

// One call as the record writes it: its name and its arguments, already as
// text, such as "glOrtho(-10, 10, -10, 10, -20, 20)".
std::string callText(const char* name, std::initializer_list<std::string> arguments);
// A double as its shortest text that reads back as the same value, so that
// two such texts are equal exactly when the values are.
std::string numberText(double value);
