#include "platform/Shell.h"

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

bool DesktopShell::openFolder(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopShell::startTool(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (!program.isEmpty())
        QProcess::startDetached(program, arguments);
}
