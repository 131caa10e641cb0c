#include "engine/swath_line_lists.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>
#include <span>
#include <utility>

#include "core/numeric.h"
#include "platform/message_box.h"
#include "platform/string_table.h"

namespace {

constexpr unsigned kDataWidthError = 161;
constexpr unsigned kFrameworkCaption = 57344;

// The list that a point at height y belongs to. A y beyond the height the
// plan was made for (or not a number at all) lands in the last or the first
// list instead of outside them.
int32_t SwathOf(float y, float swathHeight, int32_t count) {
    return std::clamp(TruncateToInt32Clamped(double{y} / swathHeight), 0, count - 1);
}

// Boundary between swaths k and k + 1, rounded to float like every stored coordinate.
float SwathTop(float swathHeight, int32_t k) { return static_cast<float>(double{swathHeight} * (k + 1)); }

// The line with y1 <= y2 and no y below 0, as it is cut.
LineF Ordered(LineF line) {
    if (line.y2 < line.y1) {
        std::swap(line.x1, line.x2);
        std::swap(line.y1, line.y2);
    }
    if (line.y1 < 0) line.y1 = 0;
    if (line.y2 < 0) line.y2 = 0;
    return line;
}

bool IsVertical(const LineF& line) { return std::fabs(line.x1 - line.x2) < 1e-5; }
bool IsHorizontal(const LineF& line) { return std::fabs(line.y1 - line.y2) < 1e-5; }

// The lists that the pieces of an ordered line go to: first to last.
struct ListRange {
    int32_t first;
    int32_t last;
};

ListRange ListsOf(const LineF& line, float swathHeight, int32_t count) {
    const int32_t first = SwathOf(line.y1, swathHeight, count);
    if (!IsVertical(line) && IsHorizontal(line)) return {first, first};
    return {first, SwathOf(line.y2, swathHeight, count)};
}

// Cuts an ordered line at the swath boundaries into the lists of its range.
void PlaceLine(const LineF& line, ListRange range, float swathHeight, LineArray* lists) {
    const auto [first, last] = range;
    if (IsVertical(line)) {
        float ys = line.y1;
        for (int32_t k = first; k < last; ++k) {
            const float cut = SwathTop(swathHeight, k);
            lists[k].push_back({line.x1, ys, line.x1, cut});
            ys = cut;
        }
        lists[last].push_back({line.x1, ys, line.x2, line.y2});
        return;
    }
    if (IsHorizontal(line)) {
        lists[first].push_back(line);
        return;
    }
    // Each cut is measured from the line's start, so rounding does not build
    // up from piece to piece. Formed in double, stored as float.
    const float slope = static_cast<float>((double{line.x2} - line.x1) / (double{line.y2} - line.y1));
    float xs = line.x1;
    float ys = line.y1;
    for (int32_t k = first; k < last; ++k) {
        const float yc = SwathTop(swathHeight, k);
        const float xc = static_cast<float>(double{line.x1} + double{slope} * yc - double{slope} * line.y1);
        lists[k].push_back({xs, ys, xc, yc});
        xs = xc;
        ys = yc;
    }
    lists[last].push_back({xs, ys, line.x2, line.y2});
}

}  // namespace

bool CSwathLineLists::Allocate() {
    if (m_pPlan == nullptr) return false;
    const int32_t count = m_pPlan->m_nSwathCount;
    if (count < 1 || count > kMaxSwaths) return false;
    Free();
    m_nCount = count;
    try {
        m_pLists = std::make_unique<LineArray[]>(count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CSwathLineLists::Free() { m_pLists.reset(); }

bool CSwathLineLists::SplitLines(const Drawing* drawing) {
    if (drawing->m_nLines == 0) return true;
    if (m_pPlan == nullptr || m_pLists == nullptr) return false;

    const auto swathHeight = static_cast<float>(m_pPlan->m_nSwathHeight);
    if (swathHeight == 0) {
        platform::ShowMessage({platform::LoadString(kDataWidthError), platform::LoadString(kFrameworkCaption),
                               platform::MessageButtons::Ok, platform::MessageIcon::Exclamation});
        return false;
    }
    const std::span<const LineF> lines(drawing->m_lines.data(),
                                       std::min<std::size_t>(drawing->m_nLines, drawing->m_lines.size()));

    // A line's pieces are counted before they are copied: lists that would
    // pass the budget are emptied again and the drawing refused.
    std::size_t pieces = 0;
    for (const LineF& line : lines) {
        const LineF ordered = Ordered(line);
        const ListRange range = ListsOf(ordered, swathHeight, m_nCount);
        pieces += static_cast<std::size_t>(range.last - range.first) + 1;
        if (pieces > m_nMaxLines) {
            for (int32_t k = 0; k < m_nCount; ++k) LineArray().swap(m_pLists[k]);
            return false;
        }
        PlaceLine(ordered, range, swathHeight, m_pLists.get());
    }
    return true;
}
