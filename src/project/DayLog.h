#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The book's word count day by day, kept in the project folder ("Day Log.txt"): for each day the
// book was open, its count at the first count of that day and its latest count. The words written
// on a day are the difference. One line a day, "2026-12-07 41250 42003", so the file stays small
// and readable; lines that do not read are passed over.
//
// The clock is not trusted to run forward: a date earlier than the last day logged (a clock set
// back, a trip across time zones) counts into that last day, so the log's days stay in order and
// no past day is rewritten. A day that begins while the book is open starts from the last count
// of the day before, so the words written around midnight are neither lost nor counted twice.
class DayLog {
public:
    struct Day {
        QDate date;
        qint64 first = 0;
        qint64 last = 0;
        qint64 written() const { return last - first; }
        bool operator==(const Day&) const = default;
    };

    static QString fileName() { return QStringLiteral("Day Log.txt"); }

    DayLog() = default;
    explicit DayLog(QString path) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }

    // Reads the file; a missing or unreadable one reads as an empty log.
    void load();
    // Through the program's one save path; false, the file as it was, when it cannot be written.
    bool save() const;

    // The book was opened and counted: the count starts the day unless the day already has one.
    void recordOpen(QDate today, qint64 count);
    // A later count while the book is open.
    void recordCount(QDate today, qint64 count);

    // The day counts go into: today, or the last day logged when the clock reads earlier.
    QDate effectiveDate(QDate today) const;
    // Words written on the day counts go into today; 0 before the first count.
    qint64 writtenToday(QDate today) const;
    // The words written on each of the `count` days up to the effective today, oldest first;
    // days without an entry wrote 0.
    QList<Day> lastDays(QDate today, int count) const;

    const QList<Day>& days() const { return m_days; }
    QByteArray serialize() const;
    void parse(const QByteArray& bytes);

private:
    QString m_path;
    QList<Day> m_days;
};
