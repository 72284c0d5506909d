// Throughput of the scrambling and of reading a large message file in both modes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "message_store/EncryptLib.h"
#include "message_store/MessageRecords.h"
#include "message_store/MessageWriter.h"
#include "message_store/ProcessMsg.h"
#include "platform/Platform.h"

namespace {

void BM_XorScramble(benchmark::State& state) {
    krv::MessageKey key;
    krv::BuildMessageKey(key);
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(state.range(0)), 0x42);
    for (auto _ : state) {
        krv::XorScramble(key, buffer.data(), static_cast<std::int32_t>(buffer.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_XorScramble)->Arg(64 << 10)->Arg(16 << 20);

// A message of range(0) bytes: a page of half that and eight pictures sharing the rest, written
// into a temporary directory of the benchmark's own.
void BM_LoadMessage(benchmark::State& state) {
    namespace fs = std::filesystem;
    // Worked out once, before TMPDIR points into it.
    static const fs::path folder = fs::temp_directory_path() / "krv-bench";
    fs::create_directories(folder);
    setenv("TMPDIR", folder.c_str(), 1);
    const auto size = static_cast<std::size_t>(state.range(0));
    krv::MessageParts parts{"http://example.com/a", "<title>t</title>" + std::string(size / 2, 'p'),
                            std::vector<std::string>(8, std::string(size / 16, 'j'))};
    const std::string message = krv::GetTempDir() + "bench.msg";
    platform::WriteWholeFile(message, krv::PackMessage(parts));
    const bool titleMode = state.range(1) != 0;

    std::vector<std::string> pictures;
    std::string link;
    std::string title;
    for (auto _ : state) {
        krv::LoadMessage(message, &pictures, link, nullptr, titleMode, title);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    fs::remove_all(folder);
}
BENCHMARK(BM_LoadMessage)->Args({32 << 20, 1})->Args({32 << 20, 0})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
