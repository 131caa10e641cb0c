#include "res/resource_ids.h"
#include "res/resource_texts.h"

namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {POPUP_OPERATIONS, "(&O)操作"},
    {ID_PLOT, "打印(&P)"},
    {ID_ABORT, "中止(&B)"},
    {ID_DELETE_FILE, "刪除(&E)"},
    {ID_PREVIEW, "預覽(&W)"},
    {ID_PLOT_PREVIEW, "輸出預覽(&O)"},
    {ID_SECT_PREVIEW, "分段(&S)預覽"},
    {ID_FINAL_VIEW, "最終(&F)視圖"},
    {ID_MOVE_UP, "上移(&U)"},
    {ID_MOVE_DOWN, "下移(&D)"},
    {ID_MOVE_TO_FIRST, "移到最前(&F)"},
    {ID_ADD_ONE, "加一次(&A)"},
    {ID_SUBTRACT_ONE, "減一次(&S)"},
};

constexpr ItemText kEnglish[] = {
    {POPUP_OPERATIONS, "(&O)Operations"},
    {ID_PLOT, "Plot(&P)"},
    {ID_ABORT, "Abort(&B)"},
    {ID_DELETE_FILE, "Del(&E)"},
    {ID_PREVIEW, "Preview(&W)"},
    {ID_PLOT_PREVIEW, "Plot Preview(&O)"},
    {ID_SECT_PREVIEW, "Sect(&S) Preview"},
    {ID_FINAL_VIEW, "Final(&F) View"},
    {ID_MOVE_UP, "Move Up(&U)"},
    {ID_MOVE_DOWN, "Move Down(&D)"},
    {ID_MOVE_TO_FIRST, "Move To First(&F)"},
    {ID_ADD_ONE, "Add One(&A)"},
    {ID_SUBTRACT_ONE, "Subtract One(&S)"},
};

constexpr ItemText kTurkish[] = {
    {POPUP_OPERATIONS, "(&O)İşlemler"},
    {ID_PLOT, "Çiz(&P)"},
    {ID_ABORT, "Durdur(&B)"},
    {ID_DELETE_FILE, "Sil(&E)"},
    {ID_PREVIEW, "Önizleme(&W)"},
    {ID_PLOT_PREVIEW, "Çıktı Önizleme(&O)"},
    {ID_SECT_PREVIEW, "Bölüm(&S) Önizleme"},
    {ID_FINAL_VIEW, "Son(&F) Görünüm"},
    {ID_MOVE_UP, "Yukarı Taşı(&U)"},
    {ID_MOVE_DOWN, "Aşağı Taşı(&D)"},
    {ID_MOVE_TO_FIRST, "En Başa Taşı(&F)"},
    {ID_ADD_ONE, "Bir Artır(&A)"},
    {ID_SUBTRACT_ONE, "Bir Azalt(&S)"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {POPUP_OPERATIONS, "(&O)操作"},
    {ID_PLOT, "打印(&P)"},
    {ID_ABORT, "中止(&B)"},
    {ID_DELETE_FILE, "删除(&E)"},
    {ID_PREVIEW, "预览(&W)"},
    {ID_PLOT_PREVIEW, "输出预览(&O)"},
    {ID_SECT_PREVIEW, "分段(&S)预览"},
    {ID_FINAL_VIEW, "最终(&F)视图"},
    {ID_MOVE_UP, "上移(&U)"},
    {ID_MOVE_DOWN, "下移(&D)"},
    {ID_MOVE_TO_FIRST, "移到最前(&F)"},
    {ID_ADD_ONE, "加一次(&A)"},
    {ID_SUBTRACT_ONE, "减一次(&S)"},
};

}  // namespace

extern const ResourceTexts kJobContextMenuTexts{IDR_JOB_CONTEXT_MENU, kTraditionalChinese, kEnglish, kTurkish,
                                                kSimplifiedChinese};

}  // namespace res
