#include "core/document.h"

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

bool CTOLVEXR5DServerDoc::LoadConfig() { return LoadConfigFile(m_config, m_strIniPath); }

bool CTOLVEXR5DServerDoc::SaveConfig() {
    SaveConfigFile(m_config, m_strIniPath);
    return true;
}

void CTOLVEXR5DServerDoc::ReleaseSlotBuffers() {
    for (auto& interpreter : m_interpreter) interpreter.Reset();
    for (auto& lists : m_lineLists) lists.Free();
    for (auto& raster : m_raster) raster.FreeBuffers();
}
