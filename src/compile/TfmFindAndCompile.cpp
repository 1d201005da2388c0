#include "compile/TfmFindAndCompile.h"

#include "compile/CompileCommands.h"
#include "editor/FindGroup.h"
#include "language/FormCaptions.h"
#include "platform/ScreenCentre.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <class T> T* named(T* component, const char* name) {
    component->setObjectName(QString::fromLatin1(name));
    return component;
}

} // namespace

TfmFindAndCompile::TfmFindAndCompile(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmFindAndCompile"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* gbFind = new FindGroup(this, QStringLiteral("cbClearCompiler"));
    m_edtFind = gbFind->findBox();
    m_edtFind->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    m_cbMatchCase = gbFind->matchCase();
    m_cbClearCompiler = gbFind->secondBox();
    m_cbClearCompiler->setChecked(true);

    m_btnFind = named(new QPushButton(this), "btnFind");
    m_btnFind->setDefault(true);
    m_btnClose = named(new QPushButton(this), "btnClose");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_btnFind);
    buttons->addWidget(m_btnClose);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(gbFind, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_btnFind, &QPushButton::clicked, this, &TfmFindAndCompile::btnFindClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmFindAndCompile::btnCloseClick);
    FormCaptions::apply(this);
}

void TfmFindAndCompile::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfmFindAndCompile::FormShow() {
    if (m_firstShow) {
        // In the middle of the screen the first time; where the writer left it afterwards.
        centreOnScreen(this);
        m_firstShow = false;
    }
    m_edtFind->setFocus();
    m_edtFind->selectAll();
}

void TfmFindAndCompile::btnFindClick() {
    const QString findText = m_edtFind->text();
    if (findText.isEmpty() || !m_commands)
        return;
    if (m_commands->FindAndCompile(findText, m_cbMatchCase->isChecked(),
                                   m_cbClearCompiler->isChecked()))
        Q_EMIT matched();
}

void TfmFindAndCompile::btnCloseClick() {
    close();
}
