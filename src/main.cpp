#include "app/KerfaProgram.h"
#include "app/StartupProbe.h"
#include "app/TfmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <memory>

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();
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
    if (program.start(arguments) == KerfaProgram::Start::EndAtOnce)
        return 0;
    if (probe)
        probe->started(program.fmMain());
    return QApplication::exec();
}
