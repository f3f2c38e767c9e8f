#include "core/error_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "core/fields.h"
#include "core/number_text.h"

namespace core {
namespace {

// Pasted text can be long and hold line breaks; a message box needs only enough of it, on one
// line, to recognise it.
std::wstring quoted_input(const std::wstring& input) {
    constexpr std::size_t kShown = 40;
    std::wstring shown = input.substr(0, kShown);
    std::replace_if(
        shown.begin(), shown.end(), [](wchar_t c) { return c < L' ' || c == 0x7F; }, L' ');
    return L"\"" + shown + (input.size() > kShown ? L"...\"" : L"\"");
}

// Through to_chars: std::to_wstring would link MinGW's wide printf into the release.
std::wstring decimal_text(std::uint32_t value) {
    std::array<char, 10> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::wstring(buffer.data(), result.ptr);
}

std::wstring whole_numbers(const FieldRule& field) {
    return L"a whole number from " + int16_to_text(field.lower) + L" to " +
           int16_to_text(field.upper);
}

// "Type a whole number from 10 to 500." for a field, a general request without one.
std::wstring what_to_type(const FieldRule* field) {
    if (field == nullptr) {
        return L"Type a whole number in each field.";
    }
    return L"Type " + whole_numbers(*field) + L".";
}

std::wstring describe_text_error(const RuntimeError& error, const FieldRule* field) {
    const std::wstring subject = field ? std::wstring(field->display_name) : L"A field";
    switch (error.kind()) {
        case ErrorKind::Empty:
            return subject + L" is empty.\n" + what_to_type(field);
        case ErrorKind::NotANumber:
            return subject + L" holds " + quoted_input(error.input()) +
                   L", which is not a number.\n" + what_to_type(field);
        default:  // TooLarge
            return subject + L" holds " + quoted_input(error.input()) +
                   L", a number too large to work with.\n" + what_to_type(field);
    }
}

std::wstring describe_arithmetic_error(const RuntimeError& error, const FieldRule* field) {
    const std::wstring in_field =
        field ? L"Type " + whole_numbers(*field) + L" in " + std::wstring(field->display_name)
              : std::wstring();
    switch (error.kind()) {
        case ErrorKind::DivisionByZero:
            return L"The height adds up to zero, and a BMI needs a height above zero.\n" +
                   (field ? in_field + L"." : L"Type a height above zero.");
        case ErrorKind::InvalidOperation:
            return L"The weight and the height are both zero, so there is no BMI to compute.\n" +
                   (field ? in_field + L" and a height above zero."
                          : L"Type a weight and a height above zero.");
        default:  // Overflow
            return L"The values entered are too large to compute a BMI.\n" +
                   (field ? in_field + L"." : L"Type whole numbers within each field's bounds.");
    }
}

}  // namespace

std::wstring describe(const RuntimeError& error) {
    const FieldRule* field = error.field() ? &field_rule(*error.field()) : nullptr;
    switch (error.kind()) {
        case ErrorKind::Empty:
        case ErrorKind::NotANumber:
        case ErrorKind::TooLarge:
            return describe_text_error(error, field);
        case ErrorKind::DivisionByZero:
        case ErrorKind::InvalidOperation:
        case ErrorKind::Overflow:
            return describe_arithmetic_error(error, field);
        case ErrorKind::ControlCall:
            break;
    }
    const std::wstring operation =
        error.operation().empty() ? std::wstring(L"complete an action") : error.operation();
    return L"Quenlow could not " + operation + L" (system error " +
           decimal_text(error.system_code()) + L").\nTry again; if this keeps happening, " +
           L"restart Quenlow.";
}

}  // namespace core
