#pragma once

#include <string>

#include "framework/notification_agent.h"

// Base of the objects that run long work and report it (the datasets and the document): a
// notification agent with a name and a few status values that callers may use freely.
class CParameterBase : public CNotificationAgent {
public:
    explicit CParameterBase(CNotificationAgent* target = nullptr) : CNotificationAgent(target) {}

    // Stores this object in *out (when out is not null); always true.
    virtual bool GetParameterSet(const std::string& name, CParameterBase** out);
    virtual bool SetParameter(const std::string& name, const std::string& value);
    virtual bool HasParameters(int kind);
    virtual std::string GetParameterSetName() const;
    virtual int GetParameterValue() const { return parameterValue_; }
    int* GetParameterValueAddress() { return &parameterValue_; }

    virtual bool GetStatusFlag() const { return statusFlag_; }
    virtual bool SetStatusFlag(bool value);  // returns the new value
    virtual int GetCounter() const { return counter_; }
    virtual int SetCounter(int value);  // returns the new value
    virtual int IncrementCounter();     // returns the new value
    virtual bool HasCount() const { return GetCounter() > 0; }

    bool IsEnabled() const { return enabledFlag_; }

private:
    int parameterValue_ = 0;
    bool enabledFlag_ = true;
    bool statusFlag_ = false;
    int counter_ = 0;
};
