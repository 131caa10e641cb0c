#include "core/plotter_status.h"

#include "platform/string_table.h"

PlotterStatus g_plotterStatus;

void PlotterStatus::SignalJobReady() {
    // The bit is cleared before the flag rises, so the worker that sees the
    // job never sees the previous job's all-data-sent bit with it.
    m_wUpdate.fetch_and(static_cast<uint16_t>(~UPDATE_ALL_DATA_SENT));
    m_bJobReady = 1;
}

void PlotterStatus::LoadPositionFormat() {
    auto format = platform::LoadString(164);
    std::lock_guard lock(m_mutex);
    m_strPositionFormat = std::move(format);
}

std::string PlotterStatus::PositionFormat() const {
    std::lock_guard lock(m_mutex);
    return m_strPositionFormat;
}
