#include "core/document.h"

#include <mutex>
#include <utility>

#include "core/config_ini.h"
#include "platform/program_folder.h"

CTOLVEXR5DServerDoc* g_pDocument = nullptr;

CTOLVEXR5DServerDoc::CTOLVEXR5DServerDoc() : CTOLVEXR5DServerDoc(platform::ProgramFolder()) {}

CTOLVEXR5DServerDoc::CTOLVEXR5DServerDoc(std::string appDir)
    : m_strAppDir(std::move(appDir)), m_strIniPath(m_strAppDir + "/config.ini") {
    LoadConfig();
}

CTOLVEXR5DServerDoc::~CTOLVEXR5DServerDoc() {
    for (auto& prepared : m_bSlotPrepared) prepared = 0;
    ReleaseSlotBuffers();
}

bool CTOLVEXR5DServerDoc::LoadConfig() {
    std::lock_guard lock(m_configLock);
    return LoadConfigFile(m_config, m_strIniPath);
}

bool CTOLVEXR5DServerDoc::SaveConfig() {
    PlotterConfig saved;
    {
        std::lock_guard lock(m_configLock);
        saved = m_config;
    }
    return SaveConfigFile(saved, m_strIniPath);
}

void CTOLVEXR5DServerDoc::TakeJobConfig() {
    {
        std::lock_guard lock(m_configLock);
        m_jobConfig = m_config;
    }
    m_plan[SLOT_PRINT].m_pConfig = &m_jobConfig;
}

void CTOLVEXR5DServerDoc::TakeJointCorrection() {
    PlotterConfig* job = m_plan[SLOT_PRINT].m_pConfig;
    if (job == nullptr || job == &m_config) return;
    std::lock_guard lock(m_configLock);
    job->EdLRCrcValue = m_config.EdLRCrcValue;
    job->CrcAddorSub = m_config.CrcAddorSub;
}

void CTOLVEXR5DServerDoc::ReleaseSlotBuffers() {
    for (auto& interpreter : m_interpreter) interpreter.Reset();
    for (auto& lists : m_lineLists) lists.Free();
    for (auto& raster : m_raster) raster.FreeBuffers();
}
