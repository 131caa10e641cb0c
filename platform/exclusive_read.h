#pragma once

#include <string>

namespace platform {

// Opens path for reading, read-only and close-on-exec, unless the file is
// still being written: a plot file that is not finished is not ready.
// Returns the descriptor, or -1 when the file cannot be opened (errno tells
// why) or is still being written (errno EAGAIN).
//
// Writers are detected with a read lease, which the kernel refuses while the
// file is open for writing anywhere; the lease is released at once. Where no
// lease can be had for another reason (a file of another owner, a file
// system without leases) the file is judged by its modification time
// instead: one modified within the last two seconds, or stamped up to two
// seconds ahead of the clock, counts as still being written.
int OpenForReadingWithoutWriters(const std::string& path);

}  // namespace platform
