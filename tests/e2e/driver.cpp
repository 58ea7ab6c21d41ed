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
#include <fstream>
#include <functional>
#include <string>

#include "cases.h"

namespace e2e {
namespace {

std::string OwnFolder() {
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

// The sample is read as the program reads it, through the core.
std::optional<Setup> MakeSetup(Checks& checks, const std::string& shotFolder) {
    Setup setup{OwnFolder(), {}, Screenshots(shotFolder)};
    checks.Group("set-up");
    std::ifstream file(setup.File("sample.dat"));
    setup.sample = dyvern::ReadDataFile(file, 0);
    const bool read = checks.Expect(file.is_open() && setup.sample.siteCount > 0,
                                    "sample.dat beside the driver", setup.File("sample.dat"));
    return read ? std::optional<Setup>(setup) : std::nullopt;
}

bool StartLoaded(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Expect(program.Start(setup.File("dyvern.exe"), setup.folder), "dyvern.exe starts");
    return checks.Expect(
        program.Main() != nullptr && WaitForLoad(program, setup.File("sample.dat")),
        "sample loaded", program.Title());
}

// A case must not leave a dialog open; one that did is closed and reported.
void ExpectNoDialogsLeft(Checks& checks, const RemoteProgram& program) {
    std::string titles;
    for (const std::string& title : CloseDialogs(program.ProcessId())) {
        titles += " \"" + title + "\"";
    }
    if (!titles.empty()) checks.Expect(false, "no dialog left open", "closed" + titles);
}

void RunMainSession(Checks& checks, const Setup& setup) {
    RemoteProgram program;
    if (!StartLoaded(checks, program, setup)) return;
    const std::function<void()> cases[] = {
        [&] { CheckStartUp(checks, program, setup); },
        [&] { CheckModelEnabling(checks, program, setup); },
        [&] { CheckSolve(checks, program, setup); },
        [&] { CheckInvalidGauge(checks, program, setup); },
        [&] { TimeCommands(checks, program); },
        [&] { CheckReports(checks, program, setup); },
        [&] { CheckCompareModels(checks, program, setup); },
        [&] { CheckOpenCancelled(checks, program); },
        [&] { CheckAbout(checks, program); },
        [&] { CheckRepaint(checks, program, setup); },
        [&] { CheckOpenAlignment(checks, program, setup); },
        [&] { CheckHelp(checks, program); },
    };
    for (const auto& run : cases) {
        run();
        ExpectNoDialogsLeft(checks, program);
    }
    CheckMenuExit(checks, program);
}

// A copy of the program in a folder of its own, without sample.dat.
void RunMissingSampleSession(Checks& checks, const Setup& setup) {
    const std::string folder = setup.folder + "\\no-sample";
    const std::string copy = folder + "\\dyvern.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA(setup.File("dyvern.exe").c_str(), copy.c_str(), FALSE);
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
    if (!setup || !StartLoaded(checks, program, *setup)) return 1;
    const bool saved = setup->shots.Take("dyvern", program.Main()).has_value();
    PostMessageA(program.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto code = program.WaitForExit(15.0);
    return saved && code ? static_cast<int>(*code) : 1;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--show") return e2e::ShowOnce(argv[2]);
    e2e::Checks checks;
    const auto setup = e2e::MakeSetup(checks, argc > 1 ? argv[1] : "");
    if (setup) {
        e2e::RunMainSession(checks, *setup);
        e2e::RunMissingSampleSession(checks, *setup);
    }
    return checks.Finish();
}
