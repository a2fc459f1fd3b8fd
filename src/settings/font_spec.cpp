#include "settings/font_spec.h"

#include "runtime/scan_number.h"
#include "runtime/strings.h"
#include "settings/font_list.h"
#include "settings/logfont_bytes.h"

#include <climits>
#include <vector>

namespace {

constexpr std::size_t kNameCompare = 100;
constexpr int kLargestCell = 1000;

bool same_ignoring_case(std::string_view a, std::string_view b) {
    a = a.substr(0, kNameCompare);
    b = b.substr(0, kNameCompare);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

int field_number(std::string_view text, int fallback) {
    if (text.empty()) return fallback;
    // Read as a decimal integer: no digits read as 0, like atoi.
    return scan_int(text).value_or(0);
}

long long distance(const FontRecord& record, const FontSpec& spec) {
    const long long dh = static_cast<long long>(record.height) - spec.height;
    const long long dw = static_cast<long long>(record.max_char_width) - spec.width;
    return dh * dh + dw * dw;
}

} // namespace

FontSpec font_spec_parse(std::string_view spec) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (fields.size() < 4) {
        const std::size_t sign = spec.find('%', start);
        fields.push_back(spec.substr(start, sign == std::string_view::npos ? sign : sign - start));
        if (sign == std::string_view::npos) break;
        start = sign + 1;
    }
    FontSpec out;
    if (fields.size() > 0 && !fields[0].empty()) out.family = std::string(fields[0]);
    if (fields.size() > 1 && !fields[1].empty()) out.style = std::string(fields[1]);
    if (fields.size() > 2) out.width = field_number(fields[2], out.width);
    if (fields.size() > 3) out.height = field_number(fields[3], out.height);
    return out;
}

bool font_style_matches(std::string_view spec_style, std::string_view record_style) {
    if (spec_style == "*") return true;
    if (same_ignoring_case(spec_style, "bold")) {
        std::string lowered(record_style.substr(0, kNameCompare));
        for (char& c : lowered)
            c = ascii_lower(c);
        if (lowered.size() == 4 && lowered == "gras") return true;
        return lowered.empty() || (lowered[0] != 'i' && lowered[0] != 'r' && lowered[0] != 'n');
    }
    return same_ignoring_case(spec_style, record_style);
}

std::optional<FontChoice> vel_font_from_spec(std::string_view text) {
    const FontSpec spec = font_spec_parse(text);
    int chosen = -1;
    LogFont logfont;
    int nearest = -1;
    long long nearest_distance = LLONG_MAX;
    for (std::size_t i = 0; i < g_font_list.size() && chosen < 0; ++i) {
        const FontRecord& record = g_font_list[i];
        if (!same_ignoring_case(record.family, spec.family)) continue;
        if (!font_style_matches(spec.style, record.style)) continue;
        if (record.truetype) {
            chosen = static_cast<int>(i);
            logfont = record.logfont;
            logfont.height = spec.height;
            logfont.width = spec.width;
        } else if (record.height == spec.height && record.max_char_width == spec.width) {
            chosen = static_cast<int>(i);
            logfont = record.logfont;
        } else if (distance(record, spec) < nearest_distance) {
            // A running minimum: the first of equal distances stays.
            nearest = static_cast<int>(i);
            nearest_distance = distance(record, spec);
        }
    }
    if (chosen < 0 && nearest >= 0) {
        chosen = nearest;
        logfont = g_font_list[static_cast<std::size_t>(nearest)].logfont;
    }
    if (chosen < 0) return std::nullopt;
    // The cell is the description's own size; a cell of nothing (or of
    // absurd size) would leave the panes no rows to divide.
    if (logfont.height < 1 || logfont.height > kLargestCell || logfont.width < 1 ||
        logfont.width > kLargestCell)
        return std::nullopt;
    FontChoice out;
    out.handle = plat_font_create(logfont);
    if (!out.handle) return std::nullopt;
    out.cell_height = vel_font_adjust(spec.family, logfont.height);
    out.cell_width = logfont.width;
    out.index = chosen;
    out.face = logfont_face(logfont);
    out.logfont = logfont;
    return out;
}

int vel_font_adjust(std::string_view face, int cell_height) {
    if (face == "Terminal") return cell_height + 3;
    if (face == "Arial Alternative") return cell_height + 2;
    return cell_height;
}
