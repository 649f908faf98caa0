// The Win32 window at work, made in the test's own process: its controls as the design has
// them, the Convert command and its message boxes, the key filter and the dialog keys with real
// key input, the text-code buttons, the notification-area icon's messages, and the ends of the
// message loop; what a screen reader is told of each result, seen through this program's import
// table. The cases are the ones both windows are tested against (window_cases.h).
#include "design/announcement.h"
#include "form1_under_test.h"
#include "import_table.h"
#include "user_input.h"
#include "window_cases.h"
#include "window_geometry.h"
#include "window_text.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <uiautomationcore.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// A failed case is reported by its name, not its bytes.
namespace tarvex::cases {

void PrintTo(const ConvertCase &c, std::ostream *out)
{
    *out << c.name;
}
void PrintTo(const TypingCase &c, std::ostream *out)
{
    *out << c.name;
}
void PrintTo(const TextCodeCase &c, std::ostream *out)
{
    *out << c.name;
}

} // namespace tarvex::cases

namespace tarvex::window_tests {

namespace {

// The message the notification-area icon's mouse events reach the window as, with the mouse
// message as its lParam, and the icon's identifier.
constexpr UINT kIconMessage = 2025;
constexpr WPARAM kIconId = 1;

// A case's name as GoogleTest takes it: letters, digits and underscores.
std::string testName(std::string_view name)
{
    std::string out(name);
    std::ranges::replace_if(
        out, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; }, '_');
    return out;
}

// What the window is like: shown or hidden, minimised or maximised, and its size. Not its
// place: under Wine with openbox it moves by a pixel as the frame reports trail in.
std::string windowState(HWND window)
{
    const RECT rect = windowRect(window);
    return std::string(IsWindowVisible(window) != FALSE ? "shown" : "hidden") +
           (IsIconic(window) != FALSE ? ", minimised" : "") +
           (IsZoomed(window) != FALSE ? ", maximised" : "") + ", " +
           std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

BOOL CALLBACK countWindow(HWND, LPARAM count)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the enumeration hands back what it was given
    ++*reinterpret_cast<std::size_t *>(count);
    return TRUE;
}

// --- What the window tells a screen reader, seen through this program's import table -------
// The window looks UI Automation's calls up at run time: GetProcAddress hands it recorders.

// EVENT_OBJECT_LIVEREGIONCHANGED, declared only for builds that need Windows 8.
constexpr DWORD kLiveRegionChanged = 0x8019;
// Windows before 10 1709 have no notifications: the window is told so where this is false.
bool notificationsExist = true;

// Each box told of and what it was told, since the window was made.
std::vector<std::pair<HWND, std::u16string>> told;
HWND hostedBox = nullptr;

HRESULT WINAPI recordHostProvider(HWND box, IRawElementProviderSimple **provider)
{
    hostedBox = box;
    *provider = nullptr;
    return E_NOTIMPL;
}

// The box is the window that hosts the notification's element.
HRESULT WINAPI recordNotification(IRawElementProviderSimple *element, int kind, int processing,
                                  BSTR text, BSTR)
{
    IRawElementProviderSimple *host = nullptr;
    hostedBox = nullptr;
    element->get_HostRawElementProvider(&host);
    const bool actionCompletedMostRecentOnly = kind == 2 && processing == 3;
    told.emplace_back(hostedBox, (actionCompletedMostRecentOnly ? u"" : u"(of another kind) ") +
                                     std::u16string(reinterpret_cast<const char16_t *>(text),
                                                    SysStringLen(text)));
    return S_OK;
}

using NotifyWinEventFunction = void(WINAPI *)(DWORD, HWND, LONG, LONG);
NotifyWinEventFunction realNotifyWinEvent = nullptr;

void WINAPI recordWinEvent(DWORD event, HWND window, LONG object, LONG child)
{
    if (event == kLiveRegionChanged && object == OBJID_CLIENT && child == CHILDID_SELF)
        told.emplace_back(window, u"(its live region changed)");
    realNotifyWinEvent(event, window, object, child);
}

using LookUp = FARPROC(WINAPI *)(HMODULE, LPCSTR);
LookUp realLookUp = nullptr;

FARPROC WINAPI lookUpRecorders(HMODULE library, LPCSTR name)
{
    void *recorder = nullptr;
    if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) == 0) // an ordinal, not a name
        return realLookUp(library, name);
    if (std::strcmp(name, "UiaRaiseNotificationEvent") == 0)
        recorder = notificationsExist ? reinterpret_cast<void *>(recordNotification) : nullptr;
    else if (std::strcmp(name, "UiaHostProviderFromHwnd") == 0)
        recorder = reinterpret_cast<void *>(recordHostProvider);
    else
        return realLookUp(library, name);
    return reinterpret_cast<FARPROC>(recorder);
}

