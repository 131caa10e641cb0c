#include "res/resource_texts.h"

namespace res {

extern const ResourceTexts kAboutDialogTexts;
extern const ResourceTexts kMainMenuTexts;
extern const ResourceTexts kJobContextMenuTexts;
extern const ResourceTexts kStartPositionDialogTexts;
extern const ResourceTexts kBufFileManagerDialogTexts;

std::span<const ResourceTexts* const> AllResourceTexts() {
    static const ResourceTexts* const all[] = {
        &kAboutDialogTexts,
        &kMainMenuTexts,
        &kJobContextMenuTexts,
        &kStartPositionDialogTexts,
        &kBufFileManagerDialogTexts,
    };
    return all;
}

}  // namespace res
