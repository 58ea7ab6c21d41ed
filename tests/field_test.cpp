// Parameter fields as a user types into them and steps them.
#include "tests/app_fixture.h"

namespace dyvern::testing {
namespace {

class Fields : public AppTest {
protected:
    void SetUp() override {
        WriteDataFile("sample.dat", kWorkedTableFile);
        Start();
        window->ChooseModel(3);  // every field free
    }
    bool Invalid() const { return app->State().invalid; }
};

TEST_F(Fields, WrittenValuesAreClampedIntoTheRange) {
    window->Type(IDC_BETAT_EDIT, "5");
    Press(IDC_BETAT_DOWN);
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "4.999000");
    // Steps start from the last accepted value and stop at the bounds.
    window->Type(IDC_BETAT_EDIT, "0.001");
    Press(IDC_BETAT_DOWN);
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.001000");
    window->Type(IDC_KAPPA_EDIT, "99.99");
    Press(IDC_KAPPA_UP);
    EXPECT_EQ(Text(IDC_KAPPA_EDIT), "100.000000");
    window->Type(IDC_PIC_EDIT, "0.01");
    window->Type(IDC_PIG_EDIT, "0.01");
    window->Type(IDC_PIA_EDIT, "0.98");
    Press(IDC_PIA_UP);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.980000");  // 0.99 would leave nothing for piT
}

TEST_F(Fields, PressingDownAtTheMinimumSetsItAgainAndEvaluates) {
    window->Type(IDC_BETAT_EDIT, "0.001");
    const int before = window->criterionShows;
    Press(IDC_BETAT_DOWN);
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.001000");
    EXPECT_EQ(window->criterionShows, before + 1);
}

TEST_F(Fields, BoundsAreInclusiveAndOutOfRangeTextIsNotTakenOver) {
    window->Type(IDC_BETAT_EDIT, "100");
    EXPECT_FALSE(Invalid());
    EXPECT_NE(Text(IDC_CRITERION_VALUE), "*****");
    window->Type(IDC_BETAT_EDIT, "100.0001");
    EXPECT_TRUE(Invalid());
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****");
    EXPECT_EQ(GaugeFilled(), 0);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(GridCell(IDC_EXPECTED_GRID, i, j), "***");
    EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "40.0");
    // A step starts from the last accepted value, replacing the text.
    Press(IDC_BETAT_DOWN);
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "99.999000");
    EXPECT_FALSE(Invalid());
}

TEST_F(Fields, TextsThatAreNotNumbersShowTheMarksUntilMended) {
    window->Type(IDC_KAPPA_EDIT, "2.5");
    const std::string shown = Text(IDC_CRITERION_VALUE);
    for (const char* text : {"abc", "", "-", "inf", "nan", "1e999"}) {
        window->Type(IDC_KAPPA_EDIT, text);
        EXPECT_TRUE(Invalid()) << text;
        EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****") << text;
    }
    // A number with trailing letters reads as its number.
    window->Type(IDC_KAPPA_EDIT, "2.5abc");
    EXPECT_FALSE(Invalid());
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), shown);
    // Only the first 29 characters are read.
    window->Type(IDC_KAPPA_EDIT, std::string(28, ' ') + "7");
    EXPECT_FALSE(Invalid());
    window->Type(IDC_KAPPA_EDIT, std::string(29, ' ') + "7");
    EXPECT_TRUE(Invalid());
}

TEST_F(Fields, TypingAPartialNumberEvaluatesAfterEveryKeystroke) {
    std::string typed;
    int marks = 0;
    for (const char key : std::string("0.35")) {
        typed += key;
        window->Type(IDC_BETAT_EDIT, typed);
        marks += Text(IDC_CRITERION_VALUE) == "*****";
    }
    EXPECT_EQ(marks, 2);  // "0" and "0." are below the range
    EXPECT_EQ(Text(IDC_BETAT_EDIT), "0.35");
    EXPECT_FALSE(Invalid());
}

TEST_F(Fields, FrequencyStepThatLeavesNoRoomForPiTIsTakenBack) {
    window->Type(IDC_PIA_EDIT, "0.5");
    window->Type(IDC_PIC_EDIT, "0.3");
    window->Type(IDC_PIG_EDIT, "0.195");
    const std::string shown = Text(IDC_CRITERION_VALUE);
    Press(IDC_PIA_UP);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.500000");
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), shown);
    EXPECT_FALSE(Invalid());
    // A step that leaves room is kept.
    Press(IDC_PIG_DOWN);
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.185000");
    EXPECT_EQ(Text(IDC_PIT_EDIT), "0.015000");
}

TEST_F(Fields, TypedFrequenciesSummingToOneShowMarksUntilMended) {
    window->Type(IDC_PIA_EDIT, "0.5");
    window->Type(IDC_PIC_EDIT, "0.3");
    window->Type(IDC_PIG_EDIT, "0.2");
    EXPECT_TRUE(Invalid());
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****");
    EXPECT_EQ(Text(IDC_PIT_EDIT), "0.000000");
    window->Type(IDC_PIG_EDIT, "0.1");
    EXPECT_FALSE(Invalid());
    EXPECT_NE(Text(IDC_CRITERION_VALUE), "*****");
}

TEST_F(Fields, PiTShowsAnythingAndIsNeverReadBack) {
    window->Type(IDC_PIT_EDIT, "0.7");
    Press(IDC_EQUAL);
    EXPECT_EQ(Text(IDC_PIT_EDIT), "0.250000");
    window->Type(IDC_PIA_EDIT, "0.5");
    window->Type(IDC_PIC_EDIT, "0.3");
    window->Type(IDC_PIG_EDIT, "0.22");
    EXPECT_EQ(Text(IDC_PIT_EDIT), "-0.020000");
}

TEST_F(Fields, EqualAndEmpiricalOnTheWorkedTable) {
    window->Type(IDC_PIA_EDIT, "0.4");
    Press(IDC_EMPIRICAL);
    for (const int id : {IDC_PIA_EDIT, IDC_PIC_EDIT, IDC_PIG_EDIT, IDC_PIT_EDIT})
        EXPECT_EQ(Text(id), "0.250000");
    // Over a declared n of 400 the same cells give an eighth each, and piT the rest.
    Open(WriteDataFile("double.dat", "400 40 2 6 2 2 40 2 6 6 2 40 2 2 6 2 40"));
    Press(IDC_EMPIRICAL);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.125000");
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.125000");
    EXPECT_EQ(Text(IDC_PIT_EDIT), "0.625000");
    Press(IDC_EQUAL);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.250000");
}

TEST_F(Fields, EmpiricalValuesAreClampedAndMayLeaveNoRoomForPiT) {
    Open(WriteDataFile("no-gt.dat", "10  5 0 0 0  0 5 0 0  0 0 0 0  0 0 0 0"));
    Press(IDC_EMPIRICAL);
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.010000");
    EXPECT_EQ(Text(IDC_PIT_EDIT), "-0.010000");
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), "*****");
}

}  // namespace
}  // namespace dyvern::testing
