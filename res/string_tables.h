#pragma once

#include <span>

// The program's string tables, one per user-interface language, each sorted by id.
namespace res {

struct StringEntry {
    unsigned id;
    const char* text;  // UTF-8
};

std::span<const StringEntry> EnglishStrings();
std::span<const StringEntry> TurkishStrings();
std::span<const StringEntry> SimplifiedChineseStrings();
std::span<const StringEntry> TraditionalChineseStrings();

}  // namespace res
