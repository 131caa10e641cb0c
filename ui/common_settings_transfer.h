#pragma once

#include <array>
#include <cstdint>

#include "core/plotter_config.h"
#include "ui/control_values.h"

// The values of the common settings dialog as config holds them. With
// ENSPEED set, EdLRCrcValue first takes the joint correction kept for
// UCSPEED.
ControlValues FillCommonSettings(PlotterConfig& config);

// "Save And Exit": the dialog's values into config (line width 1 to 10,
// the joint correction always added).
void ReadCommonSettings(const ControlValues& values, PlotterConfig& config);

// The ink boxes whose position may be moved: the first run of jetPrintHead
// consecutive open boxes (box k is open when openStatus[2k-2] is not 0);
// none when there is no such run or jetPrintHead is not 1 to 4.
std::array<bool, 4> MovableInkBoxes(int32_t jetPrintHead, const int32_t (&openStatus)[8]);

// Moves ink box (0 to 3) by step: both X offsets of its head position.
void MoveInkBox(PlotterConfig& config, int box, int32_t step);

