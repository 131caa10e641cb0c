#include "platform/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using platform::LoadString;
using platform::StringIds;
using platform::UiLanguage;

constexpr UiLanguage kLanguages[] = {UiLanguage::TraditionalChinese, UiLanguage::English,
                                     UiLanguage::Turkish, UiLanguage::SimplifiedChinese};

std::string LanguageName(UiLanguage language) {
    switch (language) {
        case UiLanguage::TraditionalChinese:
            return "Traditional Chinese";
        case UiLanguage::English:
            return "English";
        case UiLanguage::Turkish:
            return "Turkish";
        case UiLanguage::SimplifiedChinese:
            return "Simplified Chinese";
    }
    return "?";
}

// The printf conversions of a text in order, each as written ("%04d", "%.2f",
// "%%"); a lone "%" at the end counts as a conversion of its own.
std::vector<std::string> Conversions(std::string_view text) {
    std::vector<std::string> result;
    for (std::size_t pos = text.find('%'); pos != std::string_view::npos; pos = text.find('%', pos)) {
        std::size_t end = pos + 1;
        end = std::min(text.find_first_not_of("-+ #0", end), text.size());
        end = std::min(text.find_first_not_of("0123456789*", end), text.size());
        if (end < text.size() && text[end] == '.') {
            end = std::min(text.find_first_not_of("0123456789*", end + 1), text.size());
        }
        end = std::min(text.find_first_not_of("hlLqjzt", end), text.size());
        end = std::min(end + 1, text.size());
        result.emplace_back(text.substr(pos, end - pos));
        pos = end;
    }
    return result;
}

std::size_t CountOf(std::string_view text, char c) { return std::ranges::count(text, c); }

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    const auto pos = text.find(from);
    return pos == std::string::npos ? text : text.replace(pos, from.size(), to);
}

TEST(StringTables, EveryLanguageHoldsTheEnglishIdsSortedAndUnique) {
    const auto english = StringIds(UiLanguage::English);
    ASSERT_FALSE(english.empty());
    for (const auto language : kLanguages) {
        SCOPED_TRACE(LanguageName(language));
        const auto ids = StringIds(language);
        EXPECT_EQ(ids, english);
        EXPECT_EQ(std::ranges::adjacent_find(ids, std::ranges::greater_equal{}), ids.end());
    }
}

TEST(StringTables, EveryTextIsPresent) {
    for (const auto language : kLanguages) {
        SCOPED_TRACE(LanguageName(language));
        for (const auto id : StringIds(language)) {
            EXPECT_FALSE(LoadString(id, language).empty()) << "string " << id;
        }
    }
}

TEST(StringTables, PrintfConversionsMatchEnglish) {
    for (const auto id : StringIds(UiLanguage::English)) {
        const auto english = Conversions(LoadString(id, UiLanguage::English));
        for (const auto language : kLanguages) {
            EXPECT_EQ(Conversions(LoadString(id, language)), english)
                << LanguageName(language) << " string " << id;
        }
    }
}

TEST(StringTables, PromptSplitsMnemonicsAndFilterFieldsMatchEnglish) {
    for (const auto id : StringIds(UiLanguage::English)) {
        const auto english = LoadString(id, UiLanguage::English);
        for (const auto language : kLanguages) {
            const auto text = LoadString(id, language);
            SCOPED_TRACE(LanguageName(language) + " string " + std::to_string(id));
            EXPECT_EQ(CountOf(text, '\n'), CountOf(english, '\n'));
            EXPECT_EQ(CountOf(text, '&'), CountOf(english, '&'));
            EXPECT_EQ(CountOf(text, '|'), CountOf(english, '|'));
        }
    }
}

TEST(StringTables, FilePatternsAndDocumentTypeIdAreNotTranslated) {
    const auto englishFilter = LoadString(129, UiLanguage::English);
    const auto patterns = englishFilter.substr(englishFilter.find('|'));
    for (const auto language : kLanguages) {
        SCOPED_TRACE(LanguageName(language));
        const auto filter = LoadString(129, language);
        EXPECT_EQ(filter.substr(filter.find('|')), patterns);
        EXPECT_NE(LoadString(128, language).find("\nTOLVEXR5DServer.Document\n"), std::string::npos);
    }
}

