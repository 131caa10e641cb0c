#pragma once

#include <cstdint>
#include <span>

// The send side of one job cycle: the print slot's next swath packet reaches
// the plotter over TCP while the command channel announces it, confirms its
// arrival, compares checksums and commits it. Runs on the worker thread.

// The plotter's port for swath payloads; one connection per attempt.
inline constexpr uint16_t kDataPort = 5001;

// Failed attempts in a row that pass without a question; the operator is
// asked at the next one.
inline constexpr int32_t kTransferAttempts = 10;

// The sum of the payload words, modulo 2^32.
uint32_t PayloadSum(std::span<const uint16_t> words);

// While the print plan has swaths: queries the plotter's progress until it
// answers, stores the swaths printed, sets the percent text and shows the
// progress. False, with nothing stored, when an abort or the plotter's stop
// bit ended the wait.
bool ReportProgress();

// Progress, then the next packet prepared and transferred. True when a packet
// was handed to the transfer, whatever became of it.
bool SendNextSwath();

// Builds and finishes the packet of the print plan's current swath (or the
// test pattern). False when the job's data are all sent (the all-data-sent
// bit is then set) or no packet could be built.
bool PrepareNextSwath();

// Transfers the finished packet's payload until the plotter confirms its sum
// and the commit is answered. A connection that cannot be made or is cut
// before the payload is out counts as a failed attempt, like a checksum
// mismatch. False when an abort stopped the announcement or came after a
// failed attempt (then nobody is asked), or the operator gave the packet up.
bool SendSwathData();
