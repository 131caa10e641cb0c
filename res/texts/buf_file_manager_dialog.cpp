#include "res/resource_ids.h"
#include "res/resource_texts.h"

namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {ITEM_CAPTION, "打印目錄文件管理"},
    {IDC_BUF_SELECT_ALL, "全選"},
    {IDC_BUF_UNSELECT, "全不選"},
    {IDC_BUF_DELETE_ALL, "全部刪除"},
    {IDC_BUF_DELETE, "刪除選中"},
    {IDC_BUF_PLOT, "打印"},
};

constexpr ItemText kEnglish[] = {
    {ITEM_CAPTION, "WorkPlace FileManger"},
    {IDC_BUF_SELECT_ALL, "Select All"},
    {IDC_BUF_UNSELECT, "UnSelect"},
    {IDC_BUF_DELETE_ALL, "Delete All"},
    {IDC_BUF_DELETE, "Delete"},
    {IDC_BUF_PLOT, "Plot"},
};

constexpr ItemText kTurkish[] = {
    {ITEM_CAPTION, "Çalışma Alanı Dosya Yöneticisi"},
    {IDC_BUF_SELECT_ALL, "Tümünü Seç"},
    {IDC_BUF_UNSELECT, "Seçimi İptal Et"},
    {IDC_BUF_DELETE_ALL, "Tümünü Sil"},
    {IDC_BUF_DELETE, "Sil"},
    {IDC_BUF_PLOT, "Çiz"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {ITEM_CAPTION, "打印目录文件管理"},
    {IDC_BUF_SELECT_ALL, "全选"},
    {IDC_BUF_UNSELECT, "全不选"},
    {IDC_BUF_DELETE_ALL, "全部删除"},
    {IDC_BUF_DELETE, "删除选中"},
    {IDC_BUF_PLOT, "打印"},
};

}  // namespace

extern const ResourceTexts kBufFileManagerDialogTexts{IDD_BUF_FILE_MANAGER, kTraditionalChinese, kEnglish, kTurkish,
                                                      kSimplifiedChinese};

}  // namespace res
