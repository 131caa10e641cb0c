#include "core/document.h"
#include "core/plotter_status.h"
#include "link/command_channel.h"
#include "link/worker_waits.h"

namespace {

// One command of the settings sequence and where its value comes from.
struct JobSetting {
    uint32_t command;
    uint32_t (*value)(const SwathPlan& plan, const PlotterConfig& config);
};

// Signed settings travel as their two's-complement bits.
uint32_t Word(int32_t value) { return static_cast<uint32_t>(value); }

uint32_t FanPwm(const PlotterConfig& config) {
    switch (config.FANPWMSETTING) {
        case 0: return Word(config.FANPWMVALLOW);
        case 1: return Word(config.FANPWMVALMID);
        default: return Word(config.FANPWMVALHIGH);
    }
}

uint32_t PrinterSpeed(const PlotterConfig& config) {
    switch (config.UCSPEED) {
        case 0: return Word(config.PRINTERSPDVALLOW);
        case 1: return Word(config.PRINTERSPDVALMID);
        default: return Word(config.PRINTERSPDVALHIGH);
    }
}

constexpr JobSetting kJobSettings[] = {
    {CMD_SWATH_COUNT, [](const SwathPlan& plan, const PlotterConfig&) { return Word(plan.m_nSwathCount); }},
    {CMD_RIGHT_END, [](const SwathPlan& plan, const PlotterConfig&) { return Word(plan.m_nRightEnd); }},
    {CMD_LEFT_START, [](const SwathPlan& plan, const PlotterConfig&) { return Word(plan.m_nLeftMargin); }},
    {CMD_Y_STEP, [](const SwathPlan& plan, const PlotterConfig&) { return Word(plan.m_nYStep); }},
    {CMD_STEP_SPEED, [](const SwathPlan& plan, const PlotterConfig&) { return Word(plan.m_nStepSpeed); }},
    {CMD_FAN_PWM, [](const SwathPlan&, const PlotterConfig& config) { return FanPwm(config); }},
    {CMD_PRINT_SPEED, [](const SwathPlan&, const PlotterConfig& config) { return PrinterSpeed(config); }},
    {CMD_RASTER_VAL, [](const SwathPlan&, const PlotterConfig& config) { return Word(config.RASTER_VAL); }},
    {CMD_MOTOR_BUF_L, [](const SwathPlan&, const PlotterConfig& config) { return Word(config.MOTOR_BUF_L); }},
    {CMD_MOTOR_BUF_R, [](const SwathPlan&, const PlotterConfig& config) { return Word(config.MOTOR_BUF_R); }},
};

}  // namespace

void SendJobSettings() {
    if (g_pDocument == nullptr) return;
    // The job's own configuration, copied when it was handed over: nothing
    // the windows change during the job reaches it.
    const SwathPlan& plan = g_pDocument->m_plan[SLOT_PRINT];
    if (plan.m_pConfig == nullptr) return;
    const PlotterConfig& config = *plan.m_pConfig;
    for (const JobSetting& setting : kJobSettings) {
        // A worker that is to quit sends nothing more of the job; an
        // aborted job still sends each remaining setting once.
        if (QuitRequested()) return;
        if (setting.command == CMD_PRINT_SPEED && config.ENSPEED != 1) continue;
        const uint32_t value = setting.value(plan, config);
        if (AbortRequested()) {
            SendCommand(setting.command, value);
            continue;
        }
        while (QueryPlotter(setting.command, value) != 0 || g_plotterStatus.LastReply().code != setting.command) {
            PauseUnless(g_channelTiming.settingsRetryPause, AbortRequested);
            if (AbortRequested()) break;
        }
    }
}
