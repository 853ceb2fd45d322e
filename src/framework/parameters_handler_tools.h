#pragma once

#include <mutex>

#include "framework/parameter_base.h"

// The one process-wide holder of the current mouse tool shared by every view. Safe to use from
// any thread: each read or write takes the holder's lock for that one access.
class CParametersHandlerTools : public CParameterBase {
public:
    static constexpr int kPointerTool = 1;
    static constexpr int kMagnifierTool = 3;
    static constexpr int kRulerTool = 6;

    static CParametersHandlerTools& Instance();

    int GetCurrentTool() const;
    // Any value outside 1..6 selects the pointer.
    void SetCurrentTool(int tool);

private:
    CParametersHandlerTools() = default;

    mutable std::mutex lock_;
    int currentTool_ = kPointerTool;
};
