#include "app/KerfaProgram.h"

#include "app/HintSwitch.h"
#include "app/ProgramStyle.h"
#include "app/TfmMain.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

// The program's icon in the sizes a window's icon is shown at, drawn once (desktops take larger
// ones from the icon theme). An icon made from the SVG file itself loads Qt's SVG icon plugin
// and is drawn again at four sizes up to 128 pixels, twice, for every window the program opens:
// over a millisecond before the first window shows.
QIcon programIcon() {
    QSvgRenderer svg(QStringLiteral(":/kerfa/kerfa.svg"));
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64}) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

KerfaProgram::KerfaProgram() = default;

KerfaProgram::~KerfaProgram() {
    // The main window's sheets may hold editor windows; it goes first.
    m_fmMain.reset();
}

void KerfaProgram::initialiseApplication() {
    QApplication::setApplicationName(QStringLiteral("Kerfa"));
    QApplication::setApplicationVersion(QStringLiteral(KERFA_VERSION));
    QApplication::setWindowIcon(programIcon());
    QApplication::setStyle(new ProgramStyle);
    HintSwitch::instance().setEnabled(false);
    qApp->installEventFilter(&HintSwitch::instance());
}

KerfaProgram::Start KerfaProgram::start(const QStringList& arguments,
                                        std::unique_ptr<SheetReading> early) {
    m_fmMain = std::make_unique<TfmMain>();

    m_instance = std::make_unique<SingleInstance>(QStringLiteral("Kerfa"));
    if (m_instance->isPreviousInstance())
        return Start::EndAtOnce;
    QObject::connect(m_instance.get(), &SingleInstance::activationRequested, m_fmMain.get(),
                     &TfmMain::bringToFront);

    if (arguments.size() > 1) {
        MessageBoxes::information(Messages::text(Messages::ONLY_ONE_FILE));
        return Start::EndAtOnce;
    }
    m_fmMain->model().commands().setEarlyReading(std::move(early));
    if (arguments.size() == 1 && !m_fmMain->LoadProject(arguments.front()))
        return Start::EndAtOnce;
    if (!m_fmMain->isVisible())
        m_fmMain->show();
    return Start::Run;
}
