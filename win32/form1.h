#pragma once

#include "core/convert_command.h"
#include "core/radix_conversions.h"
#include "design/commands.h"
#include "design/form1_design.h"
#include "design/key_decision.h"
#include "win32/accessible_names.h"
#include "win32/dialog_keys.h"
#include "win32/handles.h"
#include "win32/key_filter.h"
#include "win32/result_announcer.h"
#include "win32/window_fit.h"
#include "win32/window_icons.h"
#include "win32/window_identity.h"
#include "win32/windows_headers.h"

#include <memory>
#include <optional>

namespace tarvex::win32 {

// The one window of the program, made from the design's table of controls as real Win32
// controls: the radix converter on top (input and output bases, the input and output boxes,
// Convert), the two text-code panels below, and the hidden Exit button. A WindowFit fits the
// twips layout to the window and the window to its monitor. The window owns the working
// strings and the conversion methods of the radix converter and serves as the Convert
// command's window. Its buttons reach their handlers through the design's commands.
class Form1 final : public ConvertWindow,
                    public RadixConversions,
                    private design::CommandHandlers,
                    private design::TextCodeWindow
{
public:
    // Makes the window and its controls, hidden. Throws std::system_error when Windows refuses.
    explicit Form1(HINSTANCE instance);
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    [[nodiscard]] HWND handle() const { return m_window.get(); }

    // Runs the Load step, the first time, then shows the window; once it is drawn, the text
    // boxes are named and results can be announced.
    void show(int showCommand);

    // Handles a key meant for the window's controls as a dialog would; true when it did.
    [[nodiscard]] bool handleDialogKey(const MSG &message) const;

    // ConvertWindow
    [[nodiscard]] std::u16string text1() const override;
    void setText2(const std::u16string &text) override;
    [[nodiscard]] bool isOptionSet(OptionButton button) const override;
    void showMessage(std::u16string_view message) override;
    [[nodiscard]] RadixConversions &conversions() override { return *this; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls();
    void nameTextBoxes();
    void setIcons(UINT dpi);
    void onCommand(int id, int notification);
    void onActivate(bool active);

    [[nodiscard]] HWND control(design::ControlId id) const;
    [[nodiscard]] std::u16string text(design::ControlId box) const override;
    // Writes an output box, and tells a screen reader what it now shows.
    void setText(design::ControlId box, const std::u16string &text) override;
    [[nodiscard]] design::InputBase inputBase() const;

    void Form1_Load();
    void Command1_Click() override;
    void Command2_Click() override;
    void Command3_Click() override;
    void Command4_Click() override;

    HINSTANCE m_instance;
    WindowFit::Controls m_controls{};
    std::unique_ptr<WindowFit> m_fit;
    std::unique_ptr<DialogKeys> m_keys;
    WindowIcons m_icons;
    std::optional<AccessibleNames> m_names;
    // A second start's request to show the window; 0 (none) where it could not be registered.
    UINT m_showRequest = 0;
    std::optional<ResultAnnouncer> m_announcer;
    // The control that had the focus when the window was last active.
    HWND m_focus = nullptr;
    bool m_loaded = false;
    // Declared last, so that they go first: the number box gets its own procedure back, then
    // the window and its controls are destroyed while what their messages use is still there.
    OwnedWindow m_window;
    std::unique_ptr<KeyFilter> m_keyFilter;
};

} // namespace tarvex::win32
