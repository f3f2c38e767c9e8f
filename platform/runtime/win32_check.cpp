#include "platform/runtime/win32_check.h"

#include "core/runtime_error.h"

namespace rt {

void throw_last_error(const std::wstring& operation) {
    throw core::RuntimeError::control_call(operation, GetLastError());
}

}  // namespace rt
