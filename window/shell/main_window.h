// The main window's logic: start-up, shut-down and the command table,
// written once against the WindowSystem interface.
#pragma once

#include "state/session.h"
#include "system/deferred_drawing.h"
#include "system/window_system.h"

namespace dyvern {

class MainWindow {
public:
    explicit MainWindow(WindowSystem& window);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Every WM_COMMAND: the low word (id) and the high word (notification).
    // Ids outside the table, and notifications it does not name, do nothing.
    void Command(int id, int notification);
    // Releases fields, tables, gauge and fonts; runs once however often it is called.
    void CleanUp();

    const AnalysisState& State() const { return session.state; }

private:
    struct CommandEntry;
    static const CommandEntry* FindCommand(int id, int notification);

    // Commands; each is given the id that raised it.
    void InitMainWindow(int id);
    void OpenHelp(int id);
    void ShowAbout(int id);
    void SolveCommand(int id);
    void OpenCommand(int id);
    void Exit(int id);
    void Refresh(int id);
    void Equal(int id);
    void Empirical(int id);
    void Report(int id);
    void CompareModels(int id);
    void ModelChosen(int id);
    void FieldChanged(int id);
    void StepButton(int id);
    void CriterionChosen(int id);

    void FillModelCombo();
    void CreateFonts();

    DeferredDrawing screen;  // what the session draws through
    Session session;
    bool started = false;
    bool cleanedUp = false;
};

}  // namespace dyvern
