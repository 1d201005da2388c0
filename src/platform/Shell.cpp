#include "platform/Shell.h"

#include <QDesktopServices>
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
