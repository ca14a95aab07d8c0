// A copy of the build's Assets folder with one entry left out, for runs that check what the game does when a
// file or folder it needs is missing. The copy links to the real entries, so it costs nothing to make.
#pragma once

#include <filesystem>
#include <string>

// Makes <temporary folder>/<tag>/Assets holding links to every top-level entry of ./Assets but `left out`,
// and returns <temporary folder>/<tag>: the folder to run the game from. The caller may put its own file at
// the left-out name.
std::filesystem::path AssetsCopyWithout(const std::string& leftOut, const std::string& tag);
