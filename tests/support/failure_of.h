#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/runtime_error.h"

namespace zelvane::testing {

// The run-time error an operation raises (and its description, if asked);
// a test failure if it raises none.
inline platform::ErrorCode failureOf(const std::function<void()>& operation,
                                     std::string* description = nullptr) {
    try {
        operation();
    } catch (const platform::RuntimeError& error) {
        if (description != nullptr) {
            *description = error.description();
        }
        return error.code();
    }
    ADD_FAILURE() << "no run-time error";
    return platform::ErrorCode{};
}

}  // namespace zelvane::testing
