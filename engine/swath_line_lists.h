#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/drawing.h"
#include "engine/line_budget.h"
#include "engine/swath_plan.h"

// The lines of a prepared drawing sorted by swath: every line is cut at the
// swath boundaries and each piece goes to the list of its swath. Pieces keep
// the drawing's absolute coordinates.
class CSwathLineLists {
public:
    // The most swaths a drawing may have.
    static constexpr int32_t kMaxSwaths = (1 << 23) - 1;

    // One empty list per swath of the plan, replacing the lists held so far.
    // False, with nothing changed, for a swath count outside 1 to kMaxSwaths;
    // false with no lists when the memory cannot be had.
    bool Allocate();
    void Free();
    // Cuts every line of drawing into the lists. False after the message
    // "Data width error." when the plan's swath height is 0, and false with
    // the lists left empty when the pieces would pass m_nMaxLines.
    bool SplitLines(const Drawing* drawing);

    // The list of swath k (0 <= k < m_nCount); lists must be allocated.
    const LineArray& List(int32_t k) const { return m_pLists[k]; }

    SwathPlan* m_pPlan = nullptr;
    int32_t m_nCount = 0;
    std::unique_ptr<LineArray[]> m_pLists;
    // The most pieces all lists together may hold.
    std::size_t m_nMaxLines = DrawingLineBudget();
};
