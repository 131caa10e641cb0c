#include "res/resource_texts.h"
#include "res/settings_ids.h"

// The "Plotting" page of the settings dialog.
namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {PLOTTING_CORRECTION_GROUP, "校正(釐米)"},
    {PLOTTING_L_IDEAL_LABEL, "長-理論："},
    {PLOTTING_L_REAL_LABEL, "長-實際："},
    {PLOTTING_W_IDEAL_LABEL, "寬-理論："},
    {PLOTTING_W_REAL_LABEL, "寬-實際："},
    {PLOTTING_ORIGIN_LABEL, "原點："},
    {PLOTTING_MM, "毫米"},
    {PLOTTING_LINE_CORRECT_LABEL, "線條校正："},
    {IDC_MIRROR, "鏡像"},
    {IDC_ROTATE90, "旋轉90度"},
    {IDC_CLOCKWISE, "順時針"},
    {IDC_COUNTERCLOCKWISE, "逆時針"},
    {IDC_AUTO_PLOT, "自動打印"},
    {IDC_AUTO_DELETE, "自動刪除"},
    {PLOTTING_JOINT_GROUP, "拼接校正"},
    {PLOTTING_HPP, "HPP"},
    {IDC_INCREASE, "增加"},
    {IDC_DECREASE, "減少"},
    {IDC_SET_JOINT_CORRECTION, "設置"},
};

constexpr ItemText kEnglish[] = {
    {PLOTTING_CORRECTION_GROUP, "Correction(cm)"},
    {PLOTTING_L_IDEAL_LABEL, "L-Ideal:"},
    {PLOTTING_L_REAL_LABEL, "L-Real:"},
    {PLOTTING_W_IDEAL_LABEL, "W-Ideal:"},
    {PLOTTING_W_REAL_LABEL, "W-Real:"},
    {PLOTTING_ORIGIN_LABEL, "Origin Point:"},
    {PLOTTING_MM, "mm"},
    {PLOTTING_LINE_CORRECT_LABEL, "Line Correct:"},
    {IDC_MIRROR, "Mirror"},
    {IDC_ROTATE90, "Rotate90"},
    {IDC_CLOCKWISE, "CW"},
    {IDC_COUNTERCLOCKWISE, "CCW"},
    {IDC_AUTO_PLOT, "AutoPlot"},
    {IDC_AUTO_DELETE, "AutoDelete"},
    {PLOTTING_JOINT_GROUP, "Joint Correction"},
    {PLOTTING_HPP, "HPP"},
    {IDC_INCREASE, "Increase The Max"},
    {IDC_DECREASE, "Decreasement"},
    {IDC_SET_JOINT_CORRECTION, "Set"},
};

constexpr ItemText kTurkish[] = {
    {PLOTTING_CORRECTION_GROUP, "Düzeltme(cm)"},
    {PLOTTING_L_IDEAL_LABEL, "U-İdeal:"},
    {PLOTTING_L_REAL_LABEL, "U-Gerçek:"},
    {PLOTTING_W_IDEAL_LABEL, "G-İdeal:"},
    {PLOTTING_W_REAL_LABEL, "G-Gerçek:"},
    {PLOTTING_ORIGIN_LABEL, "Başlangıç Noktası:"},
    {PLOTTING_MM, "mm"},
    {PLOTTING_LINE_CORRECT_LABEL, "Çizgi Düzeltme:"},
    {IDC_MIRROR, "Ayna"},
    {IDC_ROTATE90, "90° Döndür"},
    {IDC_CLOCKWISE, "Saat Yönü"},
    {IDC_COUNTERCLOCKWISE, "Saat Tersi"},
    {IDC_AUTO_PLOT, "Otomatik Çiz"},
    {IDC_AUTO_DELETE, "Otomatik Sil"},
    {PLOTTING_JOINT_GROUP, "Ek Yeri Düzeltme"},
    {PLOTTING_HPP, "HPP"},
    {IDC_INCREASE, "Artır"},
    {IDC_DECREASE, "Azalt"},
    {IDC_SET_JOINT_CORRECTION, "Ayarla"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {PLOTTING_CORRECTION_GROUP, "校正(厘米)"},
    {PLOTTING_L_IDEAL_LABEL, "长-理论："},
    {PLOTTING_L_REAL_LABEL, "长-实际："},
    {PLOTTING_W_IDEAL_LABEL, "宽-理论："},
    {PLOTTING_W_REAL_LABEL, "宽-实际："},
    {PLOTTING_ORIGIN_LABEL, "原点："},
    {PLOTTING_MM, "毫米"},
    {PLOTTING_LINE_CORRECT_LABEL, "线条校正："},
    {IDC_MIRROR, "镜像"},
    {IDC_ROTATE90, "旋转90度"},
    {IDC_CLOCKWISE, "顺时针"},
    {IDC_COUNTERCLOCKWISE, "逆时针"},
    {IDC_AUTO_PLOT, "自动打印"},
    {IDC_AUTO_DELETE, "自动删除"},
    {PLOTTING_JOINT_GROUP, "拼接校正"},
    {PLOTTING_HPP, "HPP"},
    {IDC_INCREASE, "增加"},
    {IDC_DECREASE, "减少"},
    {IDC_SET_JOINT_CORRECTION, "设置"},
};

}  // namespace

extern const ResourceTexts kPlottingPageTexts{IDD_PLOTTING_PAGE, kTraditionalChinese, kEnglish, kTurkish, kSimplifiedChinese};

}  // namespace res
