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

PlotterStatus::Reply PlotterStatus::LastReply() const {
    const uint64_t word = m_nReplyCodeAndValue.load();
    return {static_cast<uint32_t>(word >> 32), static_cast<uint32_t>(word)};
}

void PlotterStatus::SetLastReply(uint32_t code, uint32_t value) {
    m_nReplyCodeAndValue = uint64_t{code} << 32 | value;
}

void PlotterStatus::ClearReplyValue() { m_nReplyCodeAndValue.fetch_and(~uint64_t{0xFFFFFFFF}); }
