#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A private-profile INI file ("config.ini") held in memory.
//
// Reading follows the original platform's profile calls: section and key
// names match without regard to letter case, a default applies only when the
// key is absent, and text values come back as they would from a 100-byte
// buffer (at most 99 characters). Writing replaces a key's value in place,
// appends a new key to the end of its section and a new section to the end of
// the file; every other line (unknown keys, comments, blank lines) stays as it
// was.
class IniFile {
public:
    // The longest text a read returns: a 100-byte buffer with its terminator.
    static constexpr size_t kMaxTextLength = 99;

    // Reads the file at path; a missing or unreadable file gives an empty store.
    static IniFile Load(const std::string& path);
    // Reads the file at path to change and save it: an empty store when there
    // is no file; nothing when a file is there but cannot be read whole, so
    // that a save never replaces keys it could not see.
    static std::optional<IniFile> LoadForUpdate(const std::string& path);
    // Parses INI text already in memory.
    static IniFile FromText(std::string_view text);

    // The key's value as an integer: an optional sign and decimal digits (text
    // that is not a number gives 0; values beyond 32 bits saturate); def when
    // the key is absent.
    int GetInt(std::string_view section, std::string_view key, int def) const;
    // The key's text (at most kMaxTextLength characters); def when absent.
    std::string GetText(std::string_view section, std::string_view key, std::string_view def) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    void SetText(std::string_view section, std::string_view key, std::string_view value);

    // The whole file as it would be written.
    std::string Text() const;

    // Writes the file so that a reader never sees it half written: the text
    // goes to a temporary file beside path, which is then renamed over it.
    // False when the file could not be written; the old file is then untouched.
    bool Save(const std::string& path) const;

private:
    std::vector<std::string> lines_;
    std::string newline_ = "\n";
};

// Replaces the file at path with contents atomically (temporary file beside
// it, flushed, then renamed over it). beforeRename, when given, runs between
// the flush and the rename; tests use it to stop the process at that point.
bool WriteFileAtomically(const std::string& path, std::string_view contents,
                         const std::function<void()>& beforeRename = {});

}  // namespace platform
