#include "ui/control_values.h"

#include "platform/c_numbers.h"

std::string ControlValues::Text(unsigned id) const {
    const auto found = texts.find(id);
    return found == texts.end() ? std::string() : found->second;
}

bool ControlValues::Ticked(unsigned id) const {
    const auto found = ticks.find(id);
    return found != ticks.end() && found->second;
}

int ControlValues::FirstTicked(std::initializer_list<unsigned> ids) const {
    int index = 0;
    for (const unsigned id : ids) {
        if (Ticked(id)) return index;
        ++index;
    }
    return -1;
}

std::string WholeText(int32_t value) { return std::to_string(value); }

int32_t WholeNumber(std::string_view text, std::size_t limit) { return platform::Atoi(text.substr(0, limit)); }

float DecimalNumber(std::string_view text, std::size_t limit) {
    return platform::ReadDecimalFloat(text.substr(0, limit));
}
