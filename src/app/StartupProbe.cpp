#include "app/StartupProbe.h"

#include "desk/DeskView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

StartupProbe::StartupProbe(const QElapsedTimer& sinceMain, QByteArray mode)
    : m_sinceMain(sinceMain), m_mode(std::move(mode)) {
    qApp->installEventFilter(this);
}

void StartupProbe::started(QWidget* mainWindow) {
    m_mainWindow = mainWindow;
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || m_deskPainted)
        return false;
    const auto* view = qobject_cast<const DeskView*>(watched->parent());
    if (!view || watched != view->viewport())
        return false;
    if (!m_windowPainted) {
        // An empty desk paints in no time: it is on screen about now.
        m_windowPainted = true;
        report("window painted");
    }
    if (m_mainWindow) {
        m_deskPainted = true;
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &StartupProbe::deskPainted);
    }
    return false;
}

void StartupProbe::report(const char* what) const {
    std::fprintf(stderr, "kerfa-startup: %s %lld ms after main\n", what,
                 static_cast<long long>(m_sinceMain.elapsed()));
    std::fflush(stderr);
}

void StartupProbe::deskPainted() {
    report("desk painted");
    if (m_mode == "quit") {
        QApplication::exit(0);
    } else if (m_mode == "close") {
        report("closing");
        m_mainWindow->close();
    }
}
