#include "core/error_text.h"

#include <algorithm>
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

}  // namespace

std::wstring describe(const RuntimeError& error) {
    using enum ErrorKind;
    if (error.kind() == ControlCall) {
        return L"Quenlow could not " + error.operation() + L" (system error " +
               whole_number_text(error.system_code()) +
               L").\nTry again; if this keeps happening, restart Quenlow.";
    }
    if (error.kind() == Overflow) {
        return L"The values entered are too large to compute a BMI.\nType whole numbers within "
               L"each "
               L"field's bounds.";
    }
    // Every other kind names its field.
    const FieldRule& field = field_rule(*error.field());
    const std::wstring name(field.display_name);
    const std::wstring type = L"Type a whole number from " + whole_number_text(field.lower) +
                              L" to " + whole_number_text(field.upper);
    switch (error.kind()) {
        case Empty:
            return name + L" is empty.\n" + type + L".";
        case NotANumber:
            return name + L" holds " + quoted_input(error.input()) + L", which is not a number.\n" +
                   type + L".";
        case TooLarge:
            return name + L" holds " + quoted_input(error.input()) +
                   L", a number too large to work with.\n" + type + L".";
        case DivisionByZero:
            return L"The height adds up to zero, and a BMI needs a height above zero.\n" + type +
                   L" in " + name + L".";
        default:  // InvalidOperation
            return L"The weight and the height are both zero, so there is no BMI to compute.\n" +
                   type + L" in " + name + L" and a height above zero.";
    }
}

}  // namespace core
