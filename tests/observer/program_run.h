// Tests of the documentation program: running it as make stations does, in
// a temporary folder of the test's own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A temporary folder, removed with everything in it when it goes out of scope.
struct TemporaryFolder {
    std::filesystem::path path;
    TemporaryFolder();
    ~TemporaryFolder();
};

// Run a program to its end; its exit status, with its output on failure.
int runToEnd(const std::vector<std::string>& command, std::string& output);
