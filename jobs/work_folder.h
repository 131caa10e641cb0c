#pragma once

#include <span>
#include <string>
#include <vector>

// The work folder as the scan sees it.

// The folder path of a WORKPATH text: the text unchanged, with "/" appended
// when it does not end in one (an empty text gives "/").
std::string WorkFolderPath(const std::string& workPath);

// The scan's patterns, in the order it tries them.
inline constexpr const char* kScanPatterns[] = {"*.plt", "*.hpg", "*.pla", "*.hpgl", "*.prt", "*.PRT", "*.pmd"};

// The entries of the folder itself (no subfolders; directories count) that
// the patterns ("*" followed by a suffix) match, ignoring letter case, as the
// search of the original platform did: pattern by pattern, and within one
// pattern sorted by name ignoring letter case, ties by bytes. A name that
// several patterns match is listed under each. Nothing for a folder that
// cannot be read.
std::vector<std::string> FindPlotFiles(const std::string& folderPath, std::span<const char* const> patterns);
