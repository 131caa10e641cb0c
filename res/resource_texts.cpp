#include "res/resource_texts.h"

namespace res {

extern const ResourceTexts kAboutDialogTexts;
extern const ResourceTexts kMainMenuTexts;
extern const ResourceTexts kJobContextMenuTexts;
extern const ResourceTexts kStartPositionDialogTexts;
extern const ResourceTexts kBufFileManagerDialogTexts;
extern const ResourceTexts kSettingsDialogTexts;
extern const ResourceTexts kSystemPageTexts;
extern const ResourceTexts kPlottingPageTexts;
extern const ResourceTexts kAdvancedPageTexts;
extern const ResourceTexts kOthersPageTexts;
extern const ResourceTexts kNetworkPageTexts;
extern const ResourceTexts kCommonSettingsTexts;

std::span<const ResourceTexts* const> AllResourceTexts() {
    static const ResourceTexts* const all[] = {
        &kAboutDialogTexts,
        &kMainMenuTexts,
        &kJobContextMenuTexts,
        &kStartPositionDialogTexts,
        &kBufFileManagerDialogTexts,
        &kSettingsDialogTexts,
        &kSystemPageTexts,
        &kPlottingPageTexts,
        &kAdvancedPageTexts,
        &kOthersPageTexts,
        &kNetworkPageTexts,
        &kCommonSettingsTexts,
    };
    return all;
}

}  // namespace res
