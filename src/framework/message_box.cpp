#include "framework/message_box.h"

#include <cstdio>

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
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}
