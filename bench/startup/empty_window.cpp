// The floor of the start-up benchmark: an empty 700 x 500 main window that reports, like the
// desk's probe, when its first paint has reached the screen, and then ends.

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

class EmptyWindow : public QMainWindow {
public:
    explicit EmptyWindow(const QElapsedTimer& sinceMain) : m_sinceMain(sinceMain) {
        setWindowTitle(QStringLiteral("Empty window"));
        resize(700, 500);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QMainWindow::paintEvent(event);
        if (m_painted)
            return;
        m_painted = true;
        // The backing store is flushed when this paint returns; the timer runs after that.
        QTimer::singleShot(0, this, [this] {
            std::fprintf(stderr, "empty-window: window painted %lld ms after main\n",
                         static_cast<long long>(m_sinceMain.elapsed()));
            std::fflush(stderr);
            QApplication::exit(0);
        });
    }

private:
    const QElapsedTimer& m_sinceMain;
    bool m_painted = false;
};

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    // Run by every benchmark on a machine without a display: nothing to measure there.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "empty_window: no display; bench/startup/run.sh runs it under Xvfb\n");
        return 0;
    }
    QApplication app(argc, argv);
    EmptyWindow window(sinceMain);
    window.show();
    return QApplication::exec();
}
