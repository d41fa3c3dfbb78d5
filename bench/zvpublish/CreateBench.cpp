// "zvpublish create" of a 32 MiB archive, whole command (a child process against a fresh Steam
// stand-in folder), against compressing the same bytes with the Kestrum LZMA stream alone, in
// the same run. Counters: time_x_compress (whole command / compression alone) and the peak
// resident memory of each, also as a multiple of the archive size.
#include "fixtures/JpegFixture.h"
#include "fixtures/ZvaBuilder.h"
#include "Kestrum/Utility/CompressionLZMA.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const size_t kArchiveBytes = 32u << 20;

struct Inputs {
    std::string folder, archivePath, iconPath, archive;
    Inputs()
    {
        char name[] = "/tmp/zv-bench-XXXXXX";
        folder = mkdtemp(name);
        zvfixtures::ZvaBuilder zva;
        zva.files = {{"addon.txt", "bench"}, {"maps/bench.bsp", ""}};
        size_t overhead = zva.Build().size();
        zva.files[1].content = zvfixtures::FillerBytes(kArchiveBytes - overhead);
        archive = zva.Build();
        archivePath = folder + "/bench.zva";
        iconPath = folder + "/bench.jpg";
        std::ofstream(archivePath, std::ios::binary).write(archive.data(), static_cast<std::streamsize>(archive.size()));
        std::vector<uint8_t> icon = JpegFixture::Uniform(512, 512, JpegFixture::Rgb{10, 120, 200});
        std::ofstream(iconPath, std::ios::binary).write(reinterpret_cast<const char*>(icon.data()), static_cast<std::streamsize>(icon.size()));
    }
    ~Inputs() { std::system(("rm -rf '" + folder + "'").c_str()); }
};

Inputs& TheInputs()
{
    static Inputs inputs;
    return inputs;
}

double g_CompressSeconds = 0;

double MiB(long kib)
{
    return kib / 1024.0;
}

// Runs fn in a child process; its peak resident set in KiB.
template <class F>
long ChildPeakKiB(F fn)
{
    pid_t pid = fork();
    if (pid == 0) {
        fn();
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss;
}

bool CompressOnce(const std::string& archive)
{
    Kestrum::AutoBuffer out(32);
    return Kestrum::Compression::LZMA::Compress(archive.data(), static_cast<uint32_t>(archive.size()), out, 9, 0x2000000);
}

void BM_CompressAlone(benchmark::State& state)
{
    const std::string& archive = TheInputs().archive;
    double total = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (!CompressOnce(archive))
            state.SkipWithError("compression failed");
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    g_CompressSeconds = total / static_cast<double>(state.iterations());
    long peak = ChildPeakKiB([&archive] { CompressOnce(archive); });
    state.counters["peak_MiB"] = MiB(peak);
    state.counters["peak_x_archive"] = MiB(peak) / MiB(static_cast<long>(archive.size() / 1024));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * archive.size()));
}

void BM_CreateCommand(benchmark::State& state)
{
    Inputs& inputs = TheInputs();
    double total = 0;
    long peak = 0;
    int run = 0;
    for (auto _ : state) {
        std::string steamDir = inputs.folder + "/steam" + std::to_string(run++);
        auto start = std::chrono::steady_clock::now();
        pid_t pid = fork();
        if (pid == 0) {
            int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            setenv("ZV_STEAM_DIR", steamDir.c_str(), 1);
            execl(ZVPUBLISH_BINARY, "zvpublish", "create", "-addon", inputs.archivePath.c_str(), "-icon",
                  inputs.iconPath.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("zvpublish create failed");
        state.SetIterationTime(seconds);
        total += seconds;
        peak = std::max(peak, usage.ru_maxrss);
    }
    double mean = total / static_cast<double>(state.iterations());
    state.counters["peak_MiB"] = MiB(peak);
    state.counters["peak_x_archive"] = MiB(peak) / MiB(static_cast<long>(inputs.archive.size() / 1024));
    if (g_CompressSeconds > 0)
        state.counters["time_x_compress"] = mean / g_CompressSeconds;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * inputs.archive.size()));
}

// Registration order is run order: the command's ratio uses the compression time just measured.
BENCHMARK(BM_CompressAlone)->UseManualTime()->Iterations(2)->Unit(benchmark::kSecond);
BENCHMARK(BM_CreateCommand)->UseManualTime()->Iterations(2)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
