// Installed fonts and font creation on Windows (GDI32).
#include "platform/fonts.h"

#include "platform/win32/win32_state.h"

#include <cstring>

static_assert(sizeof(LOGFONTA) == sizeof(LogFont), "LOGFONTA and LogFont share one layout");

namespace win32 {

LogFont logfont_from(const LOGFONTA& source) {
    LogFont lf;
    std::memcpy(static_cast<void*>(&lf), &source, sizeof lf);
    return lf;
}

LOGFONTA logfont_to(const LogFont& source) {
    LOGFONTA lf;
    std::memcpy(&lf, &source, sizeof lf);
    return lf;
}

} // namespace win32

using win32::logfont_from;
using win32::logfont_to;

namespace {

std::string text_of(const BYTE* bytes, std::size_t most) {
    const char* text = reinterpret_cast<const char*>(bytes);
    return std::string(text, strnlen(text, most));
}

int CALLBACK collect_family(const LOGFONTA* logfont, const TEXTMETRICA* metrics, DWORD type,
                            LPARAM out) {
    const auto* full = reinterpret_cast<const ENUMLOGFONTA*>(logfont);
    FontFamilyInfo family;
    family.name = std::string(logfont->lfFaceName, strnlen(logfont->lfFaceName, LF_FACESIZE));
    family.full_name = text_of(full->elfFullName, LF_FULLFACESIZE);
    // TMPF_FIXED_PITCH set means variable pitch: the name says the opposite.
    family.fixed_pitch = (metrics->tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
    reinterpret_cast<std::vector<FontFamilyInfo>*>(out)->push_back(family);
    return 1;
}

int CALLBACK collect_font(const LOGFONTA* logfont, const TEXTMETRICA* metrics, DWORD type,
                          LPARAM out) {
    const auto* full = reinterpret_cast<const ENUMLOGFONTA*>(logfont);
    FontRecordInfo record;
    record.style = text_of(full->elfStyle, LF_FACESIZE);
    record.height = metrics->tmHeight;
    record.max_char_width = metrics->tmMaxCharWidth;
    record.truetype = (type & TRUETYPE_FONTTYPE) != 0;
    record.logfont = logfont_from(*logfont);
    reinterpret_cast<std::vector<FontRecordInfo>*>(out)->push_back(record);
    return 1;
}

} // namespace

std::vector<FontFamilyInfo> plat_font_families() {
    std::vector<FontFamilyInfo> out;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesA(dc, nullptr, collect_family, reinterpret_cast<LPARAM>(&out));
    ReleaseDC(nullptr, dc);
    return out;
}

std::vector<FontRecordInfo> plat_font_family_fonts(const std::string& family) {
    std::vector<FontRecordInfo> out;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesA(dc, family.c_str(), collect_font, reinterpret_cast<LPARAM>(&out));
    ReleaseDC(nullptr, dc);
    return out;
}

plat_font plat_font_create(const LogFont& logfont) {
    const LOGFONTA lf = logfont_to(logfont);
    return reinterpret_cast<plat_font>(CreateFontIndirectA(&lf));
}

void plat_font_delete(plat_font font) {
    if (font) DeleteObject(reinterpret_cast<HFONT>(font));
}

bool plat_font_metrics(plat_font font, FontMetrics& metrics) {
    if (!font) return false;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(font));
    TEXTMETRICA tm{};
    const BOOL ok = GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (!ok) return false;
    metrics.height = tm.tmHeight;
    metrics.ave_char_width = tm.tmAveCharWidth;
    metrics.descent = tm.tmDescent;
    return true;
}