struct RecordingWhatIsTold
{
    RecordingWhatIsTold()
    {
        if (realLookUp == nullptr) {
            realLookUp = reinterpret_cast<LookUp>(replaceImport(
                "kernel32.dll", "GetProcAddress", reinterpret_cast<void *>(lookUpRecorders)));
            realNotifyWinEvent = reinterpret_cast<NotifyWinEventFunction>(replaceImport(
                "user32.dll", "NotifyWinEvent", reinterpret_cast<void *>(recordWinEvent)));
        }
        told.clear();
    }
};

// What a screen reader has been told, each by the box's name in the design.
std::vector<std::string> heard(const Form1UnderTest &form)
{
    std::vector<std::string> heard;
    for (const auto &[box, text] : told)
        heard.push_back(form.nameOf(box) + " " + utf8(text));
    return heard;
}

// What a screen reader is to be told once a command has written its output box.
std::vector<std::string> toldOf(design::ControlId box, std::u16string_view output)
{
    const std::u16string_view name = design::controlOf(box).accessibleName;
    return output == cases::kKept ? std::vector<std::string>{}
                                  : std::vector{std::string(design::nameOf(box)) + " " +
                                                utf8(design::resultAnnouncement(name, output))};
}

class Form1Behaviour : public ::testing::Test
{
protected:
    explicit Form1Behaviour(
        Form1UnderTest::Showing showing = Form1UnderTest::Showing::AsTheProgramDoes)
        : form(showing)
    {}
    void TearDown() override { EXPECT_EQ(form.answerer().faults(), ""); }

    RecordingWhatIsTold recording;
    Form1UnderTest form;
};

TEST_F(Form1Behaviour, HoldsTheDesignsControlsAsTheDesignHasThem)
{
    // A second start of the program finds the window by its class.
    std::array<wchar_t, 64> windowClass{};
    GetClassNameW(form.window(), windowClass.data(), static_cast<int>(windowClass.size()));
    EXPECT_STREQ(windowClass.data(), win32::kWindowClassName);
    EXPECT_EQ(utf8(textOf(form.window())), utf8(design::kWindowCaption));

    std::size_t count = 0;
    EnumChildWindows(form.window(), countWindow, reinterpret_cast<LPARAM>(&count));
    EXPECT_EQ(count, design::kControls.size()) << "windows in the window";

    for (const design::Control &control : design::kControls) {
        SCOPED_TRACE(std::string(control.name));
        const HWND window = form.control(control.id);
        ASSERT_NE(window, nullptr);
        std::array<wchar_t, 64> name{};
        GetClassNameW(window, name.data(), static_cast<int>(name.size()));
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
        const auto kind = [&](const wchar_t *className, DWORD buttonStyle) {
            return lstrcmpiW(name.data(), className) == 0 &&
                   (buttonStyle == ~DWORD{0} || (style & BS_TYPEMASK) == buttonStyle);
        };
        using enum design::ControlKind;
        const bool rightKind =
            control.kind == GroupBox      ? kind(L"Button", BS_GROUPBOX)
            : control.kind == RadioButton ? kind(L"Button", BS_AUTORADIOBUTTON)
            : control.kind == PushButton  ? kind(L"Button", BS_PUSHBUTTON)
            : control.kind == TextBox
                ? kind(L"Edit", ~DWORD{0}) && (style & (ES_MULTILINE | ES_READONLY)) == 0
                : kind(L"Static", ~DWORD{0});
        EXPECT_TRUE(rightKind) << "a window of class "
                               << utf8(reinterpret_cast<const char16_t *>(name.data()))
                               << " with style " << style;
        EXPECT_EQ(utf8(form.text(control.id)), utf8(control.caption));
        EXPECT_TRUE(IsWindowVisible(window) != FALSE && IsWindowEnabled(window) != FALSE)
            << "hidden or disabled";
        if (control.kind == RadioButton) {
            EXPECT_EQ(form.isChecked(control.id), control.initiallySet);
        }
    }
}

