// Varnelle documentation: the OpenGL and GLU calls a station makes, with
// their exact arguments, recorded while the station runs. The program is
// linked with the linker's --wrap for each call that wrapped_calls.cpp
// wraps, so the station's own code reaches noteCall first and OpenGL right
// after.
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

// One call a station has just made, as the wrappers hand it on: its name
// and its arguments, integers and enumerations as their values. calls.cpp
// records it; a program that shows the calls elsewhere (the web page's
// layer) defines it instead.
void noteCall(const char* name, std::initializer_list<double> arguments);
