#pragma once

#include <utility>

namespace orvane {

// An operation that sets a flag or counter puts it back on every way out,
// exceptions included: one of these beside the operation, not a reset in each
// caller.

// Runs f when the scope ends.
template <class F>
class OnExit {
public:
    explicit OnExit(F f) : f_(std::move(f)) {}
    ~OnExit() { f_(); }
    OnExit(const OnExit&) = delete;
    OnExit& operator=(const OnExit&) = delete;

private:
    F f_;
};

// Sets a flag now and clears it at the end, or earlier with End().
class FlagSet {
public:
    explicit FlagSet(bool& flag) : flag_(&flag) { flag = true; }
    ~FlagSet() { End(); }
    FlagSet(const FlagSet&) = delete;
    FlagSet& operator=(const FlagSet&) = delete;
    void End() {
        if (flag_) *flag_ = false;
        flag_ = nullptr;
    }

private:
    bool* flag_;
};

// Counts a pause up now and down at the end, or earlier with End().
class CountUp {
public:
    explicit CountUp(int& counter) : counter_(&counter) { ++counter; }
    ~CountUp() { End(); }
    CountUp(const CountUp&) = delete;
    CountUp& operator=(const CountUp&) = delete;
    void End() {
        if (counter_ && *counter_ > 0) --*counter_;
        counter_ = nullptr;
    }

private:
    int* counter_;
};

}  // namespace orvane
