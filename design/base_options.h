#pragma once

#include "core/convert_command.h"
#include "design/form1_design.h"
#include "design/key_decision.h"

#include <array>
#include <cstddef>

// The eight base buttons: Option1 to Option4 choose the input base, Option5 to Option8 the
// output base, each group in the order binary, octal, decimal, hexadecimal.
namespace tarvex::design {

// The radio button that the Convert command knows as `button`.
[[nodiscard]] constexpr ControlId optionControl(OptionButton button)
{
    constexpr std::array kOptions = {ControlId::Option1, ControlId::Option2, ControlId::Option3,
                                     ControlId::Option4, ControlId::Option5, ControlId::Option6,
                                     ControlId::Option7, ControlId::Option8};
    return kOptions.at(static_cast<std::size_t>(button) - 1);
}

struct InputBaseOption
{
    ControlId option;
    InputBase base;
};

inline constexpr std::array<InputBaseOption, 4> kInputBaseOptions = {{
    {ControlId::Option1, InputBase::Binary},
    {ControlId::Option2, InputBase::Octal},
    {ControlId::Option3, InputBase::Decimal},
    {ControlId::Option4, InputBase::Hexadecimal},
}};

// The input base of the first input option that `isSet(option)` finds set; hexadecimal, the
// last, when it finds none.
template<typename IsSet> [[nodiscard]] InputBase chosenInputBase(IsSet &&isSet)
{
    for (const InputBaseOption &choice : kInputBaseOptions)
        if (isSet(choice.option))
            return choice.base;
    return InputBase::Hexadecimal;
}

} // namespace tarvex::design
