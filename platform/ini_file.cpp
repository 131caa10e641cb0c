#include "platform/ini_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/c_numbers.h"

// Each entry of lines_ holds one line of the file together with its line
// ending ("\n", "\r\n", or none for a last line without one), so that Text()
// gives back every untouched byte. newline_ is the ending of the file's first
// line and is used for the lines this class adds.
namespace platform {
namespace {

constexpr size_t kNone = std::string::npos;

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == kNone) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

bool HasLineEnding(std::string_view line) {
    return !line.empty() && line.back() == '\n';
}

std::string_view LineEnding(std::string_view line) {
    if (!HasLineEnding(line)) {
        return {};
    }
    const bool crlf = line.size() >= 2 && line[line.size() - 2] == '\r';
    return line.substr(line.size() - (crlf ? 2 : 1));
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    // The section name or the key, trimmed.
    std::string_view name;
    // A key's value, trimmed, still in its quotes.
    std::string_view value;
};

ParsedLine Parse(std::string_view line) {
    line.remove_suffix(LineEnding(line).size());
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';' || text.front() == '#') {
        return {};
    }
    if (text.front() == '[') {
        // A '[' line without a closing ']' is neither a header nor a key.
        const size_t close = text.rfind(']');
        if (close == kNone) {
            return {};
        }
        return {LineKind::Section, Trim(text.substr(1, close - 1)), {}};
    }
    const size_t equals = text.find('=');
    if (equals == kNone) {
        return {};
    }
    return {LineKind::Key, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

// One pair of matching double or single quotes around a value is dropped on
// read, as the original profile calls do.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Where a key lives: the line of the first section of that name, the first
// line of that key in it, and the last key line of the section. Lines that
// are not found are kNone.
struct Location {
    size_t header = kNone;
    size_t key = kNone;
    size_t lastKey = kNone;
};

Location Locate(const std::vector<std::string>& lines, std::string_view section, std::string_view key) {
    Location at;
    for (size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine line = Parse(lines[i]);
        if (line.kind == LineKind::Section) {
            if (at.header != kNone) {
                break;
            }
            if (EqualsIgnoringCase(line.name, section)) {
                at.header = i;
            }
        } else if (line.kind == LineKind::Key && at.header != kNone) {
            if (at.key == kNone && EqualsIgnoringCase(line.name, key)) {
                at.key = i;
            }
            at.lastKey = i;
        }
    }
    return at;
}

std::optional<std::string_view> FindValue(const std::vector<std::string>& lines, std::string_view section,
                                          std::string_view key) {
    const size_t index = Locate(lines, section, key).key;
    if (index == kNone) {
        return std::nullopt;
    }
    return Unquote(Parse(lines[index]).value);
}

// The file's contents; an empty text when there is no file; nothing when a
// file is there but cannot be read whole.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count > 0) {
            contents.append(buffer, static_cast<size_t>(count));
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else {
            close(fd);
            return count == 0 ? std::optional<std::string>(std::move(contents)) : std::nullopt;
        }
    }
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t count = write(fd, data.data(), data.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<size_t>(count));
    }
    return true;
}

// The permission bits of the file being replaced, or 0644 for a new file.
mode_t PermissionsFor(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? (status.st_mode & 0777) : 0644;
}

// Runs an action when the scope is left, however it is left.
template <typename Action>
class OnScopeExit {
public:
    explicit OnScopeExit(Action action) : action_(std::move(action)) {}
    ~OnScopeExit() { action_(); }
    OnScopeExit(const OnScopeExit&) = delete;
    OnScopeExit& operator=(const OnScopeExit&) = delete;

private:
    Action action_;
};

}  // namespace

IniFile IniFile::Load(const std::string& path) {
    return FromText(ReadWholeFile(path).value_or(std::string()));
}

std::optional<IniFile> IniFile::LoadForUpdate(const std::string& path) {
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        return std::nullopt;
    }
    return FromText(*text);
}

IniFile IniFile::FromText(std::string_view text) {
    IniFile ini;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const size_t length = end == kNone ? text.size() : end + 1;
        ini.lines_.emplace_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    if (!ini.lines_.empty() && LineEnding(ini.lines_.front()) == "\r\n") {
        ini.newline_ = "\r\n";
    }
    return ini;
}

int IniFile::GetInt(std::string_view section, std::string_view key, int def) const {
    const std::optional<std::string_view> value = FindValue(lines_, section, key);
    return value ? Atoi(*value) : def;
}

std::string IniFile::GetText(std::string_view section, std::string_view key, std::string_view def) const {
    const std::string_view text = FindValue(lines_, section, key).value_or(def);
    return std::string(text.substr(0, kMaxTextLength));
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return Locate(lines_, section, key).key != kNone;
}

void IniFile::SetText(std::string_view section, std::string_view key, std::string_view value) {
    const Location at = Locate(lines_, section, key);
    if (at.key != kNone) {
        std::string& line = lines_[at.key];
        line = std::string(Parse(line).name) + '=' + std::string(value) + std::string(LineEnding(line));
        return;
    }
    const std::string keyLine = std::string(key) + '=' + std::string(value) + newline_;
    if (at.header != kNone) {
        // After the section's last key, so that blank lines or comments
        // separating it from the next section stay in front of that one.
        const size_t after = at.lastKey != kNone ? at.lastKey : at.header;
        if (!HasLineEnding(lines_[after])) {
            lines_[after] += newline_;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1, keyLine);
        return;
    }
    if (!lines_.empty() && !HasLineEnding(lines_.back())) {
        lines_.back() += newline_;
    }
    lines_.push_back('[' + std::string(section) + ']' + newline_);
    lines_.push_back(keyLine);
}

std::string IniFile::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
    }
    return text;
}

bool IniFile::Save(const std::string& path) const {
    return WriteFileAtomically(path, Text());
}

bool WriteFileAtomically(const std::string& path, std::string_view contents,
                         const std::function<void()>& beforeRename) {
    std::string tempPath = path + ".XXXXXX";
    const int fd = mkstemp(tempPath.data());
    if (fd < 0) {
        return false;
    }
    bool renamed = false;
    const OnScopeExit removeTemp([&] {
        if (!renamed) {
            unlink(tempPath.c_str());
        }
    });
    const bool written = WriteAll(fd, contents) && fchmod(fd, PermissionsFor(path)) == 0 && fsync(fd) == 0;
    if (close(fd) != 0 || !written) {
        return false;
    }
    if (beforeRename) {
        beforeRename();
    }
    renamed = rename(tempPath.c_str(), path.c_str()) == 0;
    return renamed;
}

}  // namespace platform
