// Parameter fields as a user types into them and steps them.
#include "support/app_fixture.h"

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
    // d shows the marks exactly when the criterion does.
    bool ShowsMarks() const {
        const bool marks = Text(IDC_CRITERION_VALUE) == "*****";
        EXPECT_EQ(Text(IDC_D_VALUE) == "*****", marks);
        return marks;
    }
};

TEST_F(Fields, StepsStartFromTheLastAcceptedValueAndStopAtTheBounds) {
    const struct {
        int edit;
        const char* typed;
        int button;
        const char* shown;
    } cases[] = {
        {IDC_BETAT_EDIT, "5", IDC_BETAT_DOWN, "4.999000"},
        {IDC_BETAT_EDIT, "0.001", IDC_BETAT_DOWN, "0.001000"},
        {IDC_BETAT_EDIT, "100", IDC_BETAT_UP, "100.000000"},
        {IDC_BETAT_EDIT, "100.0001", IDC_BETAT_DOWN, "99.999000"},  // from 100, not the text
        {IDC_KAPPA_EDIT, "99.99", IDC_KAPPA_UP, "100.000000"},
        {IDC_KAPPA_EDIT, "abc", IDC_KAPPA_DOWN, "99.950000"},
        {IDC_PIA_EDIT, "0.3", IDC_PIA_UP, "0.310000"},
    };
    for (const auto& c : cases) {
        window->Type(c.edit, c.typed);
        window->SetControlText(IDC_CRITERION_VALUE, "stale");
        Press(c.button);
        EXPECT_EQ(Text(c.edit), c.shown) << c.typed;
        EXPECT_FALSE(Invalid()) << c.typed;
        EXPECT_NE(Text(IDC_CRITERION_VALUE), "stale") << c.typed;  // a step always evaluates
    }
}

// Each text typed into one field of the same start: the marks exactly while
// a value is out of range or leaves no room for piT, and the start's
// criterion again once the field is mended.
TEST_F(Fields, TheMarksShowWhileAValueIsOutOfRangeOrLeavesNoRoomForPiT) {
    window->Type(IDC_KAPPA_EDIT, "2.5");
    const std::string shown = Text(IDC_CRITERION_VALUE);
    const struct {
        int edit;
        std::string text;
        bool marks;
        const char* piT;  // "" when not checked
    } rows[] = {
        // Texts without a leading number read as 0; only the first 29 characters count.
        {IDC_KAPPA_EDIT, "abc", true, ""},
        {IDC_KAPPA_EDIT, "", true, ""},
        {IDC_KAPPA_EDIT, "-", true, ""},
        {IDC_KAPPA_EDIT, "inf", true, ""},
        {IDC_KAPPA_EDIT, "nan", true, ""},
        {IDC_KAPPA_EDIT, "1e999", true, ""},
        {IDC_KAPPA_EDIT, "100.0001", true, ""},
        {IDC_KAPPA_EDIT, std::string(29, ' ') + "7", true, ""},
        {IDC_KAPPA_EDIT, "2.5abc", false, ""},
        {IDC_KAPPA_EDIT, std::string(26, ' ') + "2.5", false, ""},
        {IDC_BETAT_EDIT, "100", false, ""},  // bounds are inclusive
        // Typed frequencies are not taken back; piT shows the remainder.
        {IDC_PIG_EDIT, "0.52", true, "-0.020000"},
        {IDC_PIG_EDIT, "0.49", false, "0.010000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("\"" + row.text + "\"");
        const std::string before = Text(row.edit);
        window->Type(row.edit, row.text);
        EXPECT_EQ(Invalid(), row.marks);
        EXPECT_EQ(ShowsMarks(), row.marks);
        if (*row.piT) {
            EXPECT_EQ(Text(IDC_PIT_EDIT), row.piT);
        }
        if (row.marks) {
            EXPECT_EQ(GaugeFilled(), 0);
            EXPECT_EQ(GridCell(IDC_EXPECTED_GRID, C, G), "***");
            EXPECT_EQ(GridCell(IDC_OBSERVED_GRID, A, A), "40.0");
        }
        window->Type(row.edit, before);
        EXPECT_EQ(Text(IDC_CRITERION_VALUE), shown);
    }
}

TEST_F(Fields, AFrequencyStepLeavingNoRoomForPiTIsTakenBack) {
    window->Type(IDC_PIA_EDIT, "0.5");
    window->Type(IDC_PIC_EDIT, "0.3");
    window->Type(IDC_PIG_EDIT, "0.195");
    const std::string shown = Text(IDC_CRITERION_VALUE);
    Press(IDC_PIA_UP);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.500000");
    EXPECT_EQ(Text(IDC_CRITERION_VALUE), shown);
    Press(IDC_PIG_DOWN);
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.185000");
    EXPECT_EQ(Text(IDC_PIT_EDIT), "0.015000");
}

TEST_F(Fields, EmpiricalIsTheCompositionOverTheDeclaredSiteCount) {
    // The worked cells over n = 400: an eighth each, and piT the rest.
    Open(WriteDataFile("double.dat", "400 40 2 6 2 2 40 2 6 6 2 40 2 2 6 2 40"));
    Press(IDC_EMPIRICAL);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.125000");
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.125000");
    EXPECT_EQ(Text(IDC_PIT_EDIT), "0.625000");
    Press(IDC_EQUAL);
    EXPECT_EQ(Text(IDC_PIA_EDIT), "0.250000");
    // Clamped into the range, leaving no room for piT.
    Open(WriteDataFile("no-gt.dat", "10  5 0 0 0  0 5 0 0  0 0 0 0  0 0 0 0"));
    Press(IDC_EMPIRICAL);
    EXPECT_EQ(Text(IDC_PIG_EDIT), "0.010000");
    EXPECT_EQ(Text(IDC_PIT_EDIT), "-0.010000");
    EXPECT_TRUE(ShowsMarks());
}

}  // namespace
}  // namespace dyvern::testing
