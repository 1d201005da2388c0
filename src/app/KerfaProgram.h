#pragma once

#include "project/SheetReading.h"

#include <QStringList>
#include <memory>

class SingleInstance;
class TfmMain;

// The program entry: the application's set-up, the main window (which makes its dialogs and
// tool windows on first use; editor and find windows are made per sheet), one running instance
// per user, and the command line.
class KerfaProgram {
public:
    KerfaProgram();
    ~KerfaProgram();

    enum class Start { Run, EndAtOnce };

    // Creates the main window, then settles the single instance and the command line (the arguments
    // after the program's name). Run: the main window is shown and the event loop may start.
    // early: the reading of the project named by the arguments, begun before (or nothing).
    Start start(const QStringList& arguments, std::unique_ptr<SheetReading> early = {});

    TfmMain* fmMain() const { return m_fmMain.get(); }

    // Sets the application's name, hint delays and the hint switch.
    static void initialiseApplication();

private:
    std::unique_ptr<TfmMain> m_fmMain;
    std::unique_ptr<SingleInstance> m_instance;
};
