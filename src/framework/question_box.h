#pragma once

#include <string>

// Asks the user a yes-or-no question in a modal box over the active window, with the
// application's name as title; true when the user answers Yes. The default button (Enter) is
// Yes when defaultYes, else No; closing the box answers No. Needs a QApplication.
bool AskYesNo(const std::string& text, bool defaultYes);
