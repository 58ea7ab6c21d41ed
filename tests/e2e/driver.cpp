// End-to-end test of Dyvern: starts dyvern.exe from its own folder and works
// it from outside, through its window, as a user would.
//   e2e-driver.exe [SCREENSHOT_FOLDER]
//   e2e-driver.exe --show SCREENSHOT_FOLDER
// --show only starts Dyvern with its sample, saves a picture of its window as
// dyvern.png and closes it, returning Dyvern's exit code.
// The driver sits beside dyvern.exe, sample.dat and other.dat. Screenshots
// need scripts/e2e-screenshot-service watching SCREENSHOT_FOLDER; without it
// the picture checks fail. Ends with "N passed, N failed"; exit code 1 on
// any failure.
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

std::string OwnFolder() {
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::optional<Setup> MakeSetup(Checks& checks, const std::string& shotFolder) {
    Setup setup;
    setup.folder = OwnFolder();
    setup.program = setup.folder + "\\dyvern.exe";
    setup.sampleFile = setup.folder + "\\sample.dat";
    setup.otherFile = setup.folder + "\\other.dat";
    setup.reportFile = setup.folder + "\\report.txt";
    setup.shots = Screenshots(shotFolder);
    const auto sample = ReadDataTable(setup.sampleFile);
    const auto other = ReadDataTable(setup.otherFile);
    checks.Group("set-up");
    checks.Expect(sample.has_value(), "sample.dat beside the driver", setup.sampleFile);
    checks.Expect(other.has_value(), "other.dat beside the driver", setup.otherFile);
    if (!sample || !other) {
        return std::nullopt;
    }
    setup.sample = *sample;
    setup.other = *other;
    return setup;
}

bool StartLoaded(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Expect(program.Start(setup.program, setup.folder), "dyvern.exe starts", setup.program);
    return checks.Expect(program.Main() != nullptr && WaitForLoad(program, setup.sampleFile),
                         "sample loaded", program.Title());
}

}  // namespace

void Timings::Print() const {
    for (const auto& [what, milliseconds] : entries) {
        std::printf("timing: %-40s %9.1f ms\n", what.c_str(), milliseconds);
    }
    std::fflush(stdout);
}

namespace {

// At start-up the gauge runs from below the current lnL to the best one.
int StartUpGaugeFill(RemoteProgram& program, const Setup& setup) {
    double current = 0.0;
    ParseNumber(program.Text(IDC_CRITERION_VALUE), current);
    const double best = Jc69LogLikelihood(setup.sample, Jc69BestBranchLength(setup.sample));
    double low = current - std::abs(best - current) * 0.5;
    if (best - low < 2.0) {
        low = best - 2.0;
    }
    return ExpectedFill(GaugeHeight(program), current, low, best);
}

// A case must not leave a dialog open; one that did is closed and reported.
void ExpectNoDialogsLeft(Checks& checks, const RemoteProgram& program) {
    std::string titles;
    for (const std::string& title : CloseDialogs(program.ProcessId())) {
        titles += " \"" + title + "\"";
    }
    if (!titles.empty()) {
        checks.Expect(false, "no dialog left open", "closed" + titles);
    }
}

void RunMainSession(Checks& checks, const Setup& setup) {
    RemoteProgram program;
    if (!StartLoaded(checks, program, setup)) {
        return;
    }
    Timings timings;
    const std::function<void()> cases[] = {
        [&] { CheckStartUp(checks, program, setup); },
        [&] { CheckLayout(checks, program); },
        [&] { CheckPictures(checks, program, setup, "startup", StartUpGaugeFill(program, setup)); },
        [&] { CheckRefreshAndUnknownCommand(checks, program); },
        [&] { CheckSolveJc69(checks, program, setup, timings); },
        [&] { CheckPictures(checks, program, setup, "solved", GaugeHeight(program)); },
        [&] { CheckModelSwitches(checks, program, timings); },
        [&] { CheckStepButtons(checks, program); },
        [&] { CheckFrequencyTakeBack(checks, program); },
        [&] { CheckEqualAndEmpirical(checks, program, setup); },
        [&] { CheckInvalidMarks(checks, program, setup, timings); },
        [&] { CheckLeastSquares(checks, program, setup); },
        [&] { CheckReports(checks, program, setup); },
        [&] { CheckOpenOtherFile(checks, program, setup); },
        [&] { CheckOpenCancelled(checks, program); },
        [&] { CheckAbout(checks, program, setup); },
        [&] { CheckHelp(checks, program); },
    };
    for (const auto& run : cases) {
        run();
        ExpectNoDialogsLeft(checks, program);
    }
    CheckExit(checks, program);
    timings.Print();
}

void RunCloseBoxSession(Checks& checks, const Setup& setup) {
    RemoteProgram program;
    if (StartLoaded(checks, program, setup)) {
        CheckCloseBox(checks, program);
    }
}

// A copy of the program in a folder of its own, without sample.dat.
void RunMissingSampleSession(Checks& checks, const Setup& setup) {
    const std::string folder = setup.folder + "\\no-sample";
    const std::string copy = folder + "\\dyvern.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA(setup.program.c_str(), copy.c_str(), FALSE);
    {
        RemoteProgram program;
        if (checks.Expect(program.Start(copy, folder), "copy without sample.dat starts")) {
            CheckMissingSample(checks, program, folder);
        }
    }
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
}

int ShowOnce(const std::string& shotFolder) {
    Checks checks;
    const auto setup = MakeSetup(checks, shotFolder);
    RemoteProgram program;
    if (!setup || !StartLoaded(checks, program, *setup)) {
        return 1;
    }
    RECT area{};
    GetWindowRect(program.Main(), &area);
    const bool saved = setup->shots.Take("dyvern", area).has_value();
    PostMessageA(program.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto code = program.WaitForExit(15.0);
    return saved && code ? static_cast<int>(*code) : 1;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--show") {
        return e2e::ShowOnce(argv[2]);
    }
    e2e::Checks checks;
    const auto setup = e2e::MakeSetup(checks, argc > 1 ? argv[1] : "");
    if (setup) {
        e2e::RunMainSession(checks, *setup);
        e2e::RunCloseBoxSession(checks, *setup);
        e2e::RunMissingSampleSession(checks, *setup);
    }
    return checks.Finish();
}
