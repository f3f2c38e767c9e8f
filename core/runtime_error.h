#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "fields.h"

namespace core {

// What went wrong, independent of how it is shown to the user (error_text.h words it).
enum class ErrorKind {
    Empty,             // a number was expected but the text holds nothing but blanks
    NotANumber,        // the text holds characters that are not part of a number
    TooLarge,          // the text is a number too large for the working precision
    DivisionByZero,    // the height is zero
    InvalidOperation,  // zero divided by zero (weight and height both zero)
    Overflow,          // an intermediate or the BMI does not fit the working precision
    ControlCall,       // a call on a window or control reported failure
};

// A run-time error. A calculation or a field rule that meets one stops there, before it has
// returned anything to write: so its caller writes nothing either.
class RuntimeError {
  public:
    // Every kind but Overflow and ControlCall concerns a field; only these two are made without.
    RuntimeError(ErrorKind kind, FieldId field, std::wstring input = {})
        : kind_(kind), field_(field), input_(std::move(input)) {}
    static RuntimeError overflow() { return RuntimeError(ErrorKind::Overflow); }
    static RuntimeError control_call(std::wstring operation, std::uint32_t system_code) {
        RuntimeError error(ErrorKind::ControlCall);
        error.operation_ = std::move(operation);
        error.system_code_ = system_code;
        return error;
    }

    ErrorKind kind() const noexcept { return kind_; }
    std::optional<FieldId> field() const noexcept { return field_; }
    // For Empty, NotANumber and TooLarge: the text exactly as the field held it.
    const std::wstring& input() const noexcept { return input_; }
    // For ControlCall: what the user was doing ("show the result") and GetLastError().
    const std::wstring& operation() const noexcept { return operation_; }
    std::uint32_t system_code() const noexcept { return system_code_; }

  private:
    explicit RuntimeError(ErrorKind kind) : kind_(kind) {}

    ErrorKind kind_;
    std::optional<FieldId> field_;
    std::wstring input_;
    std::wstring operation_;
    std::uint32_t system_code_ = 0;
};

}  // namespace core
