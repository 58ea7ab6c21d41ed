// One cell of a record: a number, a whole number, a word, or nothing where
// the column does not apply. Each output writes the kinds its own way.
#pragma once

#include <string>
#include <string_view>

namespace dyvern {

enum class ValueKind { Missing, Number, Whole, Text };

class Value {
public:
    constexpr Value() = default;                                                 // does not apply
    constexpr Value(double number) : kind(ValueKind::Number), number(number) {}  // NOLINT
    constexpr Value(int whole) : kind(ValueKind::Whole), number(whole) {}        // NOLINT
    // Text is not copied: records are written while what they name lives,
    // and a row of dist must not allocate.
    constexpr Value(std::string_view text) : kind(ValueKind::Text), text(text) {}  // NOLINT
    constexpr Value(const char* text) : kind(ValueKind::Text), text(text) {}       // NOLINT
    Value(std::string&&) = delete;                                                 // would dangle

    constexpr ValueKind Kind() const { return kind; }
    constexpr double Number() const { return number; }
    constexpr long long Whole() const { return static_cast<long long>(number); }
    constexpr std::string_view Text() const { return text; }

private:
    ValueKind kind = ValueKind::Missing;
    double number = 0.0;
    std::string_view text;
};

}  // namespace dyvern
