#include "BusyCursor.h"

namespace {

BusyCursor::Pointer& pointer() {
    static BusyCursor::Pointer p;
    return p;
}

} // namespace

BusyCursor::BusyCursor() {
    if (pointer()) {
        pointer()(true);
        m_active = true;
    }
}

BusyCursor::~BusyCursor() {
    release();
}

void BusyCursor::release() {
    if (m_active) {
        m_active = false;
        if (pointer())
            pointer()(false);
    }
}

void BusyCursor::setPointer(Pointer p) {
    pointer() = std::move(p);
}
