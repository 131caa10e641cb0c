#pragma once

#include <cstdint>
#include <string>

// What became of a job's file by the job's end, measured against the word
// sum its interpretation took at the start.
enum class JobFileState {
    Unchanged,
    Changed,
    // It cannot be opened: it is gone, or cannot be read at all.
    CannotOpen,
    // It is still being written (OpenForReadingWithoutWriters).
    BeingWritten,
    // It opens, but fewer bytes arrive than its length.
    Unreadable,
};

// Reads the file at path unless it is still being written, and compares its word sum
// (FileWordSum) with startSum.
JobFileState CheckJobFile(const std::string& path, uint32_t startSum);
