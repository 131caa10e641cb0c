#include "jobs/work_folder.h"

#include <dirent.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
    if (name.size() < suffix.size()) return false;
    return std::ranges::equal(name.substr(name.size() - suffix.size()), suffix,
                              [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

std::vector<std::string> FolderEntries(const std::string& folderPath) {
    // Sorted by the name in lower case, then by its bytes (std::string
    // compares bytes as unsigned).
    std::vector<std::pair<std::string, std::string>> keyed;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir(folderPath.c_str()), closedir);
    if (!folder) return {};
    while (const dirent* entry = readdir(folder.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::string lowered = name;
        std::ranges::transform(lowered, lowered.begin(), LowerAscii);
        keyed.emplace_back(std::move(lowered), name);
    }
    std::ranges::sort(keyed);
    std::vector<std::string> names;
    names.reserve(keyed.size());
    for (auto& entry : keyed) names.push_back(std::move(entry.second));
    return names;
}

}  // namespace

std::string WorkFolderPath(const std::string& workPath) {
    return !workPath.empty() && workPath.back() == '/' ? workPath : workPath + "/";
}

std::vector<std::string> FindPlotFiles(const std::string& folderPath, std::span<const char* const> patterns) {
    const std::vector<std::string> entries = FolderEntries(folderPath);
    std::vector<std::string> found;
    for (const std::string_view pattern : patterns) {
        const std::string_view suffix = pattern.substr(pattern.find('*') + 1);
        for (const std::string& name : entries) {
            if (EndsWithIgnoringCase(name, suffix)) found.push_back(name);
        }
    }
    return found;
}
