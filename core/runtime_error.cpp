#include "core/runtime_error.h"

#include <utility>

namespace core {
namespace {

const char* summary(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::Empty:
            return "Quenlow run-time error: empty text where a number was expected";
        case ErrorKind::NotANumber:
            return "Quenlow run-time error: text is not a number";
        case ErrorKind::TooLarge:
            return "Quenlow run-time error: number too large";
        case ErrorKind::DivisionByZero:
            return "Quenlow run-time error: division by zero";
        case ErrorKind::InvalidOperation:
            return "Quenlow run-time error: invalid floating-point operation";
        case ErrorKind::Overflow:
            return "Quenlow run-time error: floating-point overflow";
        case ErrorKind::ControlCall:
            return "Quenlow run-time error: a control call failed";
    }
    return "Quenlow run-time error";
}

}  // namespace

RuntimeError::RuntimeError(ErrorKind kind, std::wstring input)
    : kind_(kind), input_(std::move(input)) {}

const char* RuntimeError::what() const noexcept {
    return summary(kind_);
}

RuntimeError RuntimeError::control_call(std::wstring operation, std::uint32_t system_code) {
    RuntimeError error(ErrorKind::ControlCall);
    error.operation_ = std::move(operation);
    error.system_code_ = system_code;
    return error;
}

}  // namespace core
