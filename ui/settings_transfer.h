#pragma once

#include <cstdint>
#include <optional>

#include "core/plotter_config.h"
#include "ui/control_values.h"

// The values of the settings dialog's pages as config holds them. With
// ENSPEED set, EdLRCrcValue first takes the joint correction kept for
// UCSPEED: the only change that filling makes to config.
ControlValues FillSettingsPages(PlotterConfig& config);

// The pages' values into config, with their clamps and replacements, the
// column-B rule of the head rows and the derived values recomputed.
void ReadSettingsPages(const ControlValues& values, PlotterConfig& config);

// A speed radio clicked: with the speed settings box ticked, EdLRCrcValue
// takes the joint correction kept for that speed; UCSPEED becomes it.
void ChooseSpeed(PlotterConfig& config, int32_t speed, bool speedSettingsTicked);

// "Set" of a joint correction: the sign when one is chosen, EdLRCrcValue,
// and with ENSPEED set the slot of UCSPEED as well.
void SetJointCorrection(PlotterConfig& config, std::optional<uint8_t> sign, int32_t value);