// Menus and dialogs: every language names the same items, none is empty,
// and the mnemonic and accelerator marks are kept.
TEST(ItemTexts, EveryLanguageHoldsTheEnglishItemsWithTheirMarks) {
    const auto resources = platform::TextResources();
    ASSERT_FALSE(resources.empty());
    for (const auto resource : resources) {
        const auto english = platform::ItemIds(resource, UiLanguage::English);
        for (const auto language : kLanguages) {
            SCOPED_TRACE(LanguageName(language) + " resource " + std::to_string(resource));
            EXPECT_EQ(platform::ItemIds(resource, language), english);
            for (const auto item : english) {
                const auto text = platform::LoadItemText(resource, item, language);
                const auto englishText = platform::LoadItemText(resource, item, UiLanguage::English);
                EXPECT_FALSE(text.empty()) << "item " << item;
                EXPECT_EQ(CountOf(text, '&'), CountOf(englishText, '&')) << "item " << item;
                EXPECT_EQ(CountOf(text, '\t'), CountOf(englishText, '\t')) << "item " << item;
                EXPECT_EQ(Conversions(text), Conversions(englishText)) << "item " << item;
            }
        }
    }
}

TEST(StringTables, JobStateWordsAreDistinctInEveryLanguage) {
    for (const auto language : kLanguages) {
        SCOPED_TRACE(LanguageName(language));
        const auto held = LoadString(137, language);
        const auto queued = LoadString(140, language);
        const auto current = LoadString(141, language);
        EXPECT_NE(held, queued);
        EXPECT_NE(held, current);
        EXPECT_NE(queued, current);
    }
}

TEST(StartPositionText, ReadFormatIsWriteFormatWithPlainF) {
    for (const auto language : kLanguages) {
        SCOPED_TRACE(LanguageName(language));
        const auto write = LoadString(150, language);
        ASSERT_NE(write.find("%.2f"), std::string::npos);
        EXPECT_EQ(LoadString(142, language), Replaced(write, "%.2f", "%f"));
    }
}

TEST(StartPositionText, ReadFormatReadsBackWhatWriteFormatWrote) {
    for (const auto language : kLanguages) {
        SCOPED_TRACE(LanguageName(language));
        char written[260];
        std::snprintf(written, sizeof written, LoadString(150, language).c_str(), 12.5);
        float centimetres = 0.0f;
        EXPECT_EQ(std::sscanf(written, LoadString(142, language).c_str(), &centimetres), 1);
        EXPECT_FLOAT_EQ(centimetres, 12.5f);
    }
}

TEST(EnglishStrings, KeepTheirExactBytes) {
    const std::string tenBlanks(10, ' ');
    EXPECT_EQ(LoadString(140, UiLanguage::English), "Waitting");
    EXPECT_EQ(LoadString(163, UiLanguage::English), "Stopped  ");
    EXPECT_EQ(LoadString(164, UiLanguage::English), "Position:%04d:%04d" + tenBlanks);
    EXPECT_EQ(LoadString(59144, UiLanguage::English), "Position:0000:0000" + tenBlanks);
    EXPECT_EQ(LoadString(160, UiLanguage::English), "Task is running. Do you realy want to interrupt the job?");
    EXPECT_EQ(LoadString(32829, UiLanguage::English), "Origin posation");
    EXPECT_EQ(LoadString(32771, UiLanguage::English), "Plot The Selected File\nPlot");
    EXPECT_EQ(LoadString(150, UiLanguage::English), "Begin at %.2fcm");
}

