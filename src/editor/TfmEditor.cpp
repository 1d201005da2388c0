#include "editor/TfmEditor.h"

#include "common/FileWriter.h"
#include "common/TextCodec.h"
#include "language/FormCaptions.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"

#include <QPlainTextEdit>
#include <QStatusBar>

TfmEditor::TfmEditor(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("fmEditor"));
    m_memEditor = new QPlainTextEdit(this);
    m_memEditor->setObjectName(QStringLiteral("memEditor"));
    setCentralWidget(m_memEditor);
    m_sbStatus = new QStatusBar(this);
    m_sbStatus->setObjectName(QStringLiteral("sbStatus"));
    setStatusBar(m_sbStatus);
    setWindowTitle(QStringLiteral("Kerfa Editor"));
    FormCaptions::apply(this);
}

QString TfmEditor::textFilePath() const {
    return projectFolder + QStringLiteral("Text Files/") + sheetName + QStringLiteral(".txt");
}

bool TfmEditor::SaveText() {
    const QByteArray bytes = TextCodec::encode(TextCodec::toCrLf(m_memEditor->toPlainText()));
    if (!FileWriter::write(textFilePath(), bytes)) {
        // The text stays in the window, still marked as changed, for another try.
        MessageBoxes::warning(Messages::text(Messages::CANNOT_WRITE_FILE));
        return false;
    }
    m_memEditor->document()->setModified(false);
    return true;
}

bool TfmEditor::isModified() const {
    return m_memEditor->document()->isModified();
}
