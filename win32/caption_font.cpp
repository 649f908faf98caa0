#include "win32/caption_font.h"

#include "design/form1_design.h"
#include "win32/handles.h"
#include "win32/startup_steps.h"
#include "win32/text.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace tarvex::win32 {

namespace {

// Each character of the window's captions once: a font that has these glyphs has every caption's.
std::wstring captionCharacters()
{
    std::wstring characters;
    for (const design::Control &control : design::kControls)
        characters += wideString(control.caption);
    std::ranges::sort(characters);
    characters.erase(std::ranges::unique(characters).begin(), characters.end());
    return characters;
}

// Whether the font has a glyph of its own for every character of the window's captions.
bool hasCaptionGlyphs(HFONT font)
{
    static const std::wstring characters = captionCharacters();
    std::vector<WORD> glyphs(characters.size());
    WindowDc screen(nullptr);
    screen.select(font);
    if (GetGlyphIndicesW(screen.get(), characters.c_str(), static_cast<int>(characters.size()),
                         glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        return false;
    return std::ranges::find(glyphs, WORD{0xFFFF}) == glyphs.end();
}

bool describesCaptionFont(const LOGFONTW &description)
{
    const OwnedFont font(CreateFontIndirectW(&description));
    return font != nullptr && hasCaptionGlyphs(font.get());
}

// Faces whose names start with @ are the vertical-writing twins of others.
int CALLBACK takeHorizontalFace(const LOGFONTW *found, const TEXTMETRICW *, DWORD, LPARAM faceOut)
{
    if (found->lfFaceName[0] == L'@')
        return 1;
    *reinterpret_cast<std::wstring *>(faceOut) = found->lfFaceName;
    return 0;
}

// A face name of the GB2312 character set, found among the installed fonts; empty when there is
// none.
std::wstring gb2312Face()
{
    TARVEX_STARTUP_STEP("font enumeration for a CJK face");
    LOGFONTW wanted{};
    wanted.lfCharSet = GB2312_CHARSET;
    std::wstring face;
    const WindowDc screen(nullptr);
    EnumFontFamiliesExW(screen.get(), &wanted, takeHorizontalFace, reinterpret_cast<LPARAM>(&face),
                        0);
    return face;
}

} // namespace

LOGFONTW captionFont(const LOGFONTW &messageFont)
{
    TARVEX_STARTUP_STEP("caption font and glyph check");
    if (describesCaptionFont(messageFont))
        return messageFont;
    // A face asked by name is matched to some installed face even where that one is missing:
    // each candidate is kept only when the face it gives has the glyphs.
    LOGFONTW candidate = messageFont;
    candidate.lfCharSet = GB2312_CHARSET;
    constexpr std::array<const wchar_t *, 2> kChineseUiFaces = {L"Microsoft YaHei UI", L"SimSun"};
    for (const wchar_t *face : kChineseUiFaces) {
        lstrcpynW(candidate.lfFaceName, face, LF_FACESIZE);
        if (describesCaptionFont(candidate))
            return candidate;
    }
    if (const std::wstring face = gb2312Face(); !face.empty()) {
        lstrcpynW(candidate.lfFaceName, face.c_str(), LF_FACESIZE);
        if (describesCaptionFont(candidate))
            return candidate;
    }
    return messageFont;
}

} // namespace tarvex::win32
