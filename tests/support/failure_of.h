#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "platform/runtime_error.h"

namespace zelvane::testing {

// The run-time error an operation raises; a test failure if it raises none.
inline platform::ErrorCode failureOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const platform::RuntimeError& error) {
        return error.code();
    }
    ADD_FAILURE() << "no run-time error";
    return platform::ErrorCode{};
}

}  // namespace zelvane::testing
