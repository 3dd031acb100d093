#pragma once

// The busy cursor for as long as one object lives: set when made, taken off
// when released or destroyed, whichever comes first, so no path out of a
// wait (an answer, a failure, a cancel, a closed window) leaves it on.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    // Takes the cursor off now; later calls do nothing.
    void release();

private:
    bool m_held = true;
};
