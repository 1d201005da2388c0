#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>

// The compilation list: the ordered sheet names whose descriptions and texts a compilation
// writes. The program adds no name twice (names compared without regard to the case of A-Z); the
// desk keeps it in step when sheets are renamed or deleted, and a project load, New and close
// empty it. The compilation window shows it as a list model.
class CompilationList : public QAbstractListModel {
    Q_OBJECT
public:
    explicit CompilationList(QObject* parent = nullptr);

    const QStringList& names() const { return m_names; }
    bool isEmpty() const { return m_names.isEmpty(); }
    // Whether the list holds the name, ignoring the case of A-Z.
    bool contains(const QString& name) const;

    // Appends the name unless the list holds it already; true when it was added.
    bool add(const QString& name);
    // Removes the entry at a row; rows outside the list are ignored.
    void removeAt(int row);
    // Removes the first entry equal to the name, ignoring the case of A-Z (a deleted sheet).
    void remove(const QString& name);
    // Every entry exactly equal to the old name takes the new one (a renamed sheet).
    void rename(const QString& oldName, const QString& newName);
    void clear();
    // The entry at `from` moves to row `to`, the entries between shifting by one (a drag in the
    // list, or Ctrl+Up and Ctrl+Down). Rows outside the list leave it as it is.
    void move(int from, int to);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    qsizetype indexOf(const QString& name) const;
    void forget(const QString& name);

    QStringList m_names;
    // How many entries each name has, folded: a search that adds thousands of sheets asks
    // whether each is there already.
    QHash<QString, int> m_folded;
};
