#include "compile/CompilationList.h"

#include "common/AsciiCase.h"

CompilationList::CompilationList(QObject* parent) : QAbstractListModel(parent) {}

qsizetype CompilationList::indexOf(const QString& name) const {
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (AsciiCase::equal(m_names[i], name))
            return i;
    return -1;
}

bool CompilationList::contains(const QString& name) const {
    return m_folded.contains(AsciiCase::lower(name));
}

bool CompilationList::add(const QString& name) {
    if (contains(name))
        return false;
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_names.append(name);
    ++m_folded[AsciiCase::lower(name)];
    endInsertRows();
    return true;
}

void CompilationList::forget(const QString& name) {
    const auto it = m_folded.find(AsciiCase::lower(name));
    if (it != m_folded.end() && --*it == 0)
        m_folded.erase(it);
}

void CompilationList::removeAt(int row) {
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    forget(m_names[row]);
    m_names.removeAt(row);
    endRemoveRows();
}

void CompilationList::remove(const QString& name) {
    removeAt(static_cast<int>(indexOf(name)));
}

void CompilationList::rename(const QString& oldName, const QString& newName) {
    for (int row = 0; row < rowCount(); ++row) {
        if (m_names[row] != oldName)
            continue;
        forget(oldName);
        m_names[row] = newName;
        ++m_folded[AsciiCase::lower(newName)];
        Q_EMIT dataChanged(index(row), index(row));
    }
}

void CompilationList::clear() {
    if (m_names.isEmpty())
        return;
    beginResetModel();
    m_names.clear();
    m_folded.clear();
    endResetModel();
}

void CompilationList::move(int from, int to) {
    const int count = rowCount();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    // The model's move names the row the entry goes before, one further on when moving down.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    m_names.move(from, to);
    endMoveRows();
}

int CompilationList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant CompilationList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    return m_names[index.row()];
}
