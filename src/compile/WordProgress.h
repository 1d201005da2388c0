#pragma once

#include "project/DayLog.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

class Desk;
class EditorRegistry;
class TKerfa;
class TfmEditor;
struct ProjectState;

// The words of the book as the writer works: every sheet's count, the sums of chains that have a
// target, and the words written today, which the day log in the project folder keeps day by day.
//
// Opening a book costs nothing here: the text files are counted on a thread of their own once
// the load is over, and the figures follow when they are in. The day log is written only once
// the book's words change, so a book opened and closed unchanged is left as it was. From then on a
// sheet with an open editor counts from the window's text as it is typed (a moment after the
// typing, not at every key), and any other from its file. The book is every sheet but the
// Compilation sheet, whose text is the other sheets' again. Chains are summed only where a chain
// has a target.
class WordProgress : public QObject {
    Q_OBJECT
public:
    // How long typing rests before an open editor's words are counted again.
    static constexpr int kLiveDelayMs = 1000;

    WordProgress(Desk& desk, const EditorRegistry& editors, const ProjectState& project,
                 QObject* parent = nullptr);
    ~WordProgress() override;

    // For tests: the date that counts as today.
    void setClock(std::function<QDate()> today) { m_today = std::move(today); }
    QDate today() const { return m_today(); }

    // The project's files are counted in the background, and the day log read; refresh does this
    // by itself for a project on disk that has not been counted.
    void projectOpened();
    // The project went, or another is about to be loaded: nothing is counted, and the day log
    // is not touched, until the next one.
    void projectClosed();
    // Counts what changed (editors typed in, sheets made or removed, links and targets changed),
    // updates the sheets' bars, the editors' status and the day log. Asked for many times, done
    // once, when control returns to the event loop.
    void scheduleRefresh();
    void refresh();

    // Whether the book has been counted since it was opened.
    bool isCounted() const { return m_counted; }
    qint64 bookWords() const { return m_bookWords; }
    qint64 writtenToday() const;
    const DayLog& dayLog() const { return m_log; }

    // The status text of a sheet's editor: its target, and its chain's.
    QString targetStatus(TKerfa* sheet) const;

Q_SIGNALS:
    // The book was counted again.
    void counted();

private:
    void editorAttached(TKerfa* sheet, TfmEditor* editor);
    void editorClosed(TKerfa* sheet);
    void sheetRemoving(TKerfa* sheet);
    void liveCount();
    void filesCounted(int generation, const QHash<QString, qint64>& counts);
    void updateChains();
    void updateEditors();
    void recordBook();

    Desk& m_desk;
    const EditorRegistry& m_editors;
    const ProjectState& m_project;
    std::function<QDate()> m_today = [] {
        return QDate::currentDate();
    };
    DayLog m_log;
    QThreadPool m_pool;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    int m_generation = 0;
    bool m_counting = false;
    bool m_counted = false;
    qint64 m_bookWords = 0;
    // The day log could not be written last time: the writer was told, and is not told again
    // at every count until a save of it works.
    bool m_logNotSaved = false;
    // Sheets whose editor text changed since their last count.
    QSet<TKerfa*> m_typedIn;
    QTimer m_liveTimer;
    QTimer m_refreshTimer;
};
