#include "desk/TargetBox.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "project/WordTarget.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace {

QString shown(int target) {
    return target > 0 ? QString::number(target) : QString();
}

// Grouped as the interface's language groups digits, or as the numbers the program shows.
std::optional<int> typed(const QLineEdit* edit) {
    for (const QLocale& locale : {Language::instance().locale(), QLocale()})
        if (const std::optional<int> target =
                WordTarget::parseTyped(edit->text(), locale.groupSeparator()))
            return target;
    return std::nullopt;
}

} // namespace

TargetBox::TargetBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("gbTargets"));
    m_edtTarget = new QLineEdit(this);
    m_edtTarget->setObjectName(QStringLiteral("edtTarget"));
    m_edtChainTarget = new QLineEdit(this);
    m_edtChainTarget->setObjectName(QStringLiteral("edtChainTarget"));
    for (QLineEdit* edit : {m_edtTarget, m_edtChainTarget}) {
        edit->setMaxLength(12);
        edit->setPlaceholderText(QStringLiteral("0"));
    }
    auto* lblTarget = new QLabel(this);
    lblTarget->setObjectName(QStringLiteral("lblTarget"));
    lblTarget->setBuddy(m_edtTarget);
    m_lblChainTarget = new QLabel(this);
    m_lblChainTarget->setObjectName(QStringLiteral("lblChainTarget"));
    m_lblChainTarget->setBuddy(m_edtChainTarget);
    auto* layout = new QFormLayout(this);
    layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    layout->addRow(lblTarget, m_edtTarget);
    layout->addRow(m_lblChainTarget, m_edtChainTarget);
}

void TargetBox::setTargets(int target, int chainTarget, bool headsChain) {
    m_edtTarget->setText(shown(target));
    m_edtChainTarget->setText(shown(chainTarget));
    m_keptChainTarget = chainTarget;
    m_headsChain = headsChain;
    m_edtChainTarget->setVisible(headsChain);
    m_lblChainTarget->setVisible(headsChain);
}

int TargetBox::target() const {
    return typed(m_edtTarget).value_or(WordTarget::kNone);
}

int TargetBox::chainTarget() const {
    return m_headsChain ? typed(m_edtChainTarget).value_or(WordTarget::kNone) : m_keptChainTarget;
}

bool TargetBox::checkTyped() {
    for (QLineEdit* edit : {m_edtTarget, m_edtChainTarget}) {
        if ((edit == m_edtChainTarget && !m_headsChain) || typed(edit))
            continue;
        MessageBoxes::warning(Messages::text(Messages::INVALID_TARGET));
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    return true;
}
