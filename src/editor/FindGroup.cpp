#include "editor/FindGroup.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

FindGroup::FindGroup(QWidget* parent, const QString& secondBoxName)
    : QGroupBox(parent), m_edtFind(new QLineEdit(this)), m_cbMatchCase(new QCheckBox(this)),
      m_cbSecond(new QCheckBox(this)) {
    setObjectName(QStringLiteral("gbFind"));
    m_edtFind->setObjectName(QStringLiteral("edtFind"));
    m_edtFind->setMaxLength(kMaxFindLength);
    m_cbMatchCase->setObjectName(QStringLiteral("cbMatchCase"));
    m_cbSecond->setObjectName(secondBoxName);
    m_cbMatchCase->setFocusPolicy(Qt::ClickFocus);
    m_cbSecond->setFocusPolicy(Qt::ClickFocus);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_cbMatchCase);
    checks->addWidget(m_cbSecond);
    checks->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edtFind);
    layout->addLayout(checks);
}
