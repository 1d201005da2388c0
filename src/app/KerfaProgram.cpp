#include "app/KerfaProgram.h"

#include "app/HintSwitch.h"
#include "app/ProgramStyle.h"
#include "app/TfmMain.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QIcon>

KerfaProgram::KerfaProgram() = default;

KerfaProgram::~KerfaProgram() {
    // The main window's sheets may hold editor windows; it goes first.
    m_fmMain.reset();
}

void KerfaProgram::initialiseApplication() {
    QApplication::setApplicationName(QStringLiteral("Kerfa"));
    QApplication::setApplicationVersion(QStringLiteral(KERFA_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kerfa/kerfa.svg")));
    QApplication::setStyle(new ProgramStyle);
    HintSwitch::instance().setEnabled(false);
    qApp->installEventFilter(&HintSwitch::instance());
}

KerfaProgram::Start KerfaProgram::start(const QStringList& arguments,
                                        std::unique_ptr<SheetReading> early) {
    // The dialogs and tool windows are made when first used.
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
