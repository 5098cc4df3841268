#pragma once
// The progress line and bar that the scan, the send and the device commands share.

#include <string>

class IProgressSink {
public:
    virtual ~IProgressSink() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetRange(int low, int high) = 0;
    virtual void SetPos(int pos) = 0;
    virtual void SetStep(int step) = 0;
    virtual void StepIt() = 0;
};
