#include "link/job_flags.h"

std::atomic<uint8_t> g_abortJob{0};
std::atomic<uint8_t> g_quitWorker{0};
std::atomic<uint8_t> g_jobRunning{0};
