// The main window: one top-level window per run whose class name identifies the instance, with
// a status line and two progress bars, and whose one-second timer starts all work.
#pragma once
#include <windows.h>
#include <string>

namespace stub {

// Creates the window (hidden), runs the message loop, cleans up; returns when the loop ends.
void WinMain();

// The window of this run; null before WinMain created it or after it was destroyed.
HWND MainWindow();
void ShowMainWindow(bool show);
void ShowActivityBar();

// Puts a text into the status line with the language's font.
void SetStatusText(const std::string& text, const std::string& fontName, int charset, int fontSize);

} // namespace stub
