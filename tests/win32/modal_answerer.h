#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace tarvex::window_tests {

struct ShownMessageBox
{
    HWND owner;
    std::u16string title;
    std::u16string text;
    std::vector<std::u16string> buttons;
    // Wine's boxes always carry an icon label, empty when the box shows no icon: what counts is
    // whether the label holds an icon.
    bool showsIcon;
};

// Answers what the thread shows modally while it lives, so that a test never hangs in a modal
// loop: on a timer, which runs inside the loops of message boxes and menus too, it looks for a
// message box or a pop-up menu of the thread. A box is recorded with what it shows and its OK
// pressed; a menu is counted and closed as a click elsewhere closes it. Boxes and menus beyond
// those expected are recorded as unexpected; one that is still there past the bound is ended
// and recorded as stuck. One answerer at a time.
class ModalAnswerer
{
public:
    ModalAnswerer();
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer &) = delete;
    ModalAnswerer &operator=(const ModalAnswerer &) = delete;

    // Starts the record afresh, expecting that many boxes and menus.
    void expect(std::size_t boxes, std::size_t menus = 0);

    [[nodiscard]] const std::vector<ShownMessageBox> &boxes() const { return m_boxes; }
    [[nodiscard]] std::vector<std::u16string> texts() const;
    [[nodiscard]] std::size_t menus() const { return m_menus; }
    // What went wrong, for the test's report; empty when everything shown was expected and
    // went when answered.
    [[nodiscard]] std::string faults() const;

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
    void look();
    void answerBox(HWND box);
    void closeMenu();

    UINT_PTR m_timer = 0;
    std::size_t m_expectedBoxes = 0;
    std::size_t m_expectedMenus = 0;
    std::vector<ShownMessageBox> m_boxes;
    std::size_t m_menus = 0;
    std::vector<std::string> m_stuck;
    // What was on the screen at the last look, and since when.
    HWND m_shown = nullptr;
    std::chrono::steady_clock::time_point m_shownSince;
};

} // namespace tarvex::window_tests
