#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

Shell* g_installed = nullptr;

} // namespace

Shell& Shell::current() {
    static DesktopShell desktop;
    return g_installed ? *g_installed : desktop;
}

void Shell::install(Shell* shell) {
    g_installed = shell;
}

void DesktopShell::openFolder(const QString& path, std::function<void()> failed) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            failed();
        return;
    }
    // The desktop's opener tells by its exit code whether a program took the folder; asking
    // Qt to open it only tells that the opener started.
    auto* process = new QProcess(QCoreApplication::instance());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         // A crash exit is the opener stopped as the program ends: no news.
                         if (status == QProcess::NormalExit && code != 0)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         failed();
                         process->deleteLater();
                     });
    process->start(opener, {path});
}

void DesktopShell::startTool(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (!program.isEmpty())
        QProcess::startDetached(program, arguments);
}
