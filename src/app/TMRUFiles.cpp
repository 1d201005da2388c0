#include "app/TMRUFiles.h"

#include "common/IniFile.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

TMRUFiles::TMRUFiles(QObject* owner) : QObject(owner) {}

void TMRUFiles::setMenuItem(QMenu* menu, QAction* anchor) {
    m_menu = menu;
    m_anchor = anchor;
    rebuildMenu();
}

void TMRUFiles::setMaxEntries(int maxEntries) {
    m_maxEntries = std::max(maxEntries, 0);
    while (m_entries.size() > m_maxEntries)
        m_entries.removeLast();
    rebuildMenu();
}

void TMRUFiles::setFullPath(bool fullPath) {
    m_fullPath = fullPath;
    rebuildMenu();
}

void TMRUFiles::setNumbered(bool numbered) {
    m_numbered = numbered;
    rebuildMenu();
}

void TMRUFiles::setHint(const QString& hint) {
    m_hint = hint;
    rebuildMenu();
}

qsizetype TMRUFiles::indexOf(const QString& path) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].compare(path, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TMRUFiles::AddFile(const QString& path) {
    if (path.isEmpty())
        return;
    if (const qsizetype i = indexOf(path); i >= 0)
        m_entries.removeAt(i);
    while (m_maxEntries > 0 && m_entries.size() >= m_maxEntries)
        m_entries.removeAt(m_maxEntries - 1);
    m_entries.prepend(path);
    rebuildMenu();
}

void TMRUFiles::RemoveFile(const QString& path) {
    if (path.isEmpty())
        return;
    if (const qsizetype i = indexOf(path); i >= 0) {
        m_entries.removeAt(i);
        rebuildMenu();
    }
}

void TMRUFiles::LoadFromIni(const QString& iniPath, const QString& section) {
    m_entries.clear();
    const IniFile file(iniPath);
    for (int i = 1; i <= m_maxEntries; ++i) {
        const QString value = file.readString(section, m_prefix + QString::number(i));
        if (value.isEmpty())
            break;
        if (indexOf(value) < 0)
            m_entries << value;
    }
    rebuildMenu();
}

bool TMRUFiles::SaveToIni(const QString& iniPath, const QString& section) const {
    IniFile file(iniPath);
    file.eraseSection(section);
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        file.writeString(section, m_prefix + QString::number(i + 1), m_entries[i]);
    return file.save();
}

QString TMRUFiles::captionOf(int index) const {
    QString text = m_fullPath ? m_entries[index] : QFileInfo(m_entries[index]).fileName();
    text.replace(u'&', QStringLiteral("&&"));
    if (!m_numbered)
        return text;
    const int position = index + 1;
    return position < 10 ? QStringLiteral("&%1 %2").arg(position).arg(text)
                         : QStringLiteral("  %1").arg(text);
}

void TMRUFiles::rebuildMenu() {
    if (!m_menu || !m_anchor)
        return;
    for (QAction* action : std::as_const(m_inserted)) {
        m_menu->removeAction(action);
        delete action;
    }
    m_inserted.clear();

    // Qt inserts before an item, so the entries go in front of whatever follows the anchor.
    const QList<QAction*> actions = m_menu->actions();
    const qsizetype anchorAt = actions.indexOf(m_anchor);
    QAction* before =
        (anchorAt >= 0 && anchorAt + 1 < actions.size()) ? actions[anchorAt + 1] : nullptr;
    if (!m_entries.isEmpty()) {
        QAction* separator = new QAction(m_menu);
        separator->setSeparator(true);
        m_menu->insertAction(before, separator);
        m_inserted << separator;
    }
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        QAction* item = new QAction(captionOf(static_cast<int>(i)), m_menu);
        item->setObjectName(QStringLiteral("mruEntry%1").arg(i + 1));
        if (!m_hint.isEmpty())
            item->setStatusTip(m_hint.arg(m_entries[i]));
        const QString path = m_entries[i];
        connect(item, &QAction::triggered, this, [this, path] { Q_EMIT clicked(path); });
        m_menu->insertAction(before, item);
        m_inserted << item;
    }
}
