#include "project/DayLog.h"

#include "common/FileReader.h"
#include "common/FileWriter.h"

#include <QMap>

namespace {

// Years of daily use are a few thousand lines; anything much larger is not a day log.
constexpr std::uint64_t kMaxBytes = 4 * 1024 * 1024;

bool readCount(const QByteArray& text, qint64& count) {
    bool ok = false;
    count = text.toLongLong(&ok);
    return ok && count >= 0;
}

} // namespace

void DayLog::load() {
    m_days.clear();
    if (m_path.isEmpty())
        return;
    FileReader::Limits limits;
    limits.maxBytes = kMaxBytes;
    limits.links = FileReader::Links::Refuse;
    parse(FileReader::read(m_path, limits));
}

void DayLog::parse(const QByteArray& bytes) {
    // By date, a later line for the same day replacing an earlier one.
    QMap<QDate, Day> days;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() != 3)
            continue;
        Day day;
        day.date = QDate::fromString(QString::fromLatin1(fields[0]), Qt::ISODate);
        if (!day.date.isValid() || !readCount(fields[1], day.first) ||
            !readCount(fields[2], day.last))
            continue;
        days.insert(day.date, day);
    }
    m_days = days.values();
}

QByteArray DayLog::serialize() const {
    QByteArray bytes = "# Words in the book: the date, the first count of the day, the last\r\n";
    for (const Day& day : m_days)
        bytes += day.date.toString(Qt::ISODate).toLatin1() + ' ' + QByteArray::number(day.first) +
                 ' ' + QByteArray::number(day.last) + "\r\n";
    return bytes;
}

bool DayLog::save() const {
    return !m_path.isEmpty() && FileWriter::write(m_path, serialize());
}

QDate DayLog::effectiveDate(QDate today) const {
    if (!m_days.isEmpty() && (!today.isValid() || today < m_days.last().date))
        return m_days.last().date;
    return today;
}

void DayLog::recordOpen(QDate today, qint64 count) {
    const QDate date = effectiveDate(today);
    if (!m_days.isEmpty() && m_days.last().date == date)
        m_days.last().last = count;
    else
        m_days.append({date, count, count});
}

void DayLog::recordCount(QDate today, qint64 count) {
    const QDate date = effectiveDate(today);
    if (m_days.isEmpty())
        m_days.append({date, count, count});
    else if (m_days.last().date == date)
        m_days.last().last = count;
    else
        m_days.append({date, m_days.last().last, count});
}

qint64 DayLog::writtenToday(QDate today) const {
    if (m_days.isEmpty() || m_days.last().date != effectiveDate(today))
        return 0;
    return m_days.last().written();
}

QList<DayLog::Day> DayLog::lastDays(QDate today, int count) const {
    const QDate end = effectiveDate(today);
    QList<Day> result;
    for (int back = std::max(0, count) - 1; back >= 0; --back)
        result.append({end.addDays(-back), 0, 0});
    // The log is in date order: only its last days can fall in the range.
    for (qsizetype i = m_days.size() - 1; i >= 0 && !result.isEmpty(); --i) {
        const qint64 offset = result.first().date.daysTo(m_days[i].date);
        if (offset < 0)
            break;
        if (offset < result.size())
            result[offset] = m_days[i];
    }
    return result;
}
