// What a user waits for, on the sample data: a model switch under maximum
// likelihood (its quiet Solve for the gauge included) and one keystroke's
// evaluation, through the command table over the in-memory window.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "shell/main_window.h"
#include "support/fake_window.h"
#include "support/test_tables.h"
#include "system/control_ids.h"

namespace dyvern {
namespace {

class SampleWindow {
public:
    SampleWindow()
        : folder(std::filesystem::temp_directory_path() /
                 ("dyvern-bench-" + std::to_string(std::random_device{}()))),
          window((std::filesystem::create_directories(folder), folder / "dyvern.exe").string()),
          app(window) {
        std::filesystem::copy_file(testing::SamplePath(), folder / "sample.dat");
        window.Attach(&app);
        app.Command(IDM_INIT, 0);
    }
    ~SampleWindow() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    testing::FakeWindow window;
    MainWindow app;
};

void BM_ModelSwitch(benchmark::State& bench) {
    SampleWindow sample;
    int kind = 0;
    for (auto _ : bench) {
        kind = (kind + 1) % 4;
        sample.window.ChooseModel(kind);
    }
}
BENCHMARK(BM_ModelSwitch)->Unit(benchmark::kMicrosecond);

void BM_Keystroke(benchmark::State& bench) {
    SampleWindow sample;
    sample.window.ChooseModel(3);
    const char* texts[] = {"0.12", "0.125"};
    int k = 0;
    for (auto _ : bench) sample.window.Type(IDC_BETAT_EDIT, texts[k++ % 2]);
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);

void BM_Solve(benchmark::State& bench) {
    SampleWindow sample;
    sample.window.ChooseModel(static_cast<int>(bench.range(0)));
    for (auto _ : bench) {
        sample.window.Type(IDC_BETAT_EDIT, "0.1");
        sample.app.Command(IDC_SOLVE, 0);
    }
}
BENCHMARK(BM_Solve)->DenseRange(0, 3)->ArgName("kind")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dyvern