TEST(LoadString, UnknownIdGivesEmptyText) {
    for (const auto language : kLanguages) {
        SCOPED_TRACE(LanguageName(language));
        EXPECT_EQ(LoadString(0, language), "");
        EXPECT_EQ(LoadString(130, language), "");
        EXPECT_EQ(LoadString(4'000'000'000u, language), "");
    }
}

TEST(LoadString, WithoutLanguageUsesTheCurrentOne) {
    const auto previous = platform::CurrentUiLanguage();
    platform::SetUiLanguage(UiLanguage::Turkish);
    EXPECT_EQ(platform::CurrentUiLanguage(), UiLanguage::Turkish);
    EXPECT_EQ(LoadString(140), LoadString(140, UiLanguage::Turkish));
    platform::SetUiLanguage(UiLanguage::SimplifiedChinese);
    EXPECT_EQ(LoadString(140), LoadString(140, UiLanguage::SimplifiedChinese));
    platform::SetUiLanguage(previous);
}

TEST(LanguageFromLocaleName, TakesLanguageAndTerritoryOfThePosixName) {
    const struct {
        const char* name;
        UiLanguage language;
    } cases[] = {
        {"zh_TW.UTF-8", UiLanguage::TraditionalChinese},
        {"zh_TW", UiLanguage::TraditionalChinese},
        {"zh_HK", UiLanguage::TraditionalChinese},
        {"zh_HK.Big5HKSCS", UiLanguage::TraditionalChinese},
        {"zh_TW@radical", UiLanguage::TraditionalChinese},
        {"zh_CN.UTF-8", UiLanguage::SimplifiedChinese},
        {"zh_SG", UiLanguage::SimplifiedChinese},
        {"zh", UiLanguage::SimplifiedChinese},
        {"zh.UTF-8", UiLanguage::SimplifiedChinese},
        {"zh_TWN", UiLanguage::SimplifiedChinese},
        {"tr_TR.UTF-8", UiLanguage::Turkish},
        {"tr", UiLanguage::Turkish},
        {"tr@euro", UiLanguage::Turkish},
        {"en_US", UiLanguage::English},
        {"C", UiLanguage::English},
        {"C.UTF-8", UiLanguage::English},
        {"POSIX", UiLanguage::English},
        {"", UiLanguage::English},
        {"trx", UiLanguage::English},
        {"zhx_TW", UiLanguage::English},
        {"de_TW", UiLanguage::English},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::LanguageFromLocaleName(c.name), c.language) << '"' << c.name << '"';
    }
}

// Sets or clears the three locale variables for one test and puts back what
// the process had.
class LocaleEnvironment : public testing::Test {
protected:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

    LocaleEnvironment() {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            if (const char* value = std::getenv(kNames[i])) {
                saved_[i] = value;
            }
        }
    }

    ~LocaleEnvironment() override {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
        }
    }

    static void Set(const char* name, const char* value) {
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }

    static void SetAll(const char* lcAll, const char* lcMessages, const char* lang) {
        Set("LC_ALL", lcAll);
        Set("LC_MESSAGES", lcMessages);
        Set("LANG", lang);
    }

private:
    std::optional<std::string> saved_[std::size(kNames)];
};

TEST_F(LocaleEnvironment, LcAllComesFirst) {
    SetAll("tr_TR.UTF-8", "zh_CN.UTF-8", "zh_TW.UTF-8");
    EXPECT_EQ(platform::LanguageFromEnvironment(), UiLanguage::Turkish);
}

TEST_F(LocaleEnvironment, LcMessagesComesBeforeLang) {
    SetAll(nullptr, "zh_CN.UTF-8", "tr_TR.UTF-8");
    EXPECT_EQ(platform::LanguageFromEnvironment(), UiLanguage::SimplifiedChinese);
}

TEST_F(LocaleEnvironment, EmptyVariablesCountAsUnset) {
    SetAll("", "", "zh_HK.UTF-8");
    EXPECT_EQ(platform::LanguageFromEnvironment(), UiLanguage::TraditionalChinese);
}

TEST_F(LocaleEnvironment, LangAloneDecides) {
    SetAll(nullptr, nullptr, "tr_TR");
    EXPECT_EQ(platform::LanguageFromEnvironment(), UiLanguage::Turkish);
}

TEST_F(LocaleEnvironment, FirstSetVariableDecidesEvenWhenItMeansEnglish) {
    SetAll("C", nullptr, "zh_TW.UTF-8");
    EXPECT_EQ(platform::LanguageFromEnvironment(), UiLanguage::English);
}

TEST_F(LocaleEnvironment, NothingSetGivesEnglish) {
    SetAll(nullptr, nullptr, nullptr);
    EXPECT_EQ(platform::LanguageFromEnvironment(), UiLanguage::English);
}

}  // namespace
