// The Win32 window at work, made in the test's own process: its controls as the design has
// them, the Convert command and its message boxes, the key filter and the dialog keys with real
// key input, the text-code buttons, the notification-area icon's messages, and the ends of the
// message loop; what a screen reader is told of each result, seen through this program's import
// table. The cases are the ones both windows are tested against (window_cases.h).
#include "form1_under_test.h"
#include "import_table.h"
#include "user_input.h"
#include "window_cases.h"
#include "window_geometry.h"
#include "window_text.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <oleauto.h>
#include <uiautomationcore.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
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
// The window looks UI Automation's calls and COM's up at run time: they are answered with
// recorders.

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

// What the window has named each control, and which it has made live regions.
struct Annotations
{
    std::u16string name;
    std::optional<LONG> liveSetting;
};
std::map<HWND, Annotations> annotated;

using NotifyWinEventFunction = void(WINAPI *)(DWORD, HWND, LONG, LONG);
NotifyWinEventFunction realNotifyWinEvent = nullptr;

void WINAPI recordWinEvent(DWORD event, HWND window, LONG object, LONG child)
{
    if (event == kLiveRegionChanged && object == OBJID_CLIENT && child == CHILDID_SELF)
        told.emplace_back(window, u"(its live region changed, named) " + annotated[window].name);
    realNotifyWinEvent(event, window, object, child);
}

// The design's name of a box, while it is a window.
std::string boxName(HWND box)
{
    const auto row = static_cast<std::size_t>(GetDlgCtrlID(box) - win32::kFirstControlId);
    return IsWindow(box) != FALSE && row < design::kControls.size()
               ? std::string(design::kControls[row].name)
               : "a window already gone";
}

// What UI Automation was told to let go of, each by the box it belongs to.
std::vector<std::string> letGo;

LRESULT WINAPI recordProvidersReturned(HWND box, WPARAM wParam, LPARAM lParam,
                                       IRawElementProviderSimple *element)
{
    if (wParam == 0 && lParam == 0 && element == nullptr)
        letGo.push_back(boxName(box) + "'s providers");
    return 0;
}

HRESULT WINAPI recordDisconnection(IRawElementProviderSimple *element)
{
    IRawElementProviderSimple *host = nullptr;
    hostedBox = nullptr;
    element->get_HostRawElementProvider(&host);
    letGo.push_back(boxName(hostedBox) + "'s element");
    return S_OK;
}

// The annotations, which Wine's annotation service keeps to itself, are recorded on their way
// into it: its SetHwndProp and SetHwndPropStr replaced in a copy of its table of functions.
// PROPID_ACC_NAME (oleacc.h), UI Automation's LiveSetting property, and IAccPropServices.
constexpr GUID kName = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID kLiveSetting = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr IID kAnnotationService = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

