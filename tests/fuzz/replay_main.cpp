// Runs every file of the given corpus directories through the fuzz target once, so that an
// ordinary test run replays what fuzzing has found. With --every-float it runs each of the 2^32
// bit patterns after each of the three separators instead (hours for number to text).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    if (argc == 2 && std::string_view(argv[1]) == "--every-float") {
        for (std::uint64_t bits = 0; bits < 3 * (std::uint64_t{1} << 32); ++bits, ++replayed) {
            const auto pattern = static_cast<std::uint32_t>(bits);
            // Each separator, rounding to one decimal as the program does.
            std::uint8_t input[5] = {static_cast<std::uint8_t>(bits >> 32 | 1 << 2)};
            std::memcpy(input + 1, &pattern, sizeof pattern);
            LLVMFuzzerTestOneInput(input, sizeof input);
        }
    }
    for (int i = 1; i < argc && replayed == 0; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream stream(entry.path(), std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), {}};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    return replayed == 0 ? 1 : 0;
}
