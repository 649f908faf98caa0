#include "user_input.h"

#include "key_script.h"

#include <array>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <string>

namespace tarvex::window_tests {

namespace {

INPUT keyInput(WORD virtualKey, WORD scanCode, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

void addKey(std::vector<INPUT> &inputs, WORD virtualKey, bool up, bool extended = false)
{
    const auto scanCode = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    inputs.push_back(keyInput(virtualKey, scanCode,
                              (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0)));
}

void addUnicode(std::vector<INPUT> &inputs, std::u16string_view character)
{
    for (const char16_t unit : character)
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}})
            inputs.push_back(keyInput(0, unit, KEYEVENTF_UNICODE | up));
}

// A character typed with the key of the keyboard that types it, Shift held where needed; the
// Unicode keystroke where no key without Ctrl or Alt types it.
void addCharacter(std::vector<INPUT> &inputs, std::u16string_view character)
{
    const SHORT key =
        character.size() == 1 ? VkKeyScanW(static_cast<wchar_t>(character[0])) : SHORT{-1};
    const int modifiers = key == -1 ? -1 : (key >> 8) & 0xFF;
    if (modifiers != 0 && modifiers != 1) {
        addUnicode(inputs, character);
        return;
    }
    const std::vector<INPUT> press = keyPress(static_cast<WORD>(key & 0xFF), false, modifiers == 1);
    inputs.insert(inputs.end(), press.begin(), press.end());
}

struct NamedKey
{
    std::u16string_view name;
    WORD virtualKey;
    bool extended;
};

constexpr std::array<NamedKey, 8> kNamedKeys = {{
    {u"BS", VK_BACK, false},
    {u"Del", VK_DELETE, true},
    {u"Home", VK_HOME, true},
    {u"End", VK_END, true},
    {u"Left", VK_LEFT, true},
    {u"Right", VK_RIGHT, true},
    {u"Esc", VK_ESCAPE, false},
    {u"F2", VK_F2, false},
}};

void addNamedKey(std::vector<INPUT> &inputs, std::u16string_view name)
{
    for (const NamedKey &key : kNamedKeys) {
        if (key.name != name)
            continue;
        addKey(inputs, key.virtualKey, false, key.extended);
        addKey(inputs, key.virtualKey, true, key.extended);
        return;
    }
    throw std::invalid_argument("no key of that name in the key script");
}

} // namespace

std::vector<INPUT> keyPress(WORD virtualKey, bool extended, bool shifted)
{
    std::vector<INPUT> inputs;
    if (shifted)
        addKey(inputs, VK_SHIFT, false);
    addKey(inputs, virtualKey, false, extended);
    addKey(inputs, virtualKey, true, extended);
    if (shifted)
        addKey(inputs, VK_SHIFT, true);
    return inputs;
}

std::vector<INPUT> keyScript(std::u16string_view script)
{
    using Kind = cases::Keystroke::Kind;
    std::vector<INPUT> inputs;
    for (const cases::Keystroke &stroke : cases::keystrokes(script)) {
        switch (stroke.kind) {
        case Kind::Character:
            addCharacter(inputs, stroke.text);
            break;
        case Kind::ForeignCharacter:
            addUnicode(inputs, stroke.text);
            break;
        case Kind::NamedKey:
            addNamedKey(inputs, stroke.text);
            break;
        case Kind::CtrlLetter:
            addKey(inputs, VK_CONTROL, false);
            addKey(inputs, static_cast<WORD>(stroke.text[0]), false);
            addKey(inputs, static_cast<WORD>(stroke.text[0]), true);
            addKey(inputs, VK_CONTROL, true);
            break;
        case Kind::InputMethodCommit:
            throw std::invalid_argument("no keystroke makes an input method's commit");
        }
    }
    return inputs;
}

void sendInput(std::vector<INPUT> inputs)
{
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size())
        throw std::runtime_error("SendInput took " + std::to_string(sent) + " of " +
                                 std::to_string(inputs.size()) + " inputs (error " +
                                 std::to_string(GetLastError()) + ")");
}

void setClipboardText(std::u16string_view text)
{
    // Another program (under Wine, the desktop's clipboard keeper) may have the clipboard open
    // for a moment: it is asked again until a bound only a broken desktop reaches.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (OpenClipboard(nullptr) == FALSE) {
        if (std::chrono::steady_clock::now() >= deadline)
            throw std::runtime_error("the clipboard stayed open elsewhere for 30 s");
        Sleep(2);
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (memory != nullptr) {
        auto *target = static_cast<char16_t *>(GlobalLock(memory));
        std::memcpy(target, text.data(), text.size() * sizeof(char16_t));
        target[text.size()] = u'\0';
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!placed)
            GlobalFree(memory);
    }
    CloseClipboard();
    if (!placed)
        throw std::runtime_error("the clipboard did not take the text");
}

} // namespace tarvex::window_tests
