#include "res/resource_texts.h"
#include "res/settings_ids.h"

// The "Others" page of the settings dialog.
namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {OTHERS_FOLDER_LABEL, "請選擇打印目錄："},
    {IDC_BROWSE, "瀏覽"},
    {OTHERS_FONT_GROUP, "字體大小設置"},
    {OTHERS_FONT_SIZE_LABEL, "字體大小："},
    {OTHERS_CLEAR_GROUP, "噴頭清洗"},
    {IDC_CLEAR_LOW, "輕"},
    {IDC_CLEAR_MIDDLE, "中"},
    {IDC_CLEAR_HEAVY, "重"},
    {IDC_CLEAR_HUGE, "特重"},
    {OTHERS_FANS_GROUP, "風扇設置"},
    {IDC_FAN_MIN, "最小"},
    {IDC_FAN_MIDDLE, "中"},
    {IDC_FAN_MAX, "最大"},
    {IDC_PLOT_FILE_NAME, "打印文件名"},
};

constexpr ItemText kEnglish[] = {
    {OTHERS_FOLDER_LABEL, "Please choose a directory for plotting:"},
    {IDC_BROWSE, "Browse"},
    {OTHERS_FONT_GROUP, "Font Size Settings"},
    {OTHERS_FONT_SIZE_LABEL, "Font Size:"},
    {OTHERS_CLEAR_GROUP, "Jet Head Clear"},
    {IDC_CLEAR_LOW, "Low"},
    {IDC_CLEAR_MIDDLE, "Middle"},
    {IDC_CLEAR_HEAVY, "Heavy"},
    {IDC_CLEAR_HUGE, "Huge"},
    {OTHERS_FANS_GROUP, "Fans Setting"},
    {IDC_FAN_MIN, "Min"},
    {IDC_FAN_MIDDLE, "Middle"},
    {IDC_FAN_MAX, "Max"},
    {IDC_PLOT_FILE_NAME, "Plot File Name"},
};

constexpr ItemText kTurkish[] = {
    {OTHERS_FOLDER_LABEL, "Çizim için bir klasör seçin:"},
    {IDC_BROWSE, "Gözat"},
    {OTHERS_FONT_GROUP, "Yazı Boyutu Ayarları"},
    {OTHERS_FONT_SIZE_LABEL, "Yazı Boyutu:"},
    {OTHERS_CLEAR_GROUP, "Kafa Temizleme"},
    {IDC_CLEAR_LOW, "Hafif"},
    {IDC_CLEAR_MIDDLE, "Orta"},
    {IDC_CLEAR_HEAVY, "Yoğun"},
    {IDC_CLEAR_HUGE, "Çok Yoğun"},
    {OTHERS_FANS_GROUP, "Fan Ayarı"},
    {IDC_FAN_MIN, "En Az"},
    {IDC_FAN_MIDDLE, "Orta"},
    {IDC_FAN_MAX, "En Çok"},
    {IDC_PLOT_FILE_NAME, "Dosya Adını Çiz"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {OTHERS_FOLDER_LABEL, "请选择打印目录："},
    {IDC_BROWSE, "浏览"},
    {OTHERS_FONT_GROUP, "字体大小设置"},
    {OTHERS_FONT_SIZE_LABEL, "字体大小："},
    {OTHERS_CLEAR_GROUP, "喷头清洗"},
    {IDC_CLEAR_LOW, "轻"},
    {IDC_CLEAR_MIDDLE, "中"},
    {IDC_CLEAR_HEAVY, "重"},
    {IDC_CLEAR_HUGE, "特重"},
    {OTHERS_FANS_GROUP, "风扇设置"},
    {IDC_FAN_MIN, "最小"},
    {IDC_FAN_MIDDLE, "中"},
    {IDC_FAN_MAX, "最大"},
    {IDC_PLOT_FILE_NAME, "打印文件名"},
};

}  // namespace

extern const ResourceTexts kOthersPageTexts{IDD_OTHERS_PAGE, kTraditionalChinese, kEnglish, kTurkish, kSimplifiedChinese};

}  // namespace res
