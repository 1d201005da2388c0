#include "app/HelpWindow.h"

#include "common/ProgramFolder.h"

#include <QAction>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("fmHelp"));
    setWindowTitle(QStringLiteral("Kerfa Help"));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);

    QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setMovable(false);
    QAction* back =
        bar->addAction(QIcon::fromTheme(QStringLiteral("go-previous")), QStringLiteral("&Back"));
    QAction* forward =
        bar->addAction(QIcon::fromTheme(QStringLiteral("go-next")), QStringLiteral("&Forward"));
    QAction* home =
        bar->addAction(QIcon::fromTheme(QStringLiteral("go-home")), QStringLiteral("&Contents"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, &HelpWindow::showContents);
    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    addAction(escape);
    connect(escape, &QAction::triggered, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    resize(760, 600);
}

QString HelpWindow::contentsPath() {
    return ProgramFolder::sub(QStringLiteral("Help")) + QStringLiteral("index.html");
}

void HelpWindow::showContents() {
    const QString path = contentsPath();
    if (QFileInfo::exists(path))
        m_browser->setSource(QUrl::fromLocalFile(path));
    else
        m_browser->setHtml(QStringLiteral("<h2>Kerfa Help</h2><p>The help book is missing from the "
                                          "program folder: %1</p>")
                               .arg(path.toHtmlEscaped()));
    show();
    raise();
    activateWindow();
}
