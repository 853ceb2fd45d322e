#include "framework/message_box.h"

#include <cstdio>

#include "framework/console_text.h"

namespace {

MessageBoxHandler& CurrentHandler() {
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler) {
    CurrentHandler() = std::move(handler);
}

void ShowMessageBox(const std::string& text) {
    if (const MessageBoxHandler& handler = CurrentHandler()) {
        handler(text);
        return;
    }
    ConsoleText::WriteLine(stderr, text);
    std::fflush(stderr);
}
