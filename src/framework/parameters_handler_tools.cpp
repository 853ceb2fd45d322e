#include "framework/parameters_handler_tools.h"

namespace {
constexpr int kLowestTool = 1;
constexpr int kHighestTool = 6;
}  // namespace

CParametersHandlerTools& CParametersHandlerTools::Instance() {
    static CParametersHandlerTools instance;
    return instance;
}

int CParametersHandlerTools::GetCurrentTool() const {
    std::lock_guard<std::mutex> guard(lock_);
    return currentTool_;
}

void CParametersHandlerTools::SetCurrentTool(int tool) {
    std::lock_guard<std::mutex> guard(lock_);
    currentTool_ = (tool >= kLowestTool && tool <= kHighestTool) ? tool : kPointerTool;
}
