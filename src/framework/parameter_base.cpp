#include "framework/parameter_base.h"

bool CParameterBase::GetParameterSet(const std::string&, CParameterBase** out) {
    if (out != nullptr)
        *out = this;
    return true;
}

bool CParameterBase::SetParameter(const std::string&, const std::string&) {
    return true;
}

bool CParameterBase::HasParameters(int) {
    return true;
}

std::string CParameterBase::GetParameterSetName() const {
    return "CParameterBase Default Parameters";
}

bool CParameterBase::SetStatusFlag(bool value) {
    statusFlag_ = value;
    return statusFlag_;
}

int CParameterBase::SetCounter(int value) {
    counter_ = value;
    return counter_;
}

int CParameterBase::IncrementCounter() {
    return ++counter_;
}
