// Varnelle documentation: the frames of the README's animation, each of the
// tour's pictures with a caption band above it saying what was pressed and
// what the picture shows, drawn in the program's GLUT window and read back.
#pragma once

#include <string>

// Caption the pictures the list names (lines "NAME|PRESSED|SHOWS", NAME a
// PNG file in picturesDir without ".png"; blank lines and lines starting
// with # are skipped) into framesDir as frame1.png, frame2.png ... in order.
// False, with a message on standard error, if a picture or the list cannot
// be read or a frame cannot be written.
bool writeTourFrames(const std::string& list, const std::string& picturesDir,
                     const std::string& framesDir);
