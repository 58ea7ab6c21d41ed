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
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string own(path);
    const Setup setup{own.substr(0, own.find_last_of('\\')), shotFolder};
    SetCurrentDirectoryA(setup.folder.c_str());  // where dyvern-cli.exe finds its data
    return setup;
}

bool StartLoaded(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Expect(program.Start(setup.File("dyvern.exe"), setup.folder), "dyvern.exe starts");
    return checks.Expect(
        program.Main() != nullptr && WaitForLoad(program, setup.File("sample.dat")),
        "sample loaded: the title names sample.dat", program.Title());
}

// A case must not leave a dialog open; one that did is closed and reported.
void ExpectNoDialogsLeft(Checks& checks, const RemoteProgram& program) {
    std::string titles;
    for (HWND box; (box = FindTopLevel(kDialogClass, "", program.ProcessId())) != nullptr;) {
        titles += " \"" + WindowText(box) + "\"";
        // A Yes/No box has no Cancel: No is its way out.
        if (!Answer(box, GetDlgItem(box, IDNO) != nullptr ? IDNO : IDCANCEL, 5.0)) break;
    }
    if (!titles.empty()) checks.Expect(false, "no dialog left open", "closed" + titles);
}

void RunMainSession(Checks& checks, const Setup& setup) {
    RemoteProgram program;
    if (!StartLoaded(checks, program, setup)) return;
    for (const auto* cases : {&kMainWindowCases, &kOpenedWindowCases}) {
        for (const Case run : *cases) {
            run(checks, program, setup);
            ExpectNoDialogsLeft(checks, program);
        }
    }
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
    if (argc > 2 && std::string(argv[1]) == "--show") return e2e::ShowOnce(argv[2]);
    e2e::Checks checks;
    const e2e::Setup setup = e2e::MakeSetup(argc > 1 ? argv[1] : "");
    e2e::RunMainSession(checks, setup);
    e2e::CheckMissingSample(checks, setup);
    return checks.Finish();
}
