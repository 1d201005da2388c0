#include "spellui/TNewCustomDictionary.h"

#include "spelling/DictionaryCatalog.h"
#include "spellui/SpellTexts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kerfa::spelling;

TNewCustomDictionary::TNewCustomDictionary(const TSpellCheckerBase& checker,
                                           DictionaryCatalog& catalog, QWidget* parent)
    : QDialog(parent), m_catalog(catalog) {
    setObjectName(QStringLiteral("TNewCustomDictionary"));
    setWindowTitle(SpellTexts::text(checker, lsNewCustomTitle));

    m_lblName = new QLabel(SpellTexts::text(checker, lsDlgNewCustom), this);
    m_lblName->setObjectName(QStringLiteral("lblName"));
    m_edtName = new QLineEdit(this);
    m_edtName->setObjectName(QStringLiteral("edtName"));
    m_edtName->setMinimumWidth(m_edtName->fontMetrics().averageCharWidth() * 40);
    m_lblName->setBuddy(m_edtName);
    m_btnOK = new QPushButton(SpellTexts::text(checker, lsDlgOK), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnOK->setEnabled(false);
    m_btnCancel = new QPushButton(SpellTexts::text(checker, lsDlgCancel), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblName);
    layout->addWidget(m_edtName);
    layout->addSpacing(layout->spacing());
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_edtName, &QLineEdit::textChanged, this, [this](const QString& name) {
        m_btnOK->setEnabled(!DictionaryCatalog::CustomFileName(name.toStdString()).empty());
    });
    connect(m_btnOK, &QPushButton::clicked, this, &TNewCustomDictionary::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TNewCustomDictionary::accept() {
    if (!m_btnOK->isEnabled())
        return;
    const std::string name = m_catalog.Create(m_edtName->text().toStdString());
    if (name.empty()) {
        QApplication::beep();
        m_edtName->selectAll();
        m_edtName->setFocus();
        return;
    }
    m_created = QString::fromStdString(name);
    QDialog::accept();
}
