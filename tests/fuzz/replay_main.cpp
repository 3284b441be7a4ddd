// Replays a fuzz target's corpus without libFuzzer, so that the ordinary (gcc) test run also
// feeds every stored input through the target's checks. Usage: NAME_replay FILE_OR_FOLDER...
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int replayFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    std::printf("replayed %s (%zu bytes)\n", path.c_str(), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::is_directory(argv[i])) {
            files.emplace_back(argv[i]);
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
    }
    int failures = 0;
    for (const auto& file : files) {
        failures += replayFile(file);
    }
    // An empty corpus would pass without testing anything.
    if (files.empty()) {
        std::fprintf(stderr, "no corpus file found\n");
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