HRESULT STDMETHODCALLTYPE recordProperty(IAccPropServices *, HWND control, DWORD, DWORD,
                                         MSAAPROPID property, VARIANT value)
{
    if (IsEqualGUID(property, kLiveSetting) && value.vt == VT_I4)
        annotated[control].liveSetting = value.lVal;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE recordText(IAccPropServices *, HWND control, DWORD, DWORD,
                                     MSAAPROPID property, LPCWSTR text)
{
    if (IsEqualGUID(property, kName))
        annotated[control].name = reinterpret_cast<const char16_t *>(text);
    return S_OK;
}

// IUnknown's three, then SetPropValue, SetPropServer, ClearProps, SetHwndProp, SetHwndPropStr
// and nine more, as the interface declares them.
std::array<void *, 18> recordingTable{};
constexpr std::size_t kSetHwndProp = 6;

using CoCreateInstanceFunction = HRESULT(WINAPI *)(REFCLSID, IUnknown *, DWORD, REFIID, void **);
CoCreateInstanceFunction realCoCreateInstance = nullptr;

HRESULT WINAPI createRecordedAnnotations(REFCLSID made, IUnknown *outer, DWORD context,
                                         REFIID asked, void **object)
{
    const HRESULT created = realCoCreateInstance(made, outer, context, asked, object);
    if (FAILED(created) || !IsEqualIID(asked, kAnnotationService))
        return created;
    void **&table = *static_cast<void ***>(*object);
    if (table != recordingTable.data()) {
        std::copy_n(table, recordingTable.size(), recordingTable.begin());
        recordingTable[kSetHwndProp] = reinterpret_cast<void *>(recordProperty);
        recordingTable[kSetHwndProp + 1] = reinterpret_cast<void *>(recordText);
        table = recordingTable.data();
    }
    return created;
}

struct RecordingWhatIsTold
{
    RecordingWhatIsTold()
    {
        answerLookUps("UiaRaiseNotificationEvent", [](FARPROC) {
            return notificationsExist ? asLookedUp(recordNotification) : nullptr;
        });
        answerLookUps("UiaHostProviderFromHwnd",
                      [](FARPROC) { return asLookedUp(recordHostProvider); });
        answerLookUps("UiaReturnRawElementProvider",
                      [](FARPROC) { return asLookedUp(recordProvidersReturned); });
        answerLookUps("UiaDisconnectProvider",
                      [](FARPROC) { return asLookedUp(recordDisconnection); });
        answerLookUps("CoCreateInstance", [](FARPROC found) {
            realCoCreateInstance = asCalled<CoCreateInstanceFunction>(found);
            return asLookedUp(createRecordedAnnotations);
        });
        if (realNotifyWinEvent == nullptr)
            realNotifyWinEvent = reinterpret_cast<NotifyWinEventFunction>(replaceImport(
                "user32.dll", "NotifyWinEvent", reinterpret_cast<void *>(recordWinEvent)));
        told.clear();
        letGo.clear();
        annotated.clear();
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

// What a screen reader is to be told once a command has written its output box, written out:
// the box's name, "：" and the text; the name alone for no text; for a text longer than 200
// characters (the long text's codes), its first 200 and its length.
std::vector<std::string> toldOf(design::ControlId box, std::u16string_view output)
{
    if (output == cases::kKept)
        return {};
    const std::string name = box == design::Text2   ? "输出结果框"
                             : box == design::Text4 ? "输出十六进制结果"
                                                    : "输出转换后的中文结果";
    std::string announced = output.empty() ? name : name + "：" + utf8(output.substr(0, 200));
    static_assert(cases::kLongTextCodes.size() == 480);
    if (output.size() > 200)
        announced += "…（共 480 个字符）";
    return {std::string(design::nameOf(box)) + " " + announced};
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

// UI Automation lets go of the output boxes' elements while the boxes are still there.
TEST_F(Form1Behaviour, CloseButtonEndsTheMessageLoop)
{
    PostMessageW(form.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(form.pumpUntil("the message loop to end", [&] { return form.quitStatus(); }));
    EXPECT_EQ(*form.quitStatus(), 0U);
    EXPECT_EQ(IsWindow(form.window()), FALSE) << "the window is still there";
    EXPECT_EQ(letGo, (std::vector<std::string>{"Text2's providers", "Text2's element",
                                               "Text4's providers", "Text4's element",
                                               "Text6's providers", "Text6's element"}));
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

// Without notifications each output box is a polite live region; the one written says once that
// it changed, named by the announcement then, and by its own name again once it has the focus.
TEST_F(Form1WithoutNotifications, OutputBoxTellsOnceThatItChanged)
{
    ASSERT_NE(realNotifyWinEvent, nullptr) << "the window's library calls no NotifyWinEvent";
    form.choose(design::Option1);
    form.choose(design::Option7);
    form.setText(design::Text1, u"101");
    form.click(design::Command1);
    EXPECT_EQ(heard(form),
              std::vector<std::string>{"Text2 (its live region changed, named) 输出结果框：5"});
    for (const design::ControlId box : {design::Text2, design::Text4, design::Text6})
        EXPECT_EQ(annotated[form.control(box)].liveSetting, 1)
            << design::nameOf(box) << " is not a polite live region";
    ASSERT_TRUE(form.focus(design::Text2));
    EXPECT_EQ(utf8(annotated[form.control(design::Text2)].name), "输出结果框");
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
