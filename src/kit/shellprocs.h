#pragma once

#include <QString>

class QWidget;
struct Services;

// The shell procedures every window shares.

// Handles a key-down before the window's controls see it. F2 starts the calculator and
// F10 offers to quit; F3-F9, F11 and F12 show the function-key list. Those keys are
// cancelled (keyCode set to 0). F1 and every other key are left for the window.
// The shift state is not looked at.
void FunctionKeys(Services& services, int& keyCode, int shift);

// Opens help at the topic of the window the user is in, exactly as F1 pressed there
// would: the active (modal) window's topic, or the contents when it has none.
void DisplayHelp(Services& services);

// Asks the quit question; Yes ends the program at once.
void Quit(Services& services);

// The about box.
void DisplayAbout(Services& services);

// Starts the first desktop calculator found on PATH, without waiting.
void Calculator(Services& services);

// Opens a text file in the desktop's viewer, without waiting.
void ViewEditor(Services& services, const QString& path);

// Gives a window key preview: every key-down goes to FunctionKeys first, and F1 opens
// the help viewer at `helpTopic` (also kept as the window's "helpTopic" property for
// DisplayHelp). The filter is owned by the window.
void installFunctionKeys(QWidget* window, Services& services, const QString& helpTopic);

// F1 alone for a window without the other function keys: opens the help viewer at
// `helpTopic` (also kept as the window's "helpTopic" property for DisplayHelp).
void installHelpKey(QWidget* window, Services& services, const QString& helpTopic);
