#include "app/KerfaProgram.h"

#include "app/HintSwitch.h"
#include "app/ProgramStyle.h"
#include "app/TfmAbout.h"
#include "app/TfmMain.h"
#include "app/TfmOptions.h"
#include "compile/TfmCompile.h"
#include "compile/TfmFindAndCompile.h"
#include "desk/TfmProperties.h"
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
    m_fmMain = std::make_unique<TfmMain>();
    m_fmAbout = std::make_unique<TfmAbout>();
    m_fmCompile = std::make_unique<TfmCompile>();
    m_fmOptions = std::make_unique<TfmOptions>();
    m_fmProperties = std::make_unique<TfmProperties>();
    m_fmFindAndCompile = std::make_unique<TfmFindAndCompile>();
    m_fmMain->setAboutBox(m_fmAbout.get());
    m_fmMain->setOptionsDialog(m_fmOptions.get());
    m_fmMain->setPropertiesDialog(m_fmProperties.get());
    m_fmMain->setCompileWindows(m_fmCompile.get(), m_fmFindAndCompile.get());

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
