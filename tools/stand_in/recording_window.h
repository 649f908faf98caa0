#pragma once

#include "core/convert_command.h"

#include <set>
#include <string>
#include <vector>

namespace tarvex {

// A window stand-in for the Convert command: plain boxes and buttons, and a list of the
// messages shown, in order, each answered at once.
class RecordingWindow : public ConvertWindow
{
public:
    std::u16string text1Box;
    std::u16string text2Box;
    std::set<OptionButton> setButtons;
    std::vector<std::u16string> messages;
    RadixConversions workingStrings;

    [[nodiscard]] std::u16string text1() const override { return text1Box; }
    void setText2(const std::u16string &text) override { text2Box = text; }
    [[nodiscard]] bool isOptionSet(OptionButton button) const override
    {
        return setButtons.contains(button);
    }
    void showMessage(std::u16string_view message) override { messages.emplace_back(message); }
    [[nodiscard]] RadixConversions &conversions() override { return workingStrings; }
};

} // namespace tarvex
