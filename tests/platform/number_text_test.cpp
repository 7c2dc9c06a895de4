#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/runtime_error.h"

namespace zelvane::platform {
namespace {

struct Reading {
    std::string text;
    double value;
    friend void PrintTo(const Reading& r, std::ostream* os) { *os << '\'' << r.text << '\''; }
};

class ReadsNumber : public ::testing::TestWithParam<Reading> {};

TEST_P(ReadsNumber, AsWritten) {
    EXPECT_EQ(readNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReadsNumber,
    ::testing::Values(Reading{"0", 0}, Reading{"5", 5}, Reading{"-1", -1}, Reading{"+4", 4},
                      Reading{"007", 7}, Reading{" 5", 5}, Reading{"\t5 \t", 5},
                      Reading{"2.5", 2.5}, Reading{"5.", 5}, Reading{".5", 0.5},
                      Reading{"-.5", -0.5}, Reading{"1e3", 1000}, Reading{"1E+3", 1000},
                      Reading{"2.5e-1", 0.25}, Reading{"1e-400", 0},
                      Reading{"1.7976931348623157e308", 1.7976931348623157e308}));

class RefusesText : public ::testing::TestWithParam<std::pair<std::string, ErrorCode>> {};

TEST_P(RefusesText, WithTheRuntimeError) {
    const auto& [text, expected] = GetParam();
    try {
        readNumber(text);
        FAIL() << "'" << text << "' read as a number";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), expected) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, RefusesText,
    ::testing::Values(
        std::pair{"", ErrorCode::TypeMismatch}, std::pair{"   ", ErrorCode::TypeMismatch},
        std::pair{"abc", ErrorCode::TypeMismatch}, std::pair{"1,5", ErrorCode::TypeMismatch},
        std::pair{"1 000", ErrorCode::TypeMismatch}, std::pair{"inf", ErrorCode::TypeMismatch},
        std::pair{"nan", ErrorCode::TypeMismatch}, std::pair{"0x10", ErrorCode::TypeMismatch},
        std::pair{"&H10", ErrorCode::TypeMismatch}, std::pair{"-", ErrorCode::TypeMismatch},
        std::pair{".", ErrorCode::TypeMismatch}, std::pair{"+.", ErrorCode::TypeMismatch},
        std::pair{"1e", ErrorCode::TypeMismatch}, std::pair{"1e+", ErrorCode::TypeMismatch},
        std::pair{"--1", ErrorCode::TypeMismatch}, std::pair{"1.2.3", ErrorCode::TypeMismatch},
        std::pair{"5x", ErrorCode::TypeMismatch}, std::pair{"\n5", ErrorCode::TypeMismatch},
        std::pair{"1e400", ErrorCode::Overflow}, std::pair{"-1e400", ErrorCode::Overflow},
        std::pair{"1e99999999999999999999", ErrorCode::Overflow}));

struct Writing {
    double value;
    std::string text;
    friend void PrintTo(const Writing& w, std::ostream* os) { *os << w.text; }
};

class WritesNumber : public ::testing::TestWithParam<Writing> {};

TEST_P(WritesNumber, InPlainForm) {
    EXPECT_EQ(writeNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Forms, WritesNumber,
                         ::testing::Values(Writing{0, "0"}, Writing{-0.0, "0"}, Writing{6, "6"},
                                           Writing{-1, "-1"}, Writing{0.5, "0.5"},
                                           Writing{3.5, "3.5"}, Writing{2.3 - 1, "1.3"},
                                           Writing{0.1 + 1, "1.1"}, Writing{-0.35 + 1, "0.65"},
                                           Writing{999999999999999, "999999999999999"},
                                           Writing{1e15, "1E+15"}, Writing{-1e15, "-1E+15"},
                                           Writing{0.0001, "0.0001"}, Writing{0.00001, "1E-05"},
                                           Writing{123456789.125, "123456789.125"},
                                           Writing{1.0 / 3, "0.333333333333333"}));

TEST(RuntimeError, CarriesNumberAndStandardDescription) {
    const RuntimeError mismatch(ErrorCode::TypeMismatch);
    EXPECT_EQ(mismatch.number(), 13);
    EXPECT_EQ(mismatch.description(), "Type mismatch");
    const RuntimeError custom(ErrorCode::InvalidProcedureCall, "Front Y holds a comma");
    EXPECT_EQ(custom.number(), 5);
    EXPECT_EQ(custom.description(), "Front Y holds a comma");
}

}  // namespace
}  // namespace zelvane::platform
