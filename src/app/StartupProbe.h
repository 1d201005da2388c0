#pragma once

#include <QByteArray>
#include <QObject>

class QElapsedTimer;
class QWidget;

// For the start-up benchmark (bench/startup), switched on by the environment variable
// KERFA_STARTUP_PROBE. It watches the desk's paints and reports on standard error, in
// milliseconds since main began:
//   "kerfa-startup: window painted N ms after main": the desk's first paint, however empty;
//   "kerfa-startup: desk painted N ms after main": the first paint once the start is over (the
//   project of the command line read), when it has reached the screen.
// Then, by the variable's value, "quit" ends the program at once, without writing anything;
// "close" reports "kerfa-startup: closing N ms after main" and closes the main window as the user
// would, so that the end of the program can be timed; anything else lets the program run.
class StartupProbe : public QObject {
public:
    // Watches the application's events from now on.
    StartupProbe(const QElapsedTimer& sinceMain, QByteArray mode);

    // The start is over: the next paint of the desk shows what it put there.
    void started(QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report(const char* what) const;
    void deskPainted();

    const QElapsedTimer& m_sinceMain;
    QByteArray m_mode;
    QWidget* m_mainWindow = nullptr;
    bool m_windowPainted = false;
    bool m_deskPainted = false;
};
