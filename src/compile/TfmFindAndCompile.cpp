#include "compile/TfmFindAndCompile.h"

#include "compile/CompileCommands.h"
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

    auto* gbFind = named(new QGroupBox(this), "gbFind");
    m_edtFind = named(new QLineEdit(gbFind), "edtFind");
    m_edtFind->setMaxLength(kMaxFindLength);
    m_edtFind->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    m_cbMatchCase = named(new QCheckBox(gbFind), "cbMatchCase");
    m_cbClearCompiler = named(new QCheckBox(gbFind), "cbClearCompiler");
    m_cbClearCompiler->setChecked(true);
    // Tab stays on the find box and the buttons; the check boxes are clicked or reached by
    // their letters.
    m_cbMatchCase->setFocusPolicy(Qt::ClickFocus);
    m_cbClearCompiler->setFocusPolicy(Qt::ClickFocus);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_cbMatchCase);
    checks->addWidget(m_cbClearCompiler);
    checks->addStretch();
    auto* findLayout = new QVBoxLayout(gbFind);
    findLayout->addWidget(m_edtFind);
    findLayout->addLayout(checks);

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