// The cases of real key input, on a window without its notification-area icon, each in a suite
// whose name begins Form1Keys, run in a process of their own before the others
// (window_tests.sh). Under Wine with openbox and trayer the icon's window, docked in the panel,
// was seen to take the foreground (Wine's __winex11_tray_icon) while keys were on their way; and
// the focus changes of message boxes and of a window hidden and shown reach the window manager
// and come back to Wine well after Windows' own state has changed, and while they trail in,
// Wine gives the foreground to the desktop for a moment. Keys sent then are lost.
class Form1Keys : public Form1Behaviour
{
protected:
    Form1Keys() : Form1Behaviour(Form1UnderTest::Showing::WithoutItsIcon) {}

    // The tab stops in order: the chosen radio button of each base group, then the boxes and
    // buttons.
    [[nodiscard]] std::vector<std::string_view> tabStops() const
    {
        std::vector<std::string_view> stops;
        for (const design::ControlId option :
             {design::Option1, design::Option2, design::Option3, design::Option4, design::Option5,
              design::Option6, design::Option7, design::Option8})
            if (form.isChecked(option))
                stops.push_back(design::nameOf(option));
        for (const design::ControlId stop : cases::kTabStopsAfterTheBases)
            stops.push_back(design::nameOf(stop));
        return stops;
    }
};

TEST_F(Form1Keys, FocusStartsOnOption1AndTabVisitsEveryStopInTurnBothWays)
{
    ASSERT_TRUE(form.bringInFront());
    ASSERT_EQ(form.focusName(), "Option1") << "where the focus starts";
    const std::vector<std::string_view> stops = tabStops();
    for (std::size_t i = 1; i <= stops.size(); ++i) {
        ASSERT_TRUE(form.press(keyPress(VK_TAB)));
        ASSERT_EQ(form.focusName(), stops[i % stops.size()]) << "Tab number " << i;
    }
    for (std::size_t i = 1; i <= stops.size(); ++i) {
        ASSERT_TRUE(form.press(keyPress(VK_TAB, false, true)));
        ASSERT_EQ(form.focusName(), stops[stops.size() - i]) << "Shift+Tab number " << i;
    }
}

TEST_F(Form1Keys, ArrowsChooseTheNextOrPreviousBaseOfTheGroup)
{
    ASSERT_TRUE(form.focus(design::Option1));
    for (const auto &[key, chosen] :
         {std::pair{VK_RIGHT, design::Option2}, std::pair{VK_DOWN, design::Option3},
          std::pair{VK_LEFT, design::Option2}, std::pair{VK_UP, design::Option1}}) {
        ASSERT_TRUE(form.press(keyPress(static_cast<WORD>(key), true)));
        EXPECT_EQ(form.focusName(), design::nameOf(chosen));
        EXPECT_TRUE(form.isChecked(chosen)) << design::nameOf(chosen) << " is not chosen";
    }
    EXPECT_TRUE(form.isChecked(design::Option7)) << "the output base changed";
}

TEST_F(Form1Keys, TabFromConvertReachesTheHiddenExitThenText3)
{
    ASSERT_TRUE(form.focus(design::Command1));
    ASSERT_TRUE(form.press(keyPress(VK_TAB)));
    EXPECT_EQ(form.focusName(), "Command2");
    ASSERT_TRUE(form.press(keyPress(VK_TAB)));
    EXPECT_EQ(form.focusName(), "Text3");
}

TEST_F(Form1Keys, ReturnKeypadEnterAndEscapePressNothing)
{
    form.choose(design::Option4);
    for (const design::ControlId focus : cases::kEnterPressesNothingIn) {
        SCOPED_TRACE(std::string(design::nameOf(focus)));
        // A click gives a radio button the focus and chooses it.
        if (design::controlOf(focus).kind == design::ControlKind::RadioButton)
            form.choose(focus);
        ASSERT_TRUE(form.focus(focus));
        std::vector<INPUT> keys = keyPress(VK_RETURN);
        for (const std::vector<INPUT> &more : {keyPress(VK_RETURN, true), keyPress(VK_ESCAPE)})
            keys.insert(keys.end(), more.begin(), more.end());
        ASSERT_TRUE(form.press(std::move(keys)));
    }
    EXPECT_NE(IsWindowVisible(form.window()), FALSE) << "the window went";
    EXPECT_EQ(utf8(form.text(design::Text2)), "");
}

TEST_F(Form1Keys, ExitButtonPressedWithSpaceEndsTheMessageLoop)
{
    ASSERT_TRUE(form.focus(design::Command2));
    sendInput(keyPress(VK_SPACE));
    ASSERT_TRUE(form.pumpUntil("the message loop to end", [&] { return form.quitStatus(); }));
    EXPECT_EQ(*form.quitStatus(), 0U);
    EXPECT_EQ(IsWindow(form.window()), FALSE) << "the window is still there";
}

