// The memory that one step of a document's history may keep.
#pragma once

#include <cstddef>

// Every part of a step takes its bytes from here before it allocates them.
// Once a step would need more than its budget it keeps nothing: the first
// refusal is final, and the parts drop what they hold.
class StepBudget {
public:
    explicit StepBudget(std::size_t bytes) : left_(bytes) {}

    bool take(std::size_t bytes) noexcept {
        if (exceeded_ || bytes > left_) {
            exceeded_ = true;
            return false;
        }
        left_ -= bytes;
        used_ += bytes;
        return true;
    }
    // For memory that could not be had although the budget allowed it.
    void exceed() noexcept { exceeded_ = true; }

    bool exceeded() const { return exceeded_; }
    std::size_t used() const { return used_; }

private:
    std::size_t left_;
    std::size_t used_ = 0;
    bool exceeded_ = false;
};
