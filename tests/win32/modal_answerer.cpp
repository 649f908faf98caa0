#include "modal_answerer.h"

#include "window_text.h"

#include <array>

namespace tarvex::window_tests {

namespace {

// Long enough for any box or menu to go once answered; only a fault keeps one up this long.
constexpr std::chrono::seconds kStuckAfter{10};
constexpr UINT kLookEveryMilliseconds = 10;

ModalAnswerer *answering = nullptr;

std::u16string classOf(HWND window)
{
    std::array<wchar_t, 64> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return {reinterpret_cast<const char16_t *>(name.data()), static_cast<std::size_t>(length)};
}

struct Search
{
    std::u16string_view className;
    HWND found;
};

BOOL CALLBACK findShown(HWND window, LPARAM search)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the enumeration hands back what it was given
    auto &looking = *reinterpret_cast<Search *>(search);
    if (IsWindowVisible(window) == FALSE || classOf(window) != looking.className)
        return TRUE;
    looking.found = window;
    return FALSE;
}

// The thread's shown window of the class Windows gives dialogs (#32770) or menus (#32768).
HWND shownWindow(std::u16string_view className)
{
    Search search{className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK readControl(HWND control, LPARAM box)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the enumeration hands back what it was given
    auto &shown = *reinterpret_cast<ShownMessageBox *>(box);
    const std::u16string kind = classOf(control);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    if (kind == u"Button")
        shown.buttons.push_back(textOf(control));
    else if (kind == u"Static" && (style & SS_TYPEMASK) == SS_ICON)
        shown.showsIcon = shown.showsIcon || SendMessageW(control, STM_GETICON, 0, 0) != 0;
    else if (kind == u"Static")
        shown.text += textOf(control);
    return TRUE;
}

} // namespace

ModalAnswerer::ModalAnswerer() : m_timer(SetTimer(nullptr, 0, kLookEveryMilliseconds, onTimer))
{
    answering = this;
}

ModalAnswerer::~ModalAnswerer()
{
    KillTimer(nullptr, m_timer);
    answering = nullptr;
}

void ModalAnswerer::expect(std::size_t boxes, std::size_t menus)
{
    m_expectedBoxes = boxes;
    m_expectedMenus = menus;
    m_boxes.clear();
    m_menus = 0;
    m_stuck.clear();
}

std::vector<std::u16string> ModalAnswerer::texts() const
{
    std::vector<std::u16string> texts;
    for (const ShownMessageBox &box : m_boxes)
        texts.push_back(box.text);
    return texts;
}

std::string ModalAnswerer::faults() const
{
    std::string faults;
    for (std::size_t i = m_expectedBoxes; i < m_boxes.size(); ++i)
        faults += "an unexpected message box said \"" + utf8(m_boxes[i].text) + "\"; ";
    if (m_menus > m_expectedMenus)
        faults += std::to_string(m_menus - m_expectedMenus) + " unexpected menus opened; ";
    for (const std::string &stuck : m_stuck)
        faults += stuck + "; ";
    return faults;
}

void CALLBACK ModalAnswerer::onTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (answering != nullptr)
        answering->look();
}

void ModalAnswerer::look()
{
    HWND shown = shownWindow(u"#32770");
    const bool isBox = shown != nullptr;
    if (!isBox)
        shown = shownWindow(u"#32768");
    if (shown == nullptr) {
        m_shown = nullptr;
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (shown != m_shown) {
        m_shown = shown;
        m_shownSince = now;
        if (isBox)
            answerBox(shown);
        else
            closeMenu();
        return;
    }
    if (now - m_shownSince < kStuckAfter)
        return;
    m_stuck.push_back(isBox ? "a message box stayed after its OK was pressed"
                            : "the menu stayed after it was closed");
    m_shownSince = now;
    if (isBox)
        EndDialog(shown, IDOK);
    else
        EndMenu();
}

void ModalAnswerer::answerBox(HWND box)
{
    ShownMessageBox read{GetWindow(box, GW_OWNER), textOf(box), {}, {}, false};
    EnumChildWindows(box, readControl, reinterpret_cast<LPARAM>(&read));
    m_boxes.push_back(std::move(read));
    if (const HWND ok = GetDlgItem(box, IDOK); ok != nullptr)
        SendMessageW(ok, BM_CLICK, 0, 0);
    else
        m_stuck.push_back("a message box had no OK button");
}

// EndMenu ends the thread's menu as a click outside it does.
void ModalAnswerer::closeMenu()
{
    ++m_menus;
    EndMenu();
}

} // namespace tarvex::window_tests
