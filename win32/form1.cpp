#include "win32/form1.h"

#include "design/base_options.h"
#include "design/failures.h"
#include "design/texts.h"
#include "win32/dpi.h"
#include "win32/message_filter.h"
#include "win32/mod_tray.h"
#include "win32/resource_ids.h"
#include "win32/single_instance.h"
#include "win32/startup_steps.h"
#include "win32/text.h"
#include "win32/window_state.h"

#include <commctrl.h>

#include <array>
#include <exception>
#include <system_error>
#include <utility>

namespace tarvex::win32 {

namespace {

using design::ControlId;
using design::ControlKind;

// Asks the window to name its text boxes, once it has been drawn.
constexpr UINT kNameTextBoxesMessage = WM_APP + 1;

[[noreturn]] void throwLastError(const char *what)
{
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

void registerClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(TARVEX_ICON));
    windowClass.lpszClassName = kWindowClassName;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throwLastError("RegisterClassExW");
}

struct ControlClass
{
    const wchar_t *name;
    DWORD style;
    DWORD extendedStyle;
};

// Every control is clipped by the ones stacked in front of it, so that what the design puts in
// front (the top row over Frame3, the text boxes over their group boxes' frames) is what shows.
// The group boxes' insides are not painted: the window paints its background under them, and so
// has no WS_CLIPCHILDREN. A radio button group runs, in stacking order, from its front button
// (WS_GROUP) to the next control that starts a group.
ControlClass classOf(const design::Control &control, bool frontOfGroup)
{
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (control.kind) {
    case ControlKind::GroupBox:
        return {WC_BUTTONW, kChild | WS_GROUP | BS_GROUPBOX, 0};
    case ControlKind::RadioButton:
        return {WC_BUTTONW, kChild | (frontOfGroup ? WS_GROUP : 0) | BS_AUTORADIOBUTTON, 0};
    case ControlKind::TextBox:
        return {WC_EDITW, kChild | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
        return {WC_BUTTONW, kChild | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Label:
        break;
    }
    return {WC_STATICW, kChild | WS_GROUP | SS_LEFT, 0};
}

// Whether the control is the front radio button of its container: the last of them in the
// design's table, which runs back to front.
bool isFrontOfGroup(std::size_t index)
{
    const design::Control &control = design::kControls[index];
    if (control.kind != ControlKind::RadioButton)
        return false;
    for (std::size_t later = index + 1; later < design::kControls.size(); ++later)
        if (design::kControls[later].kind == ControlKind::RadioButton &&
            design::kControls[later].container == control.container)
            return false;
    return true;
}

} // namespace

Form1::Form1(HINSTANCE instance) : m_instance(instance)
{
    TARVEX_STARTUP_STEP("window class and window");
    registerClass(m_instance, windowProc);
    // Made fitted to the monitor it opens on, at that monitor's DPI, and its controls made where
    // the fit lays them out, rather than made first and moved there. The fit answers the
    // window's messages once it has the window. The window's long points to this object, which
    // a throw out of here leaves unmade: m_window destroys the window before the members its
    // messages use go.
    auto fit = std::make_unique<WindowFit>(m_controls);
    const design::Rect frame = fit->openingFrame();
    if (CreateWindowExW(0, kWindowClassName, wideString(design::kWindowCaption).c_str(),
                        WindowFit::kWindowStyle, frame.left, frame.top, frame.width, frame.height,
                        nullptr, nullptr, m_instance, this) == nullptr)
        throwLastError("CreateWindowExW");
    setIcons(dpiOfWindow(m_window.get()));
    fit->adopt(m_window.get());
    m_fit = std::move(fit);
    createControls();
    m_keyFilter =
        std::make_unique<KeyFilter>(control(ControlId::Text1), [this] { return inputBase(); });
    m_keys = std::make_unique<DialogKeys>(m_window.get(), m_controls);
    m_focus = control(ControlId::Option1);
}

// The controls in the design's order read backwards, front to back: Windows puts each child
// window made behind those made before it, so that they stack as the design's table, which runs
// back to front, has them. Each is made at its place in the fitted layout, in the fit's font.
void Form1::createControls()
{
    TARVEX_STARTUP_STEP("controls' creation");
    for (std::size_t i = design::kControls.size(); i-- > 0;) {
        const design::Control &control = design::kControls[i];
        const ControlClass controlClass = classOf(control, isFrontOfGroup(i));
        const std::wstring caption = wideString(control.caption);
        const design::Rect place = m_fit->placeOf(i);
        HWND made = CreateWindowExW(
            controlClass.extendedStyle, controlClass.name, caption.c_str(), controlClass.style,
            place.left, place.top, place.width, place.height, m_window.get(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), m_instance,
            nullptr);
        if (made == nullptr)
            throwLastError("CreateWindowExW");
        m_controls[i] = made;
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(m_fit->font()), FALSE);
        if (control.kind == ControlKind::TextBox) {
            // No limit but the largest Windows has.
            SendMessageW(made, EM_SETLIMITTEXT, 0, 0);
        }
        if (control.initiallySet)
            SendMessageW(made, BM_SETCHECK, BST_CHECKED, 0);
    }
}

// The icons drawn for the DPI replace those in use before these are destroyed. The notification
// area's icon keeps its own size.
void Form1::setIcons(UINT dpi)
{
    TARVEX_STARTUP_STEP("icons");
    WindowIcons icons = loadWindowIcons(m_instance, dpi);
    SendMessageW(m_window.get(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(icons.bigIcon.get()));
    SendMessageW(m_window.get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(icons.smallIcon.get()));
    m_icons = std::move(icons);
}

bool Form1::handleDialogKey(const MSG &message) const
{
    return m_keys != nullptr && m_keys->handle(message);
}

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form =
            static_cast<Form1 *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->m_window.take(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        scaleFramePerMonitor(window);
    }
    auto *form = reinterpret_cast<Form1 *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->m_window.letGo();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Nothing may be thrown through Windows' own code that called the procedure.
    try {
        return form->handleMessage(message, wParam, lParam);
    } catch (const std::exception &) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Form1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A second start of the program asks the running one to show its window.
    if (m_showRequest != 0 && message == m_showRequest) {
        showInFront(m_window.get());
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        m_showRequest = showRequestMessage();
        letThroughFromLowerRights(m_window.get());
        return 0;
    case kNameTextBoxesMessage:
        nameTextBoxes();
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        if (m_focus != nullptr)
            SetFocus(m_focus);
        return 0;
    case WM_SIZE:
        if (m_fit != nullptr && wParam != SIZE_MINIMIZED)
            m_fit->followClientArea();
        return 0;
    case WM_DPICHANGED:
        if (m_fit != nullptr)
            m_fit->followDpiChange(LOWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        setIcons(LOWORD(wParam));
        return 0;
    case kGetDpiScaledSizeMessage:
        if (m_fit == nullptr)
            break;
        *reinterpret_cast<SIZE *>(lParam) = m_fit->sizeAtDpi(static_cast<UINT>(wParam));
        return TRUE;
    case WM_SETTINGCHANGE:
        if (m_fit != nullptr && wParam == SPI_SETNONCLIENTMETRICS)
            m_fit->followFontChange();
        break;
    case WM_ENDSESSION:
        // The session ends, or the Restart Manager closes the program while the session goes
        // on (ENDSESSION_CLOSEAPP): the program ends as 退出 ends it, its icon with it. Left
        // running, it would be hidden, without an icon, out of the user's reach.
        if (wParam != FALSE)
            DestroyWindow(m_window.get());
        return 0;
    case WM_DESTROY:
        // UI Automation lets go of the boxes' elements while the boxes are still there.
        if (m_announcer)
            m_announcer->windowGoing();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window.get(), message, wParam, lParam);
}

void Form1::onCommand(int id, int notification)
{
    const auto index = static_cast<std::size_t>(id - kFirstControlId);
    if (index >= design::kControls.size())
        return;
    if (notification == EN_SETFOCUS && m_announcer)
        m_announcer->boxFocused(m_controls[index]);
    if (notification != BN_CLICKED)
        return;
    const design::Control &control = design::kControls[index];
    // A click on a push button carries out the command the design gives it.
    click(control.id);
    if (control.kind == ControlKind::RadioButton && m_keyFilter != nullptr)
        m_keyFilter->followInputBase();
}

// A window that is not a dialog gives the focus to itself when it is activated; the control
// that had it gets it back instead.
void Form1::onActivate(bool active)
{
    if (!active) {
        if (const HWND focus = GetFocus();
            focus != nullptr && IsChild(m_window.get(), focus) != FALSE)
            m_focus = focus;
        return;
    }
    if (IsIconic(m_window.get()) == FALSE && m_focus != nullptr)
        SetFocus(m_focus);
}

HWND Form1::control(ControlId id) const
{
    return m_controls.at(design::indexOf(id));
}

std::u16string Form1::text(ControlId box) const
{
    return windowText(control(box));
}

// A result comes after the window's first frame; the boxes are named then, if the request
// through the message loop has not come yet.
void Form1::setText(ControlId box, const std::u16string &text)
{
    SetWindowTextW(control(box), wide(text));
    nameTextBoxes();
    m_announcer->announce(control(box), text);
}

design::InputBase Form1::inputBase() const
{
    return design::chosenInputBase([this](ControlId option) {
        return SendMessageW(control(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
    });
}

std::u16string Form1::text1() const
{
    return text(ControlId::Text1);
}

void Form1::setText2(const std::u16string &text)
{
    setText(ControlId::Text2, text);
}

bool Form1::isOptionSet(OptionButton button) const
{
    return SendMessageW(control(design::optionControl(button)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A modal box owned by the window, with the message, an OK button, no icon and an empty title.
void Form1::showMessage(std::u16string_view message)
{
    MessageBoxW(m_window.get(), wideString(message).c_str(), L"", MB_OK);
}

// Runs the Load step, the first time, before the window is shown. The first time, the text boxes
// are named, and the results' announcer made, once the window and its controls have drawn their
// first frame: the request comes back through the message loop after that.
void Form1::show(int showCommand)
{
    TARVEX_STARTUP_STEP("showing the window");
    const bool first = !std::exchange(m_loaded, true);
    if (first)
        Form1_Load();
    ShowWindow(m_window.get(), showCommand);
    SetFocus(m_focus);
    if (first) {
        UpdateWindow(m_window.get());
        PostMessageW(m_window.get(), kNameTextBoxesMessage, 0, 0);
    }
}

void Form1::nameTextBoxes()
{
    if (m_names)
        return;
    TARVEX_STARTUP_STEP("text boxes' names and the results' announcer");
    m_names.emplace();
    for (std::size_t i = 0; i < design::kControls.size(); ++i)
        if (design::kControls[i].kind == ControlKind::TextBox)
            m_names->set(m_controls[i], design::kControls[i].accessibleName);
    const auto box = [this](ControlId id) {
        return OutputBox{control(id), design::controlOf(id).accessibleName};
    };
    const std::array outputBoxes{box(ControlId::Text2), box(ControlId::Text4),
                                 box(ControlId::Text6)};
    m_announcer.emplace(*m_names, outputBoxes);
}

// Whether the icon could be added does not matter: the window is shown either way, and a
// failure here (no memory) leaves the program without an icon.
void Form1::Form1_Load()
{
    design::skipOnFailure([this] {
        modTray::AddTrayIcon(m_window.get(), design::kTrayTip, design::kBalloonTitle,
                             design::kBalloonText, design::kBalloonIconKind);
    });
}

void Form1::Command1_Click()
{
    design::runGuarded([this] { runConvertCommand(*this); },
                       [this](std::u16string_view message) { showMessage(message); });
}

void Form1::Command2_Click()
{
    DestroyWindow(m_window.get());
}

void Form1::Command3_Click()
{
    design::runTextToHexCodesCommand(*this);
}

void Form1::Command4_Click()
{
    design::runHexCodesToTextCommand(*this);
}

} // namespace tarvex::win32
