#pragma once

#include "design/geometry.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The window's design as data, the way a dialog template describes a dialog: every control
// with its kind, name, caption, container, place in twips, tab index and initial state. Both
// windows, the Qt one and the Win32 one, walk this table to make their controls; neither
// writes a caption or a twips number of its own.
namespace tarvex::design {

enum class ControlKind { GroupBox, RadioButton, TextBox, PushButton, Label };

// The controls by the design's names, in the table's order: an identity is its control's index
// in kControls, which the checks below the table hold it to.
enum class ControlId : std::uint8_t {
    Label1,   // 数据输入框: a label that Text1 covers
    Frame3,   // the frame behind the whole client area
    Frame4,   // 数据输入框: the frame above the number typed in
    Frame5,   // 输出结果框: the frame above the converted number
    Frame6,   // 中文转换十六进制: the text-to-codes group
    Frame7,   // 请在框中输入中文: the frame around the text typed in
    Text3,    // the text to turn into codes
    Command3, // 转换到十六进制: text to codes
    Frame8,   // 输出十六进制结果: the frame around the codes
    Text4,    // the codes of Text3
    Frame9,   // 十六进制转换中文: the codes-to-text group
    Frame10,  // 请在框中输入十六进制数据: the frame around the codes typed in
    Text5,    // the codes to turn into text
    Command4, // 转换到中文: codes to text
    Frame11,  // 输出转换后的中文结果: the frame around the text
    Text6,    // the text of Text5
    Frame1,   // 选择输入数据类型对应勾选: the input base
    Option1,  // input base binary
    Option2,  // input base octal
    Option3,  // input base decimal
    Option4,  // input base hexadecimal
    Frame2,   // 选择输出数据类型对应勾选: the output base
    Option5,  // output base binary
    Option6,  // output base octal
    Option7,  // output base decimal
    Option8,  // output base hexadecimal
    Text1,    // 数据输入框: the number typed in
    Text2,    // 输出结果框: the converted number
    Command1, // 转换: converts Text1 into Text2
    Command2, // 退出: ends the program
};

struct Control
{
    ControlId id;
    // The design's name, as data only: what Qt and the tests know the control by.
    std::string_view name;
    ControlKind kind;
    // The control it stands in, or kInWindow for the window's client area. Places are
    // measured from the container's outer top-left corner.
    std::optional<ControlId> container;
    std::u16string_view caption;
    Rect twips;
    int tabIndex;
    // A radio button chosen when the window opens.
    bool initiallySet = false;
    // What a screen reader calls a text box: the caption of the group box it stands in or
    // under.
    std::u16string_view accessibleName = {};
};

inline constexpr std::optional<ControlId> kInWindow = std::nullopt;

// The window's own name, as data like its controls'.
inline constexpr std::string_view kWindow = "Form1";
inline constexpr std::u16string_view kWindowCaption = u"Tarvex\u3000\u3000Olmira作品 1.0版";
// The client area at design size, placed on the screen where it first appears.
inline constexpr Rect kClientArea{2385, 2370, 13980, 9195};

using enum ControlKind;
using enum ControlId;

// Back to front: a container before what it holds, and in each container the control behind
// before the one in front of it, so that making the controls in this order stacks them as
// designed. Label1 lies behind everything; Frame3 covers the client area behind the top row.
inline constexpr std::array<Control, 30> kControls = {{
    // clang-format off
    {Label1,   "Label1",   Label,       kInWindow, u"数据输入框",                                               {3120, 720, 1455, 495},   14, false},
    {Frame3,   "Frame3",   GroupBox,    kInWindow, u"请先勾选彼此相对应的转换目标，按相应提示操作执行转换功能", {0, 0, 13935, 9135},      15, false},
    {Frame4,   "Frame4",   GroupBox,    Frame3,    u"数据输入框",                                               {3120, 360, 6255, 735},   16, false},
    {Frame5,   "Frame5",   GroupBox,    Frame3,    u"输出结果框",                                               {3120, 1080, 6255, 975},  17, false},
    {Frame6,   "Frame6",   GroupBox,    Frame3,    u"中文转换十六进制",                                         {120, 2160, 13695, 3255}, 18, false},
    {Frame7,   "Frame7",   GroupBox,    Frame6,    u"请在框中输入中文",                                         {120, 360, 13455, 1215},  19, false},
    {Text3,    "Text3",    TextBox,     Frame7,    u"",                                                         {120, 240, 11535, 855},   20, false, u"请在框中输入中文"},
    {Command3, "Command3", PushButton,  Frame7,    u"转换到十六进制",                                           {11640, 240, 1695, 855},  21, false},
    {Frame8,   "Frame8",   GroupBox,    Frame6,    u"输出十六进制结果",                                         {120, 1680, 13335, 1455}, 22, false},
    {Text4,    "Text4",    TextBox,     Frame8,    u"",                                                         {120, 240, 13095, 1095},  23, false, u"输出十六进制结果"},
    {Frame9,   "Frame9",   GroupBox,    Frame3,    u"十六进制转换中文",                                         {120, 5520, 13695, 3495}, 24, false},
    {Frame10,  "Frame10",  GroupBox,    Frame9,    u"请在框中输入十六进制数据",                                 {120, 240, 13455, 1215},  25, false},
    {Text5,    "Text5",    TextBox,     Frame10,   u"",                                                         {120, 240, 11655, 855},   26, false, u"请在框中输入十六进制数据"},
    {Command4, "Command4", PushButton,  Frame10,   u"转换到中文",                                               {11880, 240, 1455, 855},  27, false},
    {Frame11,  "Frame11",  GroupBox,    Frame9,    u"输出转换后的中文结果",                                     {120, 1440, 13455, 1935}, 28, false},
    {Text6,    "Text6",    TextBox,     Frame11,   u"",                                                         {120, 240, 13215, 1575},  29, false, u"输出转换后的中文结果"},
    {Frame1,   "Frame1",   GroupBox,    kInWindow, u"选择输入数据类型对应勾选",                                 {120, 480, 3015, 1575},   0,  false},
    {Option1,  "Option1",  RadioButton, Frame1,    u"二进制",                                                   {240, 360, 855, 255},     1,  true},
    {Option2,  "Option2",  RadioButton, Frame1,    u"八进制",                                                   {1560, 360, 1215, 255},   2,  false},
    {Option3,  "Option3",  RadioButton, Frame1,    u"十进制",                                                   {240, 840, 855, 375},     3,  false},
    {Option4,  "Option4",  RadioButton, Frame1,    u"十六进制",                                                 {1560, 840, 1335, 495},   4,  false},
    {Frame2,   "Frame2",   GroupBox,    kInWindow, u"选择输出数据类型对应勾选",                                 {9360, 480, 3015, 1575},  5,  false},
    {Option5,  "Option5",  RadioButton, Frame2,    u"二进制",                                                   {240, 360, 975, 255},     6,  false},
    {Option6,  "Option6",  RadioButton, Frame2,    u"八进制",                                                   {1560, 360, 975, 255},    7,  false},
    {Option7,  "Option7",  RadioButton, Frame2,    u"十进制",                                                   {240, 1080, 975, 255},    8,  true},
    {Option8,  "Option8",  RadioButton, Frame2,    u"十六进制",                                                 {1560, 1080, 1095, 375},  9,  false},
    // Text1 and Text2 lie in front of Frame4 and Frame5, whose titles stand above them.
    {Text1,    "Text1",    TextBox,     kInWindow, u"",                                                         {3120, 720, 6135, 375},   10, false, u"数据输入框"},
    {Text2,    "Text2",    TextBox,     kInWindow, u"",                                                         {3120, 1440, 6135, 375},  11, false, u"输出结果框"},
    {Command1, "Command1", PushButton,  kInWindow, u"转换",                                                     {12480, 600, 1335, 1455}, 12, false},
    // Below the client area at design size: seen only in a taller window, reached with Tab.
    {Command2, "Command2", PushButton,  kInWindow, u"退出",                                                     {5880, 12720, 1335, 495}, 13, false},
    // clang-format on
}};

[[nodiscard]] constexpr std::size_t indexOf(ControlId id)
{
    return static_cast<std::size_t>(id);
}

[[nodiscard]] constexpr const Control &controlOf(ControlId id)
{
    return kControls[indexOf(id)];
}

[[nodiscard]] constexpr std::string_view nameOf(ControlId id)
{
    return controlOf(id).name;
}

// An identity indexes its own row, and the last one ends the table.
static_assert(std::ranges::all_of(kControls, [](const Control &control) {
    return &controlOf(control.id) == &control;
}));
static_assert(indexOf(kControls.back().id) + 1 == kControls.size());

// The table's indexes in tab order.
[[nodiscard]] std::array<std::size_t, kControls.size()> tabOrder();

} // namespace tarvex::design
