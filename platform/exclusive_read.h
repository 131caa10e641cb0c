#pragma once

#include <string>

namespace platform {

// Opens path for reading, read-only and close-on-exec, unless some process
// (this one included) has the file open for writing: a plot file that is
// still being written is not ready. Returns the descriptor, or -1 when the
// file cannot be opened (errno tells why) or has a writer (errno EAGAIN).
//
// Writers are detected with a read lease, which the kernel refuses while the
// file is open for writing anywhere; the lease is released at once. Where no
// lease can be had for another reason (a file this process may not lease, a
// filesystem without leases) the open is accepted, since refusing would make
// such files unreadable for good.
int OpenForReadingWithoutWriters(const std::string& path);

}  // namespace platform
