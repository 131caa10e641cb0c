#pragma once

#include <span>

// The texts of the program's menus and dialog templates in the four
// user-interface languages, keyed by resource id (menu or dialog template)
// and item id (command or control id; texts without an id of their own get
// one from resource_ids.h).
namespace res {

struct ItemText {
    unsigned item;
    const char* text;  // UTF-8
};

struct ResourceTexts {
    unsigned resource;
    std::span<const ItemText> traditionalChinese;
    std::span<const ItemText> english;
    std::span<const ItemText> turkish;
    std::span<const ItemText> simplifiedChinese;
};

// Every resource's texts, in no particular order.
std::span<const ResourceTexts* const> AllResourceTexts();

}  // namespace res
