#pragma once

#include <QMainWindow>

class QTextBrowser;

// Kerfa's help book: the HTML pages in the program folder's "Help" folder, shown in a browser
// window of the program's own.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Opens the book at its first page.
    void showContents();
    static QString contentsPath();
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};
