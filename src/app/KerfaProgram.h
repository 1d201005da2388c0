#pragma once

#include "project/SheetReading.h"

#include <QStringList>
#include <memory>

class SingleInstance;
class TfmAbout;
class TfmCompile;
class TfmFindAndCompile;
class TfmMain;
class TfmOptions;
class TfmProperties;

// The program entry: the application's set-up, the windows that live for the whole run (editor
// and find windows are made per sheet, their captions coming from the captions table), one
// running instance per user, and the command line.
class KerfaProgram {
public:
    KerfaProgram();
    ~KerfaProgram();

    enum class Start { Run, EndAtOnce };

    // Creates the windows, then settles the single instance and the command line (the arguments
    // after the program's name). Run: the main window is shown and the event loop may start.
    // early: the reading of the project named by the arguments, begun before (or nothing).
    Start start(const QStringList& arguments, std::unique_ptr<SheetReading> early = {});

    TfmMain* fmMain() const { return m_fmMain.get(); }

    // Sets the application's name, hint delays and the hint switch.
    static void initialiseApplication();

private:
    std::unique_ptr<TfmMain> m_fmMain;
    std::unique_ptr<TfmAbout> m_fmAbout;
    std::unique_ptr<TfmCompile> m_fmCompile;
    std::unique_ptr<TfmOptions> m_fmOptions;
    std::unique_ptr<TfmProperties> m_fmProperties;
    std::unique_ptr<TfmFindAndCompile> m_fmFindAndCompile;
    std::unique_ptr<SingleInstance> m_instance;
};
