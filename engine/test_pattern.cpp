#include "engine/test_pattern.h"

#include <algorithm>

namespace {

constexpr int32_t kFirstStripeX = 300;

// 3 x (beltWidth + 1) plotter units, the stripe's width. No wider than the
// whole two-pass pattern either way: a mistyped BELTWIDTH would otherwise ask
// for billions of lines.
constexpr int64_t kMaxStripeWidth = 24000;

int32_t StripeWidth(int32_t beltWidth) {
    return static_cast<int32_t>(std::clamp<int64_t>(3 * (int64_t{beltWidth} + 1), -kMaxStripeWidth, kMaxStripeWidth));
}

}  // namespace

LineArray TestPatternStripes(bool fourPass, int32_t beltWidth, int pass, int32_t swathHeight) {
    const int32_t step = fourPass ? 460 : 960;
    const int32_t stripes = fourPass ? 20 : 25;
    const int32_t linesPerStripe = std::max(StripeWidth(beltWidth), 0);
    const auto top = static_cast<float>(static_cast<double>(swathHeight) * pass);
    const auto bottom = static_cast<float>(static_cast<double>(swathHeight) * (pass + 1) - 1);

    LineArray lines;
    lines.reserve(static_cast<size_t>(stripes) * static_cast<size_t>(linesPerStripe));
    for (int32_t k = 0; k < stripes; ++k) {
        const int32_t x0 = kFirstStripeX + k * step;
        for (int32_t i = 0; i < linesPerStripe; ++i) {
            const auto x = static_cast<float>(x0 + i);
            lines.push_back({x, top, x, bottom});
        }
    }
    return lines;
}

int32_t StartingLabelX(int32_t beltWidth) { return 9040 + StripeWidth(beltWidth); }
