#include "res/resource_texts.h"

namespace res {

extern const ResourceTexts kAboutDialogTexts;
extern const ResourceTexts kMainMenuTexts;
extern const ResourceTexts kJobContextMenuTexts;

std::span<const ResourceTexts* const> AllResourceTexts() {
    static const ResourceTexts* const all[] = {
        &kAboutDialogTexts,
        &kMainMenuTexts,
        &kJobContextMenuTexts,
    };
    return all;
}

}  // namespace res
