#include "support/app_fixture.h"

#include <fstream>
#include <random>

namespace dyvern::testing {

AppTest::AppTest() {
    std::random_device seed;
    root = folder = std::filesystem::temp_directory_path() /
                    ("dyvern-test-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    MoveProgramTo("");
}

void AppTest::MoveProgramTo(const std::filesystem::path& subfolder) {
    folder /= subfolder;
    std::filesystem::create_directories(folder);
    app.reset();
    window = std::make_unique<FakeWindow>((folder / "dyvern.exe").string());
    app = std::make_unique<MainWindow>(*window);
    window->Attach(app.get());
}

AppTest::~AppTest() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string AppTest::WriteDataFile(const std::string& name, const std::string& content) {
    const std::filesystem::path path = folder / name;
    std::ofstream(path) << content;
    return path.string();
}

void AppTest::Open(const std::string& path) {
    window->AnswerNextFileDialog(path);
    Press(IDM_OPEN);
}

std::string AppTest::TakeError() {
    std::vector<ShownMessage> shown;
    shown.swap(window->messages);
    if (shown.empty()) return "";
    EXPECT_EQ(shown.size(), 1u) << shown[1].text;
    EXPECT_EQ(shown[0].caption, "Dyvern error");
    EXPECT_EQ(shown[0].style, MessageStyle::Error);
    return shown[0].text;
}

std::string AppTest::GridCell(int gridId, int i, int j) const {
    // A grid picture: its frame, four column letters, four row letters, then
    // the cells row by row.
    return window->pictures.at(gridId).at(9 + 4 * i + j).text;
}

}  // namespace dyvern::testing
