#include "res/resource_ids.h"
#include "res/resource_texts.h"

namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {ITEM_CAPTION, "請輸入打印起始位置"},
    {START_POSITION_LABEL, "起始位置:"},
    {START_POSITION_UNIT, "釐米"},
    {IDC_START_PLOT, "打印"},
    {IDC_START_CANCEL, "取消"},
    {IDC_START_SET, "設置"},
};

constexpr ItemText kEnglish[] = {
    {ITEM_CAPTION, "Please Input The Start Position"},
    {START_POSITION_LABEL, "Start Position:"},
    {START_POSITION_UNIT, "cm"},
    {IDC_START_PLOT, "Plot"},
    {IDC_START_CANCEL, "Cancel"},
    {IDC_START_SET, "Set"},
};

constexpr ItemText kTurkish[] = {
    {ITEM_CAPTION, "Lütfen Başlangıç Pozisyonunu Girin"},
    {START_POSITION_LABEL, "Başlangıç Pozisyonu:"},
    {START_POSITION_UNIT, "cm"},
    {IDC_START_PLOT, "Çiz"},
    {IDC_START_CANCEL, "İptal"},
    {IDC_START_SET, "Ayar"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {ITEM_CAPTION, "请输入打印起始位置"},
    {START_POSITION_LABEL, "起始位置:"},
    {START_POSITION_UNIT, "厘米"},
    {IDC_START_PLOT, "打印"},
    {IDC_START_CANCEL, "取消"},
    {IDC_START_SET, "设置"},
};

}  // namespace

extern const ResourceTexts kStartPositionDialogTexts{IDD_START_POSITION, kTraditionalChinese, kEnglish, kTurkish,
                                                     kSimplifiedChinese};

}  // namespace res
