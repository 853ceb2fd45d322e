#pragma once

#include <functional>
#include <string>

// The one way the toolkit-free engine can put a question-free message in front of the user.
// The GUI installs a handler that shows a modal box with an OK button; without one (headless
// runs, tests) the text goes to standard error, one line per message, control bytes escaped.
using MessageBoxHandler = std::function<void(const std::string& text)>;

// Replaces the handler; an empty handler restores the standard-error default.
void SetMessageBoxHandler(MessageBoxHandler handler);

// Shows text and returns once the user has acknowledged it.
void ShowMessageBox(const std::string& text);
