// End-to-end test of Dyvern: starts dyvern.exe from its own folder and works
// it from outside, through its window, as a user would.
//   e2e-driver.exe [SCREENSHOT_FOLDER]
//   e2e-driver.exe --show SCREENSHOT_FOLDER
// --show only starts Dyvern with its sample, saves a picture of its window as
// dyvern.png and closes it, returning Dyvern's exit code.
// The driver sits beside dyvern.exe and the files of harness.h's Setup.
// Screenshots need scripts/e2e-screenshot-service watching SCREENSHOT_FOLDER;
// without it the picture checks fail. Ends with "N passed, N failed"; exit
// code 1 on any failure.
#include "harness.h"

namespace e2e {
namespace {

Setup MakeSetup(const std::string& shotFolder) {
    char path[MAX_PATH * 4] = {};
    const std::string own(path, GetModuleFileNameA(nullptr, path, sizeof path));
    const Setup setup{own.substr(0, own.find_last_of('\\')), shotFolder};
    SetCurrentDirectoryA(setup.folder.c_str());  // where dyvern-cli.exe finds its data
    return setup;
}

bool StartLoaded(Checks& checks, RemoteProgram& program, const Setup& setup) {
    return checks.Expect(program.Start(setup.File("dyvern.exe"), setup.folder) &&
                             program.Loaded(setup.File("sample.dat")),
                         "dyvern.exe starts with its sample: the title names sample.dat",
                         program.Title());
}

int ShowOnce(const std::string& shotFolder) {
    Checks checks;
    const Setup setup = MakeSetup(shotFolder);
    RemoteProgram program;
    if (!StartLoaded(checks, program, setup)) return 1;
    const bool saved = TakeShot(setup.shots, "dyvern", program.Main()).has_value();
    program.Post(WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto code = program.WaitForExit(15.0);
    return saved && code ? static_cast<int>(*code) : 1;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc > 2 && std::string(argv[1]) == "--show") return e2e::ShowOnce(argv[2]);
    e2e::Checks checks;
    const e2e::Setup setup = e2e::MakeSetup(argc > 1 ? argv[1] : "");
    {
        // A case that leaves a dialog open makes the next ones fail; the
        // program is ended with this block.
        e2e::RemoteProgram program;
        if (e2e::StartLoaded(checks, program, setup))
            for (const e2e::Case run : e2e::kCases) run(checks, program, setup);
    }
    e2e::CheckMissingSample(checks, setup);
    return checks.Finish();
}
