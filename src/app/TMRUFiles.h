#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

// The recently opened files, newest first, shown as numbered menu entries right after an anchor
// item and kept in a section of an INI file. Paths compare without regard to letter case.
class TMRUFiles : public QObject {
    Q_OBJECT
public:
    explicit TMRUFiles(QObject* owner);

    // The anchor: entries are inserted into `menu` right after `anchor`.
    void setMenuItem(QMenu* menu, QAction* anchor);
    void setMaxEntries(int maxEntries);
    int maxEntries() const { return m_maxEntries; }
    void setFullPath(bool fullPath);
    void setNumbered(bool numbered);
    void setHint(const QString& hint);
    void setPrefix(const QString& prefix) { m_prefix = prefix; }

    const QStringList& entries() const { return m_entries; }
    void AddFile(const QString& path);
    void RemoveFile(const QString& path);
    void LoadFromIni(const QString& iniPath, const QString& section);
    // False when the file could not be written.
    bool SaveToIni(const QString& iniPath, const QString& section) const;

    // The menu caption of the entry at index.
    QString captionOf(int index) const;

Q_SIGNALS:
    // An entry was clicked.
    void clicked(const QString& fileName);

private:
    void rebuildMenu();
    qsizetype indexOf(const QString& path) const;

    QStringList m_entries;
    QMenu* m_menu = nullptr;
    QAction* m_anchor = nullptr;
    QList<QAction*> m_inserted;
    int m_maxEntries = 5;
    bool m_fullPath = false;
    bool m_numbered = true;
    QString m_hint;
    QString m_prefix;
};