TEST_F(Form1Behaviour, CloseButtonEndsTheMessageLoop)
{
    PostMessageW(form.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(form.pumpUntil("the message loop to end", [&] { return form.quitStatus(); }));
    EXPECT_EQ(*form.quitStatus(), 0U);
    EXPECT_EQ(IsWindow(form.window()), FALSE) << "the window is still there";
}

// A left click on the icon hides the window, a second brings it back at its size and place.
TEST_F(Form1Behaviour, IconLeftClickHidesTheWindowAndASecondBringsItBack)
{
    const HWND window = form.window();
    const RECT before = windowRect(window);
    SendMessageW(window, kIconMessage, kIconId, WM_LBUTTONUP);
    ASSERT_TRUE(form.pumpUntil("the window to be hidden and minimised", [&] {
        return IsWindowVisible(window) == FALSE && IsIconic(window) != FALSE;
    }));
    SendMessageW(window, kIconMessage, kIconId, WM_LBUTTONUP);
    ASSERT_TRUE(form.pumpUntil("the window to be shown at normal size", [&] {
        return IsWindowVisible(window) != FALSE && IsIconic(window) == FALSE &&
               IsZoomed(window) == FALSE;
    }));
    // Its place within the pixel by which the frame reports move it (see windowState).
    const RECT after = windowRect(window);
    EXPECT_TRUE(after.right - after.left == before.right - before.left &&
                after.bottom - after.top == before.bottom - before.top &&
                std::abs(after.left - before.left) <= 1 && std::abs(after.top - before.top) <= 1)
        << "the window came back " << describe(after) << ", was " << describe(before);
}

// A right click on the icon opens its menu; closed as by a click elsewhere, it leaves the window
// as it was.
TEST_F(Form1Behaviour, IconRightClickOpensTheMenu)
{
    const std::string before = windowState(form.window());
    form.answerer().expect(0, 1);
    SendMessageW(form.window(), kIconMessage, kIconId, WM_RBUTTONUP);
    EXPECT_EQ(form.answerer().menus(), 1U);
    EXPECT_EQ(windowState(form.window()), before);
}

class Form1WithoutNotifications : public Form1Behaviour
{
protected:
    static void SetUpTestSuite() { notificationsExist = false; }
    static void TearDownTestSuite() { notificationsExist = true; }
};

// Without notifications the output box, a live region, says that it changed; its name, which
// Wine does not read back, carries the announcement.
TEST_F(Form1WithoutNotifications, OutputBoxTellsOnceThatItChanged)
{
    ASSERT_NE(realNotifyWinEvent, nullptr) << "the window's library calls no NotifyWinEvent";
    form.choose(design::Option1);
    form.choose(design::Option7);
    form.setText(design::Text1, u"101");
    form.click(design::Command1);
    EXPECT_EQ(heard(form), std::vector<std::string>{"Text2 (its live region changed)"});
}

class Form1IconMessage : public Form1Behaviour, public ::testing::WithParamInterface<LPARAM>
{
};

// Mouse messages of the icon other than the buttons' release do nothing.
TEST_P(Form1IconMessage, ChangesNothing)
{
    const std::string before = windowState(form.window());
    SendMessageW(form.window(), kIconMessage, kIconId, GetParam());
    ASSERT_TRUE(form.pumpUntil("the window's messages to be handled", [] { return true; }));
    EXPECT_EQ(form.answerer().menus(), 0U);
    EXPECT_EQ(windowState(form.window()), before);
}

INSTANTIATE_TEST_SUITE_P(MouseMovesPressesAndDoubleClicks, Form1IconMessage,
                         ::testing::Values(WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK),
                         [](const auto &info) { return std::to_string(info.param); });

class Form1Convert : public Form1Behaviour, public ::testing::WithParamInterface<cases::ConvertCase>
{
};

TEST_P(Form1Convert, ShowsTheResultAndItsMessages)
{
    const cases::ConvertCase &c = GetParam();
    form.choose(c.inputOption);
    form.choose(c.outputOption);
    form.setText(design::Text1, c.input);
    form.setText(design::Text2, cases::kKept);
    form.answerer().expect(c.messageCount());
    form.click(design::Command1);

    std::vector<std::string> expected;
    for (std::size_t i = 0; i < c.messageCount(); ++i)
        expected.push_back(utf8(c.messages.at(i)));
    std::vector<std::string> shown;
    for (const std::u16string &text : form.answerer().texts())
        shown.push_back(utf8(text));
    EXPECT_EQ(shown, expected);
    for (const ShownMessageBox &box : form.answerer().boxes()) {
        EXPECT_EQ(box.owner, form.window()) << "a message box is not owned by the window";
        EXPECT_EQ(utf8(box.title), "");
        EXPECT_EQ(box.buttons, std::vector<std::u16string>{u"确定"})
            << "a message box does not have the one button 确定";
        EXPECT_FALSE(box.showsIcon);
    }
    EXPECT_EQ(utf8(form.text(design::Text2)), utf8(c.output));
    const std::vector<std::string> spoken = heard(form);
    EXPECT_EQ(spoken, toldOf(design::Text2, c.output));
    // A screen reader speaks a message box as it shows: an announcement does not say it again.
    for (const std::string &message : shown)
        for (const std::string &announcement : spoken)
            EXPECT_EQ(announcement.find(message), std::string::npos) << announcement;
}

INSTANTIATE_TEST_SUITE_P(Cases, Form1Convert, ::testing::ValuesIn(cases::kConvertCases),
                         [](const auto &info) { return testName(info.param.name); });

class Form1KeysTyping : public Form1Keys, public ::testing::WithParamInterface<cases::TypingCase>
{
};

TEST_P(Form1KeysTyping, Text1KeepsWhatTheInputBaseAllows)
{
    const cases::TypingCase &c = GetParam();
    if (c.typedInto == cases::TypedInto::QtWindowOnly)
        GTEST_SKIP() << "an input method's commit is made only in the Qt window's tests";
    form.choose(c.option);
    form.setText(design::Text1, u"");
    setClipboardText(cases::kClipboardText);
    ASSERT_TRUE(form.focus(design::Text1));
    ASSERT_TRUE(form.press(keyScript(c.script)));
    EXPECT_EQ(utf8(form.text(design::Text1)), utf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, Form1KeysTyping, ::testing::ValuesIn(cases::kTypingCases),
                         [](const auto &info) { return testName(info.param.name); });

class Form1KeysTextCodes : public Form1Keys,
                           public ::testing::WithParamInterface<cases::TextCodeCase>
{
};

TEST_P(Form1KeysTextCodes, ButtonFillsItsOutputBox)
{
    const cases::TextCodeCase &c = GetParam();
    form.setText(c.outputBox, cases::kKept);
    ASSERT_TRUE(form.focus(c.inputBox));
    ASSERT_TRUE(form.press(keyScript(c.input)));
    told.clear();
    form.click(c.button);
    EXPECT_EQ(utf8(form.text(c.outputBox)), utf8(c.output));
    EXPECT_EQ(heard(form), toldOf(c.outputBox, c.output));
}

INSTANTIATE_TEST_SUITE_P(Cases, Form1KeysTextCodes, ::testing::ValuesIn(cases::kTextCodeCases),
                         [](const auto &info) { return testName(info.param.name); });

struct EnterCase
{
    cases::ButtonCase button;
    bool keypad;
};

void PrintTo(const EnterCase &c, std::ostream *out)
{
    *out << (c.keypad ? "keypad Enter on " : "Return on ") << c.button.name;
}

class Form1KeysEnter : public Form1Keys, public ::testing::WithParamInterface<EnterCase>
{
};

TEST_P(Form1KeysEnter, PressesTheFocusedButton)
{
    const cases::ButtonCase &c = GetParam().button;
    form.choose(design::Option1);
    form.choose(design::Option7);
    for (const cases::BoxText &input : cases::kButtonInputs)
        form.setText(input.box, input.text);
    form.setText(c.outputBox, cases::kKept);
    ASSERT_TRUE(form.focus(c.button));
    ASSERT_TRUE(form.press(keyPress(VK_RETURN, GetParam().keypad)));
    EXPECT_EQ(utf8(form.text(c.outputBox)), utf8(c.output));
}

std::vector<EnterCase> enterCases()
{
    std::vector<EnterCase> all;
    for (const bool keypad : {false, true})
        for (const cases::ButtonCase &c : cases::kEnterPressesButtonCases)
            all.push_back({c, keypad});
    return all;
}

INSTANTIATE_TEST_SUITE_P(ReturnAndKeypadEnter, Form1KeysEnter, ::testing::ValuesIn(enterCases()),
                         [](const auto &info) {
                             return std::string(info.param.keypad ? "KeypadEnterOn" : "ReturnOn") +
                                    std::string(design::nameOf(info.param.button.button));
                         });

} // namespace

} // namespace tarvex::window_tests
