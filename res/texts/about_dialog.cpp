#include "res/resource_ids.h"
#include "res/resource_texts.h"

namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {ITEM_CAPTION, "關於本軟件"},
    {ABOUT_VERSION_TEXT, "噴墨繪圖儀 版本 3.0409B"},
    {IDOK, "確定"},
};

constexpr ItemText kEnglish[] = {
    {ITEM_CAPTION, "About this software"},
    {ABOUT_VERSION_TEXT, "Inkjet Plotter Version 3.0409B"},
    {IDOK, "OK"},
};

constexpr ItemText kTurkish[] = {
    {ITEM_CAPTION, "Bu yazılım hakkında"},
    {ABOUT_VERSION_TEXT, "Mürekkep Püskürtmeli Çizici Sürüm 3.0409B"},
    {IDOK, "Tamam"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {ITEM_CAPTION, "关于本软件"},
    {ABOUT_VERSION_TEXT, "喷墨绘图仪 版本 3.0409B"},
    {IDOK, "确定"},
};

}  // namespace

extern const ResourceTexts kAboutDialogTexts{IDD_ABOUTBOX, kTraditionalChinese, kEnglish, kTurkish,
                                             kSimplifiedChinese};

}  // namespace res
