#include "platform/glyph_outline.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <limits>
#include <map>
#include <mutex>
#include <numbers>
#include <optional>
#include <tuple>
#include <utility>

#include "core/numeric.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

using FontFile = std::pair<std::string, int>;  // path and face index in it

// Glyph outline transform from font units to 16.16 output units:
// x' = xx x + xy y, y' = yx x + yy y.
struct Transform {
    double xx = 0;
    double xy = 0;
    double yx = 0;
    double yy = 0;
};

// cos and sin of an escapement; the quarter turns exact, so that turning by
// one only swaps and negates coordinates, with nothing rounded.
std::pair<double, double> EscapementCosSin(int32_t escapement) {
    const int32_t tenths = (escapement % 3600 + 3600) % 3600;
    switch (tenths) {
        case 0: return {1.0, 0.0};
        case 900: return {0.0, 1.0};
        case 1800: return {-1.0, 0.0};
        case 2700: return {0.0, -1.0};
        default: {
            const double radians = tenths * std::numbers::pi / 1800.0;
            return {std::cos(radians), std::sin(radians)};
        }
    }
}

// Font units of the cell height: the Windows metrics of the OS/2 table
// (usWinAscent + usWinDescent), which is what a cell height of a TrueType
// font means; the horizontal header's ascender - descender for a font
// without them; the em size as a last resort.
double CellHeightUnits(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF) {
        const int units = os2->usWinAscent + os2->usWinDescent;
        if (units > 0) return units;
    }
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (hhea != nullptr && hhea->Ascender - hhea->Descender > 0) return hhea->Ascender - hhea->Descender;
    return face->units_per_EM;
}

// Output units per font unit for a height, taken as a cell height like a
// positive font height on Windows, as the em height when negative.
double OutputUnitsPerFontUnit(FT_Face face, int32_t height) {
    if (height < 0) return -static_cast<double>(height) / face->units_per_EM;
    const int32_t cellHeight = height == 0 ? kDefaultCellHeight : height;
    return cellHeight / CellHeightUnits(face);
}

// Escapement, then matrix, then the scale to 16.16 output units, as one
// transform, so that each coordinate is rounded once.
Transform MakeTransform(FT_Face face, const GlyphFont& font, const FixedMatrix& matrix) {
    const auto [c, s] = EscapementCosSin(font.escapement);
    const double m11 = matrix.m11 / 65536.0;
    const double m12 = matrix.m12 / 65536.0;
    const double m21 = matrix.m21 / 65536.0;
    const double m22 = matrix.m22 / 65536.0;
    const double scale = OutputUnitsPerFontUnit(face, font.height) * 65536.0;
    // Turned: (c x - s y, s x + c y); then the matrix on that.
    return {(m11 * c + m21 * s) * scale, (m21 * c - m11 * s) * scale, (m12 * c + m22 * s) * scale,
            (m22 * c - m12 * s) * scale};
}

// value rounded to the nearest whole unit, halves away from zero; nothing when
// that is beyond 32 bits.
std::optional<int32_t> RoundToInt32(double value) { return TruncateToInt32(std::round(value)); }

std::optional<FixedPoint> Apply(const Transform& t, FT_Pos x, FT_Pos y) {
    const double fx = static_cast<double>(x);
    const double fy = static_cast<double>(y);
    const auto outX = RoundToInt32(t.xx * fx + t.xy * fy);
    const auto outY = RoundToInt32(t.yx * fx + t.yy * fy);
    if (!outX || !outY) return std::nullopt;
    return FixedPoint{*outX, *outY};
}

PointKind KindOf(int tag) {
    switch (FT_CURVE_TAG(tag)) {
        case FT_CURVE_TAG_ON: return PointKind::OnCurve;
        case FT_CURVE_TAG_CUBIC: return PointKind::CubicControl;
        default: return PointKind::QuadraticControl;
    }
}

