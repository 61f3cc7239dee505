#pragma once

#include <functional>

// Shows the hourglass while it lives; every way out of a command puts the pointer back.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    // Puts the pointer back before the end of the scope (before a message box, say).
    void release();

    // What shows the hourglass (true) and puts the pointer back (false): the windows' own,
    // installed at start-up. Without it nothing shows (tests of logic).
    using Pointer = std::function<void(bool busy)>;
    static void setPointer(Pointer pointer);

private:
    bool m_active = false;
};
