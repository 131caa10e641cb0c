#include "res/resource_ids.h"
#include "res/resource_texts.h"

namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {POPUP_PRINT, "打印(&P)"},
    {ID_FILE_OPEN, "打開(&O)"},
    {ID_MANUAL_PLOT, "指定位置打印(&A)"},
    {ID_APP_EXIT, "退出(&X)"},
    {POPUP_VIEW, "視圖(&V)"},
    {POPUP_DISPLAY_SCALE, "顯示比例(&A)"},
    {ID_ZOOM_IN, "+20%\t Shift  A"},
    {ID_ZOOM_OUT, "-20%\t Shift  Z"},
    {ID_ZOOM_100, "100%\t Shift  1"},
    {ID_ZOOM_50, "50%\t Shift  5"},
    {POPUP_SETTINGS, "設置(&S)"},
    {ID_USER_SETTINGS, "用戶設置(&C)"},
    {ID_FACTORY_SETTINGS, "廠家設置(&F)"},
    {POPUP_HELP, "幫助(&H)"},
    {ID_APP_ABOUT, "關於(&A)"},
};

constexpr ItemText kEnglish[] = {
    {POPUP_PRINT, "Print(&P)"},
    {ID_FILE_OPEN, "Open(&O)"},
    {ID_MANUAL_PLOT, "Manual Plot(&A)"},
    {ID_APP_EXIT, "Exit(&X)"},
    {POPUP_VIEW, "View(&V)"},
    {POPUP_DISPLAY_SCALE, "Display Scale(&A)"},
    {ID_ZOOM_IN, "+20%\t Shift  A"},
    {ID_ZOOM_OUT, "-20%\t Shift  Z"},
    {ID_ZOOM_100, "100%\t Shift  1"},
    {ID_ZOOM_50, "50%\t Shift  5"},
    {POPUP_SETTINGS, "Settings(&S)"},
    {ID_USER_SETTINGS, "Users Settings(&C)"},
    {ID_FACTORY_SETTINGS, "Factory Settings(&F)"},
    {POPUP_HELP, "Help(&H)"},
    {ID_APP_ABOUT, "About(&A)"},
};

constexpr ItemText kTurkish[] = {
    {POPUP_PRINT, "Çizim(&P)"},
    {ID_FILE_OPEN, "Aç(&O)"},
    {ID_MANUAL_PLOT, "Konumdan Çiz(&A)"},
    {ID_APP_EXIT, "Çıkış(&X)"},
    {POPUP_VIEW, "Görünüm(&V)"},
    {POPUP_DISPLAY_SCALE, "Görüntü Ölçeği(&A)"},
    {ID_ZOOM_IN, "+20%\t Shift  A"},
    {ID_ZOOM_OUT, "-20%\t Shift  Z"},
    {ID_ZOOM_100, "100%\t Shift  1"},
    {ID_ZOOM_50, "50%\t Shift  5"},
    {POPUP_SETTINGS, "Ayarlar(&S)"},
    {ID_USER_SETTINGS, "Kullanıcı Ayarları(&C)"},
    {ID_FACTORY_SETTINGS, "Fabrika Ayarları(&F)"},
    {POPUP_HELP, "Yardım(&H)"},
    {ID_APP_ABOUT, "Hakkında(&A)"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {POPUP_PRINT, "打印(&P)"},
    {ID_FILE_OPEN, "打开(&O)"},
    {ID_MANUAL_PLOT, "指定位置打印(&A)"},
    {ID_APP_EXIT, "退出(&X)"},
    {POPUP_VIEW, "视图(&V)"},
    {POPUP_DISPLAY_SCALE, "显示比例(&A)"},
    {ID_ZOOM_IN, "+20%\t Shift  A"},
    {ID_ZOOM_OUT, "-20%\t Shift  Z"},
    {ID_ZOOM_100, "100%\t Shift  1"},
    {ID_ZOOM_50, "50%\t Shift  5"},
    {POPUP_SETTINGS, "设置(&S)"},
    {ID_USER_SETTINGS, "用户设置(&C)"},
    {ID_FACTORY_SETTINGS, "厂家设置(&F)"},
    {POPUP_HELP, "帮助(&H)"},
    {ID_APP_ABOUT, "关于(&A)"},
};

}  // namespace

extern const ResourceTexts kMainMenuTexts{IDR_MAINFRAME, kTraditionalChinese, kEnglish, kTurkish,
                                          kSimplifiedChinese};

}  // namespace res
