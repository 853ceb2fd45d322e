#include "app/console_agent.h"

void ConsoleAgent::ReportMessage(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fputc('\n', out_);
    std::fflush(out_);
}
