#include "engine/line_budget.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "engine/line_f.h"

namespace {

constexpr std::size_t kLineCeiling = std::size_t{32} << 20;

std::size_t PhysicalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return SIZE_MAX;
    return static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
}

}  // namespace

std::size_t DrawingLineBudget() {
    static const std::size_t budget = std::min(kLineCeiling, PhysicalMemory() / 16 / sizeof(LineF));
    return budget;
}
