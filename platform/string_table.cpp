#include "platform/string_table.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <span>

#include "res/resource_texts.h"
#include "res/string_tables.h"

namespace platform {
namespace {

// Chosen once at start-up, read from every thread afterwards.
std::atomic<UiLanguage> g_uiLanguage{UiLanguage::English};

std::span<const res::StringEntry> Table(UiLanguage language) {
    switch (language) {
        case UiLanguage::TraditionalChinese:
            return res::TraditionalChineseStrings();
        case UiLanguage::Turkish:
            return res::TurkishStrings();
        case UiLanguage::SimplifiedChinese:
            return res::SimplifiedChineseStrings();
        case UiLanguage::English:
            break;
    }
    return res::EnglishStrings();
}

std::span<const res::ItemText> ItemTable(unsigned resource, UiLanguage language) {
    for (const res::ResourceTexts* texts : res::AllResourceTexts()) {
        if (texts->resource != resource) continue;
        switch (language) {
            case UiLanguage::TraditionalChinese:
                return texts->traditionalChinese;
            case UiLanguage::Turkish:
                return texts->turkish;
            case UiLanguage::SimplifiedChinese:
                return texts->simplifiedChinese;
            case UiLanguage::English:
                break;
        }
        return texts->english;
    }
    return {};
}

}  // namespace

UiLanguage LanguageFromLocaleName(std::string_view localeName) {
    // language[_territory][.codeset][@modifier]
    const std::string_view language = localeName.substr(0, localeName.find_first_of("_.@"));
    if (language == "tr") {
        return UiLanguage::Turkish;
    }
    if (language != "zh") {
        return UiLanguage::English;
    }
    std::string_view territory;
    if (localeName.size() > language.size() && localeName[language.size()] == '_') {
        territory = localeName.substr(language.size() + 1);
        territory = territory.substr(0, territory.find_first_of(".@"));
    }
    return territory == "TW" || territory == "HK" ? UiLanguage::TraditionalChinese
                                                  : UiLanguage::SimplifiedChinese;
}

UiLanguage LanguageFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return LanguageFromLocaleName(value);
        }
    }
    return UiLanguage::English;
}

const char* LanguageTag(UiLanguage language) {
    switch (language) {
        case UiLanguage::TraditionalChinese:
            return "zh_TW";
        case UiLanguage::Turkish:
            return "tr";
        case UiLanguage::SimplifiedChinese:
            return "zh_CN";
        case UiLanguage::English:
            break;
    }
    return "en";
}

void SetUiLanguage(UiLanguage language) { g_uiLanguage.store(language); }

UiLanguage CurrentUiLanguage() { return g_uiLanguage.load(); }

std::string LoadString(unsigned id) { return LoadString(id, CurrentUiLanguage()); }

std::string LoadString(unsigned id, UiLanguage language) {
    const auto table = Table(language);
    const auto entry = std::ranges::lower_bound(table, id, {}, &res::StringEntry::id);
    return entry != table.end() && entry->id == id ? entry->text : "";
}

std::vector<unsigned> StringIds(UiLanguage language) {
    std::vector<unsigned> ids;
    for (const auto& entry : Table(language)) {
        ids.push_back(entry.id);
    }
    return ids;
}

std::string LoadItemText(unsigned resource, unsigned item) {
    return LoadItemText(resource, item, CurrentUiLanguage());
}

std::string LoadItemText(unsigned resource, unsigned item, UiLanguage language) {
    for (const auto& entry : ItemTable(resource, language)) {
        if (entry.item == item) return entry.text;
    }
    return "";
}

std::vector<unsigned> ItemIds(unsigned resource, UiLanguage language) {
    std::vector<unsigned> ids;
    for (const auto& entry : ItemTable(resource, language)) ids.push_back(entry.item);
    return ids;
}

std::vector<unsigned> TextResources() {
    std::vector<unsigned> resources;
    for (const res::ResourceTexts* texts : res::AllResourceTexts()) resources.push_back(texts->resource);
    return resources;
}

}  // namespace platform
