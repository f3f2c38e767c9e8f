#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace bench {

// What a GUI process holds, read from outside it.
struct ResourceUsage {
    DWORD gdi_objects = 0;    // GetGuiResources; Wine answers 0 (not implemented)
    DWORD user_objects = 0;   // GetGuiResources; Wine answers 0 (not implemented)
    std::size_t windows = 0;  // the process's windows, top-level and child: a USER object count
    // GDI handles in use according to the handle table that the process's PEB points to (Wine
    // and Windows both keep one; Wine's is the process's own and includes its stock objects).
    std::optional<std::size_t> gdi_table_entries;
    std::size_t private_bytes = 0;  // GetProcessMemoryInfo PrivateUsage
    // True when PrivateUsage was 0 and private_bytes sums the committed private regions instead.
    bool private_bytes_counted = false;
};

ResourceUsage measure_resources(HANDLE process, DWORD process_id);

}  // namespace bench
