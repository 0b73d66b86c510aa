#pragma once
// A line whose writer can keep it quiet for a time: how commands sent ahead of
// their replies leave the box the time it works on a long one.

namespace quarvin {

class PacedLine {
public:
    // Keeps the line to the box quiet for this long after the bytes written so
    // far have left. False when the line failed.
    virtual bool quiet(double microseconds) = 0;
    // Whether quiet() can keep the line quiet (a wrapper asks what it wraps).
    virtual bool canPace() const { return true; }

protected:
    ~PacedLine() = default;
};

} // namespace quarvin
