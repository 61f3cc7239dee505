#pragma once

// Shows the hourglass while it lives; every way out of a command puts the pointer back.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    // Puts the pointer back before the end of the scope (before a message box, say).
    void release();

private:
    bool m_active = false;
};