// The loaded glyph's contours, transformed; false when a point leaves the
// 16.16 range or the outline is malformed.
bool ReadContours(const FT_Outline& outline, const Transform& t, std::vector<OutlineContour>& contours) {
    std::vector<ContourPoint> points;
    int first = 0;
    for (int k = 0; k < outline.n_contours; ++k) {
        const int last = outline.contours[k];
        if (last < first || last >= outline.n_points) return false;
        points.clear();
        for (int i = first; i <= last; ++i) {
            const auto point = Apply(t, outline.points[i].x, outline.points[i].y);
            if (!point) return false;
            points.push_back({*point, KindOf(outline.tags[i])});
        }
        contours.push_back(FormContour(points));
        first = last + 1;
    }
    return true;
}

// Labels name the Song face "宋体" and are drawn in AR PL UMing CN
// (fonts-arphic-uming) wherever that is installed, whatever other fonts the
// machine has and whatever its fontconfig rules make of the name.
constexpr const char* kSongFace = "宋体";
constexpr const char* kSongFaceFamily = "AR PL UMing CN";

// FreeType faces and fontconfig answers, kept for the life of the program:
// finding a face and opening its file is far slower than drawing a label.
class GlyphService {
public:
    GlyphService() {
        if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
    }
    ~GlyphService() {
        if (library_ != nullptr) FT_Done_FreeType(library_);  // closes the faces too
        if (fontConfig_ != nullptr) FcConfigDestroy(fontConfig_);
    }
    GlyphService(const GlyphService&) = delete;
    GlyphService& operator=(const GlyphService&) = delete;

    bool GetOutline(const GlyphFont& font, uint32_t code, const FixedMatrix& matrix, GlyphOutline& out) {
        std::lock_guard lock(mutex_);
        // Labels repeat the same few characters at the same size: every
        // answer is kept, up to a bound, so each glyph is loaded once.
        const OutlineKey key{font.face, font.height, font.escapement, matrix.m11, matrix.m12, matrix.m21, matrix.m22, code};
        if (const auto known = outlines_.find(key); known != outlines_.end()) {
            if (known->second) out = *known->second;
            return known->second.has_value();
        }
        if (outlines_.size() >= kMaxKeptOutlines) outlines_.clear();
        std::optional<GlyphOutline>& kept = outlines_[key];
        if (LoadOutline(font, code, matrix, out)) kept = out;
        return kept.has_value();
    }

private:
    using OutlineKey = std::tuple<std::string, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t>;
    static constexpr size_t kMaxKeptOutlines = 8192;

    bool LoadOutline(const GlyphFont& font, uint32_t code, const FixedMatrix& matrix, GlyphOutline& out) {
        FT_Face face = Face(font.face);
        if (face == nullptr) return false;
        const auto character = GbkCodeToUnicode(code);
        if (!character) return false;
        if (FT_Load_Glyph(face, FT_Get_Char_Index(face, *character), FT_LOAD_NO_SCALE) != 0) return false;
        const FT_GlyphSlot glyph = face->glyph;
        if (glyph->format != FT_GLYPH_FORMAT_OUTLINE) return false;

        const Transform t = MakeTransform(face, font, matrix);
        if (!ReadContours(glyph->outline, t, out.contours)) return false;
        // The advance (font units) along the turned baseline, in whole output
        // units where t gives 16.16 ones.
        const double advance = static_cast<double>(glyph->metrics.horiAdvance);
        const auto incX = RoundToInt32(t.xx * advance / 65536.0);
        const auto incUp = RoundToInt32(t.yx * advance / 65536.0);
        if (!incX || !incUp || *incUp == std::numeric_limits<int32_t>::min()) return false;
        out.cellIncX = *incX;
        out.cellIncY = -*incUp;
        return true;
    }

    // The scalable face for a family name, or null.
    FT_Face Face(const std::string& family) {
        if (library_ == nullptr) return nullptr;
        auto known = fileOfFamily_.find(family);
        if (known == fileOfFamily_.end()) known = fileOfFamily_.emplace(family, FileOfFace(family)).first;
        if (!known->second) return nullptr;

        auto open = faces_.find(*known->second);
        if (open == faces_.end()) {
            FT_Face face = nullptr;
            if (FT_New_Face(library_, known->second->first.c_str(), known->second->second, &face) != 0) face = nullptr;
            if (face != nullptr && (!FT_IS_SCALABLE(face) || face->units_per_EM == 0)) {
                FT_Done_Face(face);
                face = nullptr;
            }
            open = faces_.emplace(*known->second, face).first;
        }
        return open->second;
    }

