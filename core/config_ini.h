#pragma once

#include <string>

#include "core/plotter_config.h"

// Reads config into from the INI file at iniPath: every key with its default
// when absent, the load fix-ups, then the derived values. False, with only
// the six print flags read, when iniPath is shorter than 4 characters.
bool LoadConfigFile(PlotterConfig& config, const std::string& iniPath);

// Writes all 110 saved keys of config to the INI file at iniPath, keeping
// every other line of the file. False, with the file left as it was, when an
// existing file cannot be read (its other keys, such as StepSPD and MODEL,
// would be lost) or cannot be written.
bool SaveConfigFile(const PlotterConfig& config, const std::string& iniPath);
