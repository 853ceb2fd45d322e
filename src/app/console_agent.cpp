#include "app/console_agent.h"

#include "framework/console_text.h"

void ConsoleAgent::ReportMessage(const std::string& text) {
    ConsoleText::WriteLine(out_, text);
    std::fflush(out_);
}
