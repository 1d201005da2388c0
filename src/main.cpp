#include "app/KerfaProgram.h"
#include "app/StartupProbe.h"
#include "app/TfmMain.h"
#include "platform/FontConfigWarmUp.h"
#include "project/ProjectCommands.h"
#include "project/SheetReading.h"

#include <QApplication>
#include <QElapsedTimer>
#include <memory>

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    // Both run while the window system connection is made and the main window is built.
    const FontConfigWarmUp fonts;
    std::unique_ptr<SheetReading> early =
        argc == 2 ? ProjectCommands::readEarly(QString::fromLocal8Bit(argv[1])) : nullptr;
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();

    // For the start-up benchmark: reports when the desk is on screen, and may end the program
    // there (see StartupProbe).
    std::unique_ptr<StartupProbe> probe;
    if (const QByteArray mode = qgetenv("KERFA_STARTUP_PROBE"); !mode.isEmpty())
        probe = std::make_unique<StartupProbe>(sinceMain, mode);

    KerfaProgram program;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (program.start(arguments, std::move(early)) == KerfaProgram::Start::EndAtOnce)
        return 0;
    if (probe)
        probe->started(program.fmMain());
    return QApplication::exec();
}
