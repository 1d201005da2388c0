#include "desk/TfmProperties.h"

#include "desk/DescriptionEdit.h"
#include "desk/SheetNameValidator.h"
#include "desk/TargetBox.h"
#include "language/FormCaptions.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "project/ProjectNames.h"
#include "project/SheetNames.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr QSize kLeastSize(373, 270);
constexpr int kVisibleTypes = 12;

// A type name as a list shows it: "&" marks a menu's access key in theme files, "&&" stands
// for "&" itself.
QString shownTypeName(const QString& name) {
    QString shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == u'&' && i + 1 < name.size())
            ++i;
        shown += name[i];
    }
    return shown;
}

} // namespace

TfmProperties::TfmProperties(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmProperties"));

    // Name and type.
    auto* details = new QGroupBox(this);
    details->setObjectName(QStringLiteral("gbKerfaDetails"));
    m_edtName = new QLineEdit(details);
    m_edtName->setObjectName(QStringLiteral("edtName"));
    m_edtName->setValidator(new SheetNameValidator(m_edtName));
    m_cmbKerfaType = new QComboBox(details);
    m_cmbKerfaType->setObjectName(QStringLiteral("cmbKerfaType"));
    m_cmbKerfaType->setMaxVisibleItems(kVisibleTypes);
    auto* lblName = new QLabel(details);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setBuddy(m_edtName);
    auto* lblType = new QLabel(details);
    lblType->setObjectName(QStringLiteral("lblType"));
    lblType->setBuddy(m_cmbKerfaType);
    auto* detailsLayout = new QFormLayout(details);
    detailsLayout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    detailsLayout->addRow(lblName, m_edtName);
    detailsLayout->addRow(lblType, m_cmbKerfaType);

    // Description.
    auto* descriptionBox = new QGroupBox(this);
    descriptionBox->setObjectName(QStringLiteral("gbDescription"));
    m_memDescription = new DescriptionEdit(descriptionBox);
    m_memDescription->setObjectName(QStringLiteral("memDescription"));
    m_memDescription->setMaxLength(kDescriptionLength);
    auto* descriptionLayout = new QVBoxLayout(descriptionBox);
    descriptionLayout->addWidget(m_memDescription);

    m_targets = new TargetBox(this);

    // OK and Cancel, in the order the desktop puts them.
    m_btnOk = new QPushButton(this);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setDefault(true);
    m_btnCancel = new QPushButton(this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_btnOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_btnCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmProperties::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfmProperties::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(details);
    layout->addWidget(descriptionBox, 1);
    layout->addWidget(m_targets);
    layout->addWidget(buttons);

    setTabOrder(m_edtName, m_cmbKerfaType);
    setTabOrder(m_cmbKerfaType, m_memDescription);
    setTabOrder(m_memDescription, m_targets->targetEdit());
    setTabOrder(m_targets->targetEdit(), m_btnOk);
    setTabOrder(m_btnOk, m_btnCancel);
    FormCaptions::apply(this);
}

void TfmProperties::setInputs(const Inputs& inputs) {
    m_inputs = inputs;
}

QString TfmProperties::name() const {
    return m_edtName->text();
}

int TfmProperties::typeIndex() const {
    return m_cmbKerfaType->currentIndex();
}

QString TfmProperties::description() const {
    return m_memDescription->toPlainText();
}

int TfmProperties::target() const {
    return m_targets->target();
}

int TfmProperties::chainTarget() const {
    return m_targets->chainTarget();
}

void TfmProperties::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TfmProperties::FormShow() {
    // The type names, without the empty ones; a combo row is read back as a type index.
    m_cmbKerfaType->clear();
    for (const QString& type : std::as_const(m_inputs.typeNames))
        if (!type.isEmpty())
            m_cmbKerfaType->addItem(shownTypeName(type));
    const int code = m_inputs.typeCode;
    m_cmbKerfaType->setCurrentIndex(code >= 1 && code <= m_cmbKerfaType->count() ? code - 1 : -1);

    if (m_inputs.isNew) {
        setWindowTitle(Messages::text(Messages::NEW_KERFA) + QStringLiteral(" Kerfa"));
        m_edtName->clear();
        if (m_cmbKerfaType->currentIndex() < 0 && m_cmbKerfaType->count() > 0)
            m_cmbKerfaType->setCurrentIndex(0);
    } else {
        setWindowTitle(QStringLiteral("Kerfa ") + Messages::text(Messages::KERFA_PROPERTIES));
        m_edtName->setText(m_inputs.oldName);
    }
    m_memDescription->setPlainText(m_inputs.description);
    m_targets->setTargets(m_inputs.target, m_inputs.chainTarget, m_inputs.headsChain);
    m_edtName->setMaxLength(static_cast<int>(ProjectNames::kMaxSheetName));

    // Captions may have changed with the language: the dialog fits them, never smaller than
    // its usual size, and stands a little above the middle of the screen.
    setFixedSize(sizeHint().expandedTo(kLeastSize));
    const QWidget* over = parentWidget() ? parentWidget() : this;
    if (const QScreen* screen = over->screen()) {
        const QRect area = screen->geometry();
        move(area.left() + area.width() / 2 - width() / 2,
             area.top() + area.height() / 2 - height() / 2 - 30);
    }
    m_edtName->setFocus();
    m_edtName->selectAll();
}

void TfmProperties::accept() {
    if (FormClose())
        QDialog::accept();
}

bool TfmProperties::FormClose() {
    if (!m_targets->checkTyped())
        return false;
    const QString name = SheetNames::NormalizeName(m_edtName->text());
    m_edtName->setText(name);
    switch (SheetNames::check(name, m_inputs.oldName, m_inputs.projectFolder)) {
    case SheetNames::Verdict::NotCompilation:
        refuse(Messages::text(Messages::NOT_COMPILATION));
        return false;
    case SheetNames::Verdict::UniqueName:
        refuse(Messages::text(Messages::UNIQUE_NAME) + QStringLiteral(" kerfa."));
        return false;
    case SheetNames::Verdict::Taken:
        refuse(Messages::text(Messages::CANT_HAVE_NAME));
        return false;
    case SheetNames::Verdict::Accept:
        break;
    }
    return true;
}

void TfmProperties::refuse(const QString& message) {
    MessageBoxes::information(message);
    m_edtName->setFocus();
    m_edtName->selectAll();
}
