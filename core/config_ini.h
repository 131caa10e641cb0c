#pragma once

#include <string>

#include "core/plotter_config.h"

// Reads config into from the INI file at iniPath: every key with its default
// when absent, the load fix-ups, then the derived values. False, with only
// the six print flags read, when iniPath is shorter than 4 characters.
bool LoadConfigFile(PlotterConfig& config, const std::string& iniPath);

// Writes all 110 saved keys of config to the INI file at iniPath, keeping
// every other line of the file. Write errors are not reported.
void SaveConfigFile(const PlotterConfig& config, const std::string& iniPath);
