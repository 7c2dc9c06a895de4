#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "runtime_error.h"

namespace zelvane::platform {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The parts of a number's text, found before any conversion so that the
// accepted grammar is ours and not whatever the converter happens to allow.
struct NumberShape {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool exponentNegative = false;
    std::string_view exponentDigits;
    std::string_view unsignedText;  // digits, point and exponent, no sign
};

std::size_t countDigits(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    return end - from;
}

NumberShape shapeOf(std::string_view text) {
    const RuntimeError mismatch(ErrorCode::TypeMismatch);
    NumberShape shape;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        shape.negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t unsignedStart = pos;
    shape.integerDigits = text.substr(pos, countDigits(text, pos));
    pos += shape.integerDigits.size();
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        shape.fractionDigits = text.substr(pos, countDigits(text, pos));
        pos += shape.fractionDigits.size();
    }
    if (shape.integerDigits.empty() && shape.fractionDigits.empty()) {
        throw mismatch;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            shape.exponentNegative = text[pos] == '-';
            ++pos;
        }
        shape.exponentDigits = text.substr(pos, countDigits(text, pos));
        if (shape.exponentDigits.empty()) {
            throw mismatch;
        }
        pos += shape.exponentDigits.size();
    }
    if (pos != text.size()) {
        throw mismatch;
    }
    shape.unsignedText = text.substr(unsignedStart);
    return shape;
}

long long exponentOf(const NumberShape& shape) {
    long long exponent = 0;
    for (const char c : shape.exponentDigits) {
        exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    }
    return shape.exponentNegative ? -exponent : exponent;
}

// Whether an out-of-range number is too large (rather than too small): the
// power of ten of its leading digit is positive.
bool isTooLarge(const NumberShape& shape) {
    const long long exponent = exponentOf(shape);
    const auto firstSignificant = shape.integerDigits.find_first_not_of('0');
    if (firstSignificant != std::string_view::npos) {
        const auto integerPlaces =
            static_cast<long long>(shape.integerDigits.size() - firstSignificant);
        return exponent + integerPlaces > 0;
    }
    const auto leadingZeros = shape.fractionDigits.find_first_not_of('0');
    return exponent - static_cast<long long>(leadingZeros) > 0;
}

double valueOf(const NumberShape& shape) {
    double magnitude = 0.0;
    const char* first = shape.unsignedText.data();
    const char* last = first + shape.unsignedText.size();
    const auto [end, error] = std::from_chars(first, last, magnitude);
    if (error == std::errc::result_out_of_range) {
        if (isTooLarge(shape)) {
            throw RuntimeError(ErrorCode::Overflow);
        }
        magnitude = 0.0;
    } else if (error != std::errc() || end != last) {
        throw RuntimeError(ErrorCode::TypeMismatch);
    }
    return shape.negative ? -magnitude : magnitude;
}

// The sum rounded to the decimal places the number was written with, where
// those can show at all in 15 significant digits.
double roundToPlaces(double sum, long long places) {
    constexpr double largestWithDecimals = 1e15;
    if (places <= 0 || places > 17 || !(std::fabs(sum) < largestWithDecimals)) {
        return sum;
    }
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), sum,
                                       std::chars_format::fixed, static_cast<int>(places));
    double rounded = sum;
    std::from_chars(buffer.data(), written.ptr, rounded);
    return rounded;
}

// The decimal places a number's text is written with: those of its
// fraction, less its exponent ("1.25" has 2, "125e-3" has 3).
long long placesOf(const NumberShape& shape) {
    return static_cast<long long>(shape.fractionDigits.size()) - exponentOf(shape);
}

}  // namespace

double readNumber(std::string_view text) {
    return valueOf(shapeOf(trimBlanks(text)));
}

std::string addToNumber(std::string_view text, double addend) {
    const NumberShape shape = shapeOf(trimBlanks(text));
    return writeNumber(roundToPlaces(valueOf(shape) + addend, placesOf(shape)));
}

std::string writeNumber(double value) {
    if (value == 0.0) {
        return "0";  // also for -0, which the user never wants to see
    }
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    std::string text(buffer.data(), result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

}  // namespace zelvane::platform
