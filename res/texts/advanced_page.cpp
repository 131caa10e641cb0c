#include "res/resource_texts.h"
#include "res/settings_ids.h"

// The "Advanced" page of the settings dialog.
namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {ADVANCED_DPI_LABEL, "[X]DPI/M："},
    {ADVANCED_Y_STEP_LABEL, "Y步進值："},
    {ADVANCED_WIDTH_LABEL, "打印寬度："},
    {ADVANCED_CM, "釐米"},
    {ADVANCED_SPEED_GROUP, "打印速度設置"},
    {IDC_ENABLE_SPEED, "啟用速度設置"},
    {IDC_LOW_SPEED, "低速"},
    {IDC_MIDDLE_SPEED, "中速"},
    {IDC_HIGH_SPEED, "高速"},
    {ADVANCED_USB_GROUP, "USB設置"},
    {ADVANCED_DATA_FLOW_LABEL, "數據流量："},
    {ADVANCED_OVERTIME_LABEL, "超時值："},
};

constexpr ItemText kEnglish[] = {
    {ADVANCED_DPI_LABEL, "[X]DPI/M:"},
    {ADVANCED_Y_STEP_LABEL, "Y-Step Values:"},
    {ADVANCED_WIDTH_LABEL, "Ploting Width:"},
    {ADVANCED_CM, "cm"},
    {ADVANCED_SPEED_GROUP, "Plot Speed Settings"},
    {IDC_ENABLE_SPEED, "Enable Speed Settings"},
    {IDC_LOW_SPEED, "Low Speed"},
    {IDC_MIDDLE_SPEED, "Middle Speed"},
    {IDC_HIGH_SPEED, "High Speed"},
    {ADVANCED_USB_GROUP, "USB Settings"},
    {ADVANCED_DATA_FLOW_LABEL, "Data Flow Volume:"},
    {ADVANCED_OVERTIME_LABEL, "Overtime Values:"},
};

constexpr ItemText kTurkish[] = {
    {ADVANCED_DPI_LABEL, "[X]DPI/M:"},
    {ADVANCED_Y_STEP_LABEL, "Y Adım Değeri:"},
    {ADVANCED_WIDTH_LABEL, "Çizim Genişliği:"},
    {ADVANCED_CM, "cm"},
    {ADVANCED_SPEED_GROUP, "Çizim Hızı Ayarları"},
    {IDC_ENABLE_SPEED, "Hız Ayarlarını Etkinleştir"},
    {IDC_LOW_SPEED, "Düşük Hız"},
    {IDC_MIDDLE_SPEED, "Orta Hız"},
    {IDC_HIGH_SPEED, "Yüksek Hız"},
    {ADVANCED_USB_GROUP, "USB Ayarları"},
    {ADVANCED_DATA_FLOW_LABEL, "Veri Akış Miktarı:"},
    {ADVANCED_OVERTIME_LABEL, "Zaman Aşımı Değeri:"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {ADVANCED_DPI_LABEL, "[X]DPI/M："},
    {ADVANCED_Y_STEP_LABEL, "Y步进值："},
    {ADVANCED_WIDTH_LABEL, "打印宽度："},
    {ADVANCED_CM, "厘米"},
    {ADVANCED_SPEED_GROUP, "打印速度设置"},
    {IDC_ENABLE_SPEED, "启用速度设置"},
    {IDC_LOW_SPEED, "低速"},
    {IDC_MIDDLE_SPEED, "中速"},
    {IDC_HIGH_SPEED, "高速"},
    {ADVANCED_USB_GROUP, "USB设置"},
    {ADVANCED_DATA_FLOW_LABEL, "数据流量："},
    {ADVANCED_OVERTIME_LABEL, "超时值："},
};

}  // namespace

extern const ResourceTexts kAdvancedPageTexts{IDD_ADVANCED_PAGE, kTraditionalChinese, kEnglish, kTurkish, kSimplifiedChinese};

}  // namespace res
