#include "res/resource_texts.h"
#include "res/settings_ids.h"

// The settings dialog that holds the five pages.
namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {ITEM_CAPTION, "設置"},
    {IDCANCEL, "取消"},
    {IDC_SAVE, "保存"},
};

constexpr ItemText kEnglish[] = {
    {ITEM_CAPTION, "Settings"},
    {IDCANCEL, "Cancel"},
    {IDC_SAVE, "Save"},
};

constexpr ItemText kTurkish[] = {
    {ITEM_CAPTION, "Ayarlar"},
    {IDCANCEL, "İptal"},
    {IDC_SAVE, "Kaydet"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {ITEM_CAPTION, "设置"},
    {IDCANCEL, "取消"},
    {IDC_SAVE, "保存"},
};

}  // namespace

extern const ResourceTexts kSettingsDialogTexts{IDD_SETTINGS, kTraditionalChinese, kEnglish, kTurkish, kSimplifiedChinese};

}  // namespace res
