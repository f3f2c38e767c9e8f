#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

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

// A run-time error: it stops the running event handler before it writes anything further. The
// window procedure catches it at its edge and, once the current message is done, shows it in a
// message box; the program goes on. Only a main window that cannot be made at start-up ends the
// program, after its box. Value-like: cheap to copy and compare.
class RuntimeError : public std::exception {
  public:
    explicit RuntimeError(ErrorKind kind, std::wstring input = {});
    static RuntimeError control_call(std::wstring operation, std::uint32_t system_code);

    // A fixed summary; the words the user sees come from describe().
    const char* what() const noexcept override;
    ErrorKind kind() const noexcept { return kind_; }
    // The text whose conversion failed, exactly as the field held it.
    const std::wstring& input() const noexcept { return input_; }
    // The measurement field the failure concerns, when there is one.
    std::optional<FieldId> field() const noexcept { return field_; }
    RuntimeError& in_field(FieldId field) {
        field_ = field;
        return *this;
    }
    // For ControlCall: what the user was doing ("show the result") and GetLastError().
    const std::wstring& operation() const noexcept { return operation_; }
    std::uint32_t system_code() const noexcept { return system_code_; }

  private:
    ErrorKind kind_;
    std::wstring input_;
    std::optional<FieldId> field_;
    std::wstring operation_;
    std::uint32_t system_code_ = 0;
};

}  // namespace core
