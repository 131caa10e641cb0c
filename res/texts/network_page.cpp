#include "res/resource_texts.h"
#include "res/settings_ids.h"

// The "Net" page of the settings dialog.
namespace res {
namespace {

constexpr ItemText kTraditionalChinese[] = {
    {NET_PLOTTER_GROUP, "機器IP地址"},
    {NET_ADDRESS_LABEL, "IP地址："},
    {IDC_SET_IP, "設置"},
    {IDC_SPINNER, "-"},
    {NET_HOST_GROUP, "電腦IP地址"},
};

constexpr ItemText kEnglish[] = {
    {NET_PLOTTER_GROUP, "Plotter IP"},
    {NET_ADDRESS_LABEL, "IP Address:"},
    {IDC_SET_IP, "Set"},
    {IDC_SPINNER, "-"},
    {NET_HOST_GROUP, "Host IP"},
};

constexpr ItemText kTurkish[] = {
    {NET_PLOTTER_GROUP, "Çizici IP"},
    {NET_ADDRESS_LABEL, "IP Adresi:"},
    {IDC_SET_IP, "Ayarla"},
    {IDC_SPINNER, "-"},
    {NET_HOST_GROUP, "Bilgisayar IP"},
};

constexpr ItemText kSimplifiedChinese[] = {
    {NET_PLOTTER_GROUP, "机器IP地址"},
    {NET_ADDRESS_LABEL, "IP地址："},
    {IDC_SET_IP, "设置"},
    {IDC_SPINNER, "-"},
    {NET_HOST_GROUP, "电脑IP地址"},
};

}  // namespace

extern const ResourceTexts kNetworkPageTexts{IDD_NETWORK_PAGE, kTraditionalChinese, kEnglish, kTurkish, kSimplifiedChinese};

}  // namespace res
