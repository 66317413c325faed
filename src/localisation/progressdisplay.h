#pragma once

// Shows how far the decoding of a data file has got. The window implementation is frmSplash.
class ProgressDisplay
{
public:
    virtual ~ProgressDisplay() = default;
    virtual void start(double maximum) = 0;
    virtual void setValue(int value) = 0;
    virtual void finish() = 0;
};
