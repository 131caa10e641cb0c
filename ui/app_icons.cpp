#include "ui/app_icons.h"

#include "res/resource_ids.h"

namespace {

struct CommandPicture {
    unsigned id;
    const char* file;
};

constexpr CommandPicture kPictures[] = {
    {res::ID_FILE_OPEN, ":/icons/add_files.svg"},
    {res::ID_PLOT, ":/icons/plot.svg"},
    {res::ID_ABORT, ":/icons/abort.svg"},
    {res::ID_USER_SETTINGS, ":/icons/settings.svg"},
    {res::ID_ZOOM_IN, ":/icons/zoom_in.svg"},
    {res::ID_ZOOM_OUT, ":/icons/zoom_out.svg"},
    {res::ID_DISPLAY_ALL, ":/icons/display_all.svg"},
    {res::ID_ADD_ONE, ":/icons/add_one.svg"},
    {res::ID_SUBTRACT_ONE, ":/icons/subtract_one.svg"},
    {res::ID_PLOT_PREVIEW, ":/icons/plot_preview.svg"},
    {res::ID_APP_ABOUT, ":/icons/about.svg"},
};

}  // namespace

QIcon MainIcon() { return QIcon(":/icons/main.svg"); }

QIcon CommandIcon(unsigned id) {
    for (const auto& picture : kPictures) {
        if (picture.id == id) return QIcon(picture.file);
    }
    return {};
}
