#include "core/status_texts.h"

#include "platform/string_table.h"

StatusTexts g_statusTexts;

void StatusTexts::Init() {
    using platform::LoadString;
    std::lock_guard lock(m_mutex);
    m_current = {"0%", LoadString(139), LoadString(140), LoadString(59144), LoadString(163)};
    m_strPlotting = LoadString(141);
    m_strFinished = LoadString(123);
    m_strPrint = LoadString(165);
}

void StatusTexts::Set(int kind, std::string_view text) {
    if (kind < kFirstKind || kind > kLastKind) return;
    std::lock_guard lock(m_mutex);
    m_current[kind - kFirstKind] = text;
}

std::string StatusTexts::Get(int kind) const {
    if (kind < kFirstKind || kind > kLastKind) return {};
    std::lock_guard lock(m_mutex);
    return m_current[kind - kFirstKind];
}

std::string StatusTexts::Plotting() const {
    std::lock_guard lock(m_mutex);
    return m_strPlotting;
}

std::string StatusTexts::Finished() const {
    std::lock_guard lock(m_mutex);
    return m_strFinished;
}

std::string StatusTexts::Print() const {
    std::lock_guard lock(m_mutex);
    return m_strPrint;
}
