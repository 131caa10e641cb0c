#include "res/resource_texts.h"
#include "res/settings_ids.h"

// The "System" page of the settings dialog.
namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {SYSTEM_LINE_WIDTH_LABEL, "線寬："},
    {SYSTEM_HPP, "HPP"},
    {SYSTEM_NOZZLE_GROUP, "噴頭設置"},
    {IDC_ONE_HEAD, "單頭"},
    {IDC_TWO_HEADS, "雙頭"},
    {IDC_THREE_HEADS, "三頭"},
    {IDC_FOUR_HEADS, "四頭"},
    {SYSTEM_OFFSET_LABEL, "偏移"},
    {SYSTEM_OFFSET_CORRECT_LABEL, "偏移校正"},
    {IDC_HEAD_OPEN[0], "1號"},
    {IDC_HEAD_OPEN[1], "2號"},
    {IDC_HEAD_OPEN[2], "3號"},
    {IDC_HEAD_OPEN[3], "4號"},
    {SYSTEM_NOZZLE_WIDTH_LABEL, "噴嘴寬度："},
    {IDC_COMPRESSED, "壓縮"},
};

constexpr ItemText kEnglish[] = {
    {SYSTEM_LINE_WIDTH_LABEL, "Line Width:"},
    {SYSTEM_HPP, "HPP"},
    {SYSTEM_NOZZLE_GROUP, "Nozzle Settings"},
    {IDC_ONE_HEAD, "One"},
    {IDC_TWO_HEADS, "Double"},
    {IDC_THREE_HEADS, "Triple"},
    {IDC_FOUR_HEADS, "Fourflod"},
    {SYSTEM_OFFSET_LABEL, "Offset"},
    {SYSTEM_OFFSET_CORRECT_LABEL, "OffsetCorrect"},
    {IDC_HEAD_OPEN[0], "No.1"},
    {IDC_HEAD_OPEN[1], "No.2"},
    {IDC_HEAD_OPEN[2], "No.3"},
    {IDC_HEAD_OPEN[3], "No.4"},
    {SYSTEM_NOZZLE_WIDTH_LABEL, "Nozzle Width:"},
    {IDC_COMPRESSED, "Compressed"},
};

constexpr ItemText kTurkish[] = {
    {SYSTEM_LINE_WIDTH_LABEL, "Çizgi Genişliği:"},
    {SYSTEM_HPP, "HPP"},
    {SYSTEM_NOZZLE_GROUP, "Nozül Ayarları"},
    {IDC_ONE_HEAD, "Tek"},
    {IDC_TWO_HEADS, "Çift"},
    {IDC_THREE_HEADS, "Üçlü"},
    {IDC_FOUR_HEADS, "Dörtlü"},
    {SYSTEM_OFFSET_LABEL, "Ofset"},
    {SYSTEM_OFFSET_CORRECT_LABEL, "Ofset Düzeltme"},
    {IDC_HEAD_OPEN[0], "No.1"},
    {IDC_HEAD_OPEN[1], "No.2"},
    {IDC_HEAD_OPEN[2], "No.3"},
    {IDC_HEAD_OPEN[3], "No.4"},
    {SYSTEM_NOZZLE_WIDTH_LABEL, "Nozül Genişliği:"},
    {IDC_COMPRESSED, "Sıkıştırılmış"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {SYSTEM_LINE_WIDTH_LABEL, "线宽："},
    {SYSTEM_HPP, "HPP"},
    {SYSTEM_NOZZLE_GROUP, "喷头设置"},
    {IDC_ONE_HEAD, "单头"},
    {IDC_TWO_HEADS, "双头"},
    {IDC_THREE_HEADS, "三头"},
    {IDC_FOUR_HEADS, "四头"},
    {SYSTEM_OFFSET_LABEL, "偏移"},
    {SYSTEM_OFFSET_CORRECT_LABEL, "偏移校正"},
    {IDC_HEAD_OPEN[0], "1号"},
    {IDC_HEAD_OPEN[1], "2号"},
    {IDC_HEAD_OPEN[2], "3号"},
    {IDC_HEAD_OPEN[3], "4号"},
    {SYSTEM_NOZZLE_WIDTH_LABEL, "喷嘴宽度："},
    {IDC_COMPRESSED, "压缩"},
};

}  // namespace

extern const ResourceTexts kSystemPageTexts{IDD_SYSTEM_PAGE, kTraditionalChinese, kEnglish, kTurkish, kSimplifiedChinese};

}  // namespace res
