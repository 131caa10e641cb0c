#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The four user-interface languages of the program's string tables.
enum class UiLanguage { TraditionalChinese, English, Turkish, SimplifiedChinese };

// The language named by a POSIX locale name ("zh_TW.UTF-8", "tr_TR", "C"...):
// zh_TW or zh_HK gives Traditional Chinese, any other zh Simplified Chinese,
// tr Turkish, everything else English.
UiLanguage LanguageFromLocaleName(std::string_view localeName);
// The language of the environment: LC_ALL, else LC_MESSAGES, else LANG.
UiLanguage LanguageFromEnvironment();

// The language's locale tag: "zh_TW", "en", "tr" or "zh_CN".
const char* LanguageTag(UiLanguage language);

// The language that LoadString uses; English until set.
void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();

// The UTF-8 text of string id in the current language, or in the given one;
// empty when the table has no such id.
std::string LoadString(unsigned id);
std::string LoadString(unsigned id, UiLanguage language);

// Every id of a language's table, ascending.
std::vector<unsigned> StringIds(UiLanguage language);

// The UTF-8 text of item (a command or control id) of resource (a menu or
// dialog template) in the current language, or in the given one; empty when
// there is no such text.
std::string LoadItemText(unsigned resource, unsigned item);
std::string LoadItemText(unsigned resource, unsigned item, UiLanguage language);

// The item ids of resource that have a text in language, in table order.
std::vector<unsigned> ItemIds(unsigned resource, UiLanguage language);
// Every resource that has texts.
std::vector<unsigned> TextResources();

}  // namespace platform
