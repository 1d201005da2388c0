#include "app/KerfaProgram.h"
#include "app/TfmMain.h"
#include "desk/DeskView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    KerfaProgram::initialiseApplication();

    KerfaProgram program;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (program.start(arguments) == KerfaProgram::Start::EndAtOnce)
        return 0;

    // For the start-up benchmark: report when the desk is first on screen, and with "quit" end
    // there without writing anything.
    const QByteArray probe = qgetenv("KERFA_STARTUP_PROBE");
    if (!probe.isEmpty()) {
        QObject::connect(program.fmMain()->deskView(), &DeskView::firstPainted, &app, [&] {
            std::fprintf(stderr, "kerfa-startup: desk painted %lld ms after main\n",
                         static_cast<long long>(sinceMain.elapsed()));
            std::fflush(stderr);
            if (probe == "quit")
                QApplication::exit(0);
        });
    }
    return QApplication::exec();
}