    // The font file a face name gives: the Song face's own family when that
    // is installed, else fontconfig's best match for the name.
    std::optional<FontFile> FileOfFace(const std::string& face) {
        // A configuration of our own rather than fontconfig's global one: it
        // is released with the service, and nothing else can change it.
        if (fontConfig_ == nullptr) fontConfig_ = FcInitLoadConfigAndFonts();
        if (fontConfig_ == nullptr) return std::nullopt;
        if (face == kSongFace) {
            if (auto file = Match(kSongFaceFamily, false)) return file;
        }
        return Match(face.c_str(), true);
    }

    // fontconfig's best scalable font for the family and Simplified Chinese,
    // with the machine's rules. Without them the font must be of the family
    // itself, so that no other font can take its place; nothing when none is.
    std::optional<FontFile> Match(const char* family, bool withRules) {
        FcPattern* pattern = FcPatternCreate();
        if (pattern == nullptr) return std::nullopt;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
        if (withRules) FcConfigSubstitute(fontConfig_, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(fontConfig_, pattern, &result);
        FcPatternDestroy(pattern);
        if (match == nullptr) return std::nullopt;

        std::optional<FontFile> file;
        FcChar8* path = nullptr;
        int index = 0;
        if ((withRules || HasFamily(match, family)) && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
            file = FontFile{reinterpret_cast<const char*>(path), index};
        }
        FcPatternDestroy(match);
        return file;
    }

    static bool HasFamily(FcPattern* font, const char* family) {
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
        }
        return false;
    }

    std::mutex mutex_;
    FT_Library library_ = nullptr;
    FcConfig* fontConfig_ = nullptr;
    std::map<std::string, std::optional<FontFile>> fileOfFamily_;
    std::map<FontFile, FT_Face> faces_;  // null for a file that is no scalable face
    std::map<OutlineKey, std::optional<GlyphOutline>> outlines_;  // nothing for a failed query
};

FixedPoint Middle(FixedPoint a, FixedPoint b) {
    return {static_cast<int32_t>((int64_t{a.x} + b.x) / 2), static_cast<int32_t>((int64_t{a.y} + b.y) / 2)};
}

}  // namespace

bool GetGlyphOutline(const GlyphFont& font, uint32_t code, const FixedMatrix& matrix, GlyphOutline& out) {
    static GlyphService service;
    out = {};
    if (service.GetOutline(font, code, matrix, out)) return true;
    out = {};
    return false;
}

OutlineContour FormContour(std::span<const ContourPoint> points) {
    OutlineContour contour;
    if (points.empty()) return contour;
    std::span<const ContourPoint> rest = points;
    if (points.front().kind == PointKind::OnCurve) {
        contour.start = points.front().point;
        rest = points.subspan(1);
    } else if (points.back().kind == PointKind::OnCurve) {
        contour.start = points.back().point;
        rest = points.first(points.size() - 1);
    } else {
        contour.start = Middle(points.back().point, points.front().point);
    }

    std::vector<OutlineRecord>& records = contour.records;
    bool splineOpen = false;  // the last record still waits for its on-curve end
    for (const ContourPoint& p : rest) {
        if (p.kind == PointKind::OnCurve) {
            if (!splineOpen && (records.empty() || records.back().type != OUTLINE_LINE)) {
                records.push_back({OUTLINE_LINE, {}});
            }
            records.back().points.push_back(p.point);
            splineOpen = false;
            continue;
        }
        if (!splineOpen) {
            records.push_back({OUTLINE_QSPLINE, {}});
            splineOpen = true;
        }
        if (p.kind == PointKind::CubicControl) records.back().type = OUTLINE_CSPLINE;
        records.back().points.push_back(p.point);
    }
    if (splineOpen) records.back().points.push_back(contour.start);
    return contour;
}

}  // namespace platform
