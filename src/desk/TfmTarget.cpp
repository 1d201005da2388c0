#include "desk/TfmTarget.h"

#include "desk/TargetBox.h"
#include "language/FormCaptions.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmTarget::TfmTarget(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmTarget"));
    m_targets = new TargetBox(this);
    auto* btnOk = new QPushButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    auto* btnCancel = new QPushButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_targets);
    layout->addWidget(buttons);
    FormCaptions::apply(this);
}

void TfmTarget::accept() {
    if (m_targets->checkTyped())
        QDialog::accept();
}

void TfmTarget::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    adjustSize();
    m_targets->targetEdit()->setFocus();
    m_targets->targetEdit()->selectAll();
}
