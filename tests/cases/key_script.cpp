#include "key_script.h"

#include <algorithm>
#include <stdexcept>

namespace tarvex::cases {

namespace {

// The UTF-16 units of the character the text starts with: two for a surrogate pair.
std::size_t firstCharacterLength(std::u16string_view text)
{
    const bool pair = text.size() >= 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF &&
                      text[1] >= 0xDC00 && text[1] <= 0xDFFF;
    return pair ? 2 : 1;
}

Keystroke bracketed(std::u16string_view token)
{
    using enum Keystroke::Kind;
    constexpr std::u16string_view kCtrl = u"Ctrl+";
    constexpr std::u16string_view kCommit = u"IM:";
    if (std::ranges::find(kNamedKeys, token) != kNamedKeys.end())
        return {NamedKey, token};
    if (token.starts_with(kCtrl) && token.size() == kCtrl.size() + 1 && token.back() >= u'A' &&
        token.back() <= u'Z')
        return {CtrlLetter, token.substr(kCtrl.size())};
    if (token.starts_with(kCommit) && token.size() > kCommit.size())
        return {InputMethodCommit, token.substr(kCommit.size())};
    if (!token.empty() && firstCharacterLength(token) == token.size())
        return {ForeignCharacter, token};
    throw std::invalid_argument("a key script names an unknown key");
}

} // namespace

std::vector<Keystroke> keystrokes(std::u16string_view script)
{
    std::vector<Keystroke> strokes;
    while (!script.empty()) {
        if (script.front() != u'<') {
            const std::size_t length = firstCharacterLength(script);
            strokes.push_back({Keystroke::Kind::Character, script.substr(0, length)});
            script.remove_prefix(length);
            continue;
        }
        const std::size_t end = script.find(u'>', 1);
        if (end == std::u16string_view::npos)
            throw std::invalid_argument("a key script leaves a key's name open");
        strokes.push_back(bracketed(script.substr(1, end - 1)));
        script.remove_prefix(end + 1);
    }
    return strokes;
}

} // namespace tarvex::cases
