#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

// What the controls of a settings dialog hold, by control id: the text of
// each edit (the address control's text is its dotted address, empty when
// blank; the work folder's text is the folder's bytes) and the tick of each
// check box and radio button.
struct ControlValues {
    std::map<unsigned, std::string> texts;
    std::map<unsigned, bool> ticks;

    // Empty or false for a control that is not there.
    std::string Text(unsigned id) const;
    bool Ticked(unsigned id) const;
    // The first of ids that is ticked; -1 when none is.
    int FirstTicked(std::initializer_list<unsigned> ids) const;
};

// The longest texts the dialogs read from a number edit: the settings pages
// read at most 98 characters, "Set" and the common settings dialog 258.
inline constexpr std::size_t kPageTextLimit = 98;
inline constexpr std::size_t kLongTextLimit = 258;

// "%d".
std::string WholeText(int32_t value);
// The leading whole number of the first limit characters of text: blanks,
// a sign, digits; no digits give 0.
int32_t WholeNumber(std::string_view text, std::size_t limit);
// The leading decimal number of the first limit characters of text as a
// 32-bit float; no number gives 0, a number beyond the float range the
// largest float of its sign.
float DecimalNumber(std::string_view text, std::size_t limit);
