#pragma once

// The road of one solve from the desktop program: the active task editor's grids, the run with
// the status window showing its progress and the wait cursor up, and a new report window with
// the document. A failure inside the run is reported once and the report so far still shown.

#include <QObject>

#include "documents/user_dialogs.h"
#include "solver/solve_state.h"

namespace kargolo {

class TMDIChildFormText;
class TStatusForm;
class TTaskWithRestrictions;

class SolveLauncher {
public:
    SolveLauncher(TStatusForm& status, UserDialogs& dialogs) : m_status(status), m_dialogs(dialogs) {}

    // Solves the editor's task (only its first plan with planOnly); the report window made for
    // it, or none when the task was refused. restricted: solve with the task's limits.
    TMDIChildFormText* run(TTaskWithRestrictions& editor, bool restricted, bool planOnly,
                           const SolveSettings& settings, int reportNumber,
                           QWidget* reportParent);

private:
    TStatusForm& m_status;
    UserDialogs& m_dialogs;
};

// The page shown instead of a report on 23 November.
std::string GreetingPage();

}  // namespace kargolo
