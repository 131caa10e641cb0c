#pragma once

#include <atomic>
#include <cstdint>

// Flags between the job runner on the worker thread and the windows.
// The operator aborted the running job.
extern std::atomic<uint8_t> g_abortJob;
// The worker thread is to end.
extern std::atomic<uint8_t> g_quitWorker;
// A job is running on the worker thread.
extern std::atomic<uint8_t> g_jobRunning;
