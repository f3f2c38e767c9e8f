#include "bench/resource_usage.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

namespace bench {
namespace {

// One row of the GDI handle table, the same 24 bytes in Wine and in 64-bit Windows.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint16_t owner_process;  // Windows: the owner's id; Wine may leave it 0
    std::uint16_t count;
    std::uint16_t unique;
    std::uint8_t type;  // 0: free
    std::uint8_t flags;
    std::uint64_t user_pointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t kGdiTableEntries = 0x10000;
#ifdef _WIN64
constexpr std::size_t kPebGdiTableOffset = 0xF8;
#endif

std::optional<std::size_t> count_gdi_table_entries(HANDLE process, DWORD process_id) {
#ifdef _WIN64
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0) {
        return std::nullopt;
    }
    std::uintptr_t table_address = 0;
    const auto* peb = reinterpret_cast<const std::byte*>(basic.PebBaseAddress);
    if (!ReadProcessMemory(process, peb + kPebGdiTableOffset, &table_address, sizeof table_address,
                           nullptr) ||
        table_address == 0) {
        return std::nullopt;
    }
    std::vector<GdiHandleEntry> table(kGdiTableEntries);
    SIZE_T read = 0;
    ReadProcessMemory(process, reinterpret_cast<const void*>(table_address), table.data(),
                      table.size() * sizeof(GdiHandleEntry), &read);
    table.resize(read / sizeof(GdiHandleEntry));
    if (table.empty()) {
        return std::nullopt;
    }
    // Windows shares one table among all processes and marks each row with its owner's id;
    // Wine's table is private to the process.
    bool owners_marked = false;
    for (const GdiHandleEntry& entry : table) {
        owners_marked = owners_marked || (entry.type != 0 && entry.owner_process != 0);
    }
    std::size_t in_use = 0;
    for (const GdiHandleEntry& entry : table) {
        if (entry.type != 0 &&
            (!owners_marked || (entry.owner_process >> 2) == ((process_id & 0xFFFF) >> 2))) {
            ++in_use;
        }
    }
    return in_use;
#else
    (void)process;
    (void)process_id;
    return std::nullopt;
#endif
}

struct WindowCount {
    DWORD process;
    std::size_t count = 0;
};

BOOL CALLBACK count_child(HWND, LPARAM count_pointer) {
    ++reinterpret_cast<WindowCount*>(count_pointer)->count;
    return TRUE;
}

BOOL CALLBACK count_top_level(HWND window, LPARAM count_pointer) {
    auto& count = *reinterpret_cast<WindowCount*>(count_pointer);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count.process) {
        ++count.count;
        EnumChildWindows(window, &count_child, count_pointer);
    }
    return TRUE;
}

// Committed private memory, region by region: what PrivateUsage reports where the system
// keeps that figure for other processes (Wine answers 0).
std::size_t committed_private_bytes(HANDLE process) {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const std::byte* address = nullptr;
    while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
        address = static_cast<const std::byte*>(region.BaseAddress) + region.RegionSize;
    }
    return total;
}

}  // namespace

ResourceUsage measure_resources(HANDLE process, DWORD process_id) {
    ResourceUsage usage;
    usage.gdi_objects = GetGuiResources(process, GR_GDIOBJECTS);
    usage.user_objects = GetGuiResources(process, GR_USEROBJECTS);
    WindowCount windows{process_id};
    EnumWindows(&count_top_level, reinterpret_cast<LPARAM>(&windows));
    usage.windows = windows.count;
    usage.gdi_table_entries = count_gdi_table_entries(process, process_id);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        usage.private_bytes = memory.PrivateUsage;
    }
    if (usage.private_bytes == 0) {
        usage.private_bytes = committed_private_bytes(process);
        usage.private_bytes_counted = true;
    }
    return usage;
}

}  // namespace bench
