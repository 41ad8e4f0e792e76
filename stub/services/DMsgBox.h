// DMsgBox: the stub's own message box. Every question, warning and error of the stub goes
// through it instead of the system's box: a top-most window with a coloured band and an icon,
// the text in a read-only rich edit control (markup: DMsgBoxText.h), and up to three buttons
// whose captions come from the language block. It answers with the system's result codes
// (DMsgBoxStyle.h). One box is open at a time; it runs its own message loop on the calling
// thread, so the rest of the stub keeps working while it is open.
#pragma once
#include <cstdint>
#include <string>

namespace stub {

// The owner of a box: a window handle (any value above 2, that window is the parent) or a mode.
// In every mode the parent is the active window.
using BoxOwner = std::uintptr_t;
inline constexpr BoxOwner kBoxModeHeading = 0;  // the caption in bold above the text
inline constexpr BoxOwner kBoxModePlain = 1;    // no heading
inline constexpr BoxOwner kBoxModeNoClose = 2;  // no heading; Close is disabled

// Font of every later box: face and charset always, the size (points) when it is not 0.
void SetBoxFont(const std::string& face, int size, int charset);

// Shows a box and returns its result code (0 when closed without a button). An empty buttons
// list means the default captions; charset 177 or 178 reads right to left; timeoutMs > 0
// answers the first button (or 0 without buttons) when it runs out. Asked for while another box
// is open (from a window procedure running inside that box's loop), it shows nothing and
// answers 0.
int ShowBox(BoxOwner owner, const std::string& text, const std::string& caption, const std::string& buttons,
            int charset, unsigned style, unsigned timeoutMs);

// OK with the hand icon; an empty caption means "Error".
void ErrorBox(BoxOwner owner, const std::string& text, const std::string& caption, const std::string& buttons,
              int charset);
// OK with the exclamation mark; an empty caption means "Attention".
void AttentionBox(BoxOwner owner, const std::string& text, const std::string& caption,
                  const std::string& buttons, int charset, unsigned timeoutMs);
// Yes and No with the question mark; an empty caption means "Confirm". True for Yes (a time-out
// answers Yes).
bool ConfirmYesNo(BoxOwner owner, const std::string& text, const std::string& caption,
                  const std::string& buttons, int charset, unsigned timeoutMs);
// OK and Cancel with the question mark; an empty caption means "Confirm". True for OK.
bool ConfirmOkCancel(BoxOwner owner, const std::string& text, const std::string& caption,
                     const std::string& buttons, int charset);

} // namespace stub
