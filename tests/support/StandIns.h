#pragma once

#include <algorithm>
#include <vector>

// The stand-ins of one kind that are alive (scripted answerers, recorders), in the order they
// were made; the seam they stand in at holds the one made last, or nothing once none is left.
// They may go in any order: a test function's own may outlive its fixture's, and a check that
// fails in a cleanup returns before the fixture's are let go, so that the next test function
// makes its own while the old ones still live.
template <class T>
class StandIns {
public:
    using Install = void (*)(T* standIn); // nullptr: none at the seam

    static void add(T* standIn, Install install) {
        alive().push_back(standIn);
        install(standIn);
    }
    static void remove(T* standIn, Install install) {
        std::vector<T*>& all = alive();
        all.erase(std::remove(all.begin(), all.end(), standIn), all.end());
        install(all.empty() ? nullptr : all.back());
    }

private:
    static std::vector<T*>& alive() {
        static std::vector<T*> all;
        return all;
    }
};
