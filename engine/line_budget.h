#pragma once

#include <cstddef>

// The most lines that one slot's drawing, and its swath lists, may hold: 32
// million (512 MB of segments, against 2.3 million for a 10 m marker with
// dashes), or a sixteenth of the machine's memory when that is less. A plot
// file asking for more is refused before the memory is taken, so that no file
// can exhaust the machine in a preparation on the user-interface thread.
std::size_t DrawingLineBudget();
