#include "project/SheetReading.h"

#include "common/IniFile.h"
#include "project/ProjectNames.h"
#include "project/ProjectStorage.h"
#include "themes/ThemeData.h"

#include <utility>

SheetReading::SheetReading(QString sheetFolder) : m_folder(std::move(sheetFolder)) {
    if (!m_folder.isEmpty() && !m_folder.endsWith(u'/'))
        m_folder += u'/';
}

SheetReading::~SheetReading() {
    m_stop = true;
    if (m_helper.joinable())
        m_helper.join();
}

void SheetReading::startHelper(std::function<void()> first) {
    if (m_helper.joinable())
        return;
    m_helper = std::thread([this, first = std::move(first)] {
        if (first)
            first();
        list();
        bool firstFile = true;
        while (!m_stop.load(std::memory_order_relaxed) && readNext({}, firstFile)) {
        }
    });
}

void SheetReading::list() {
    std::call_once(m_listed, [this] {
        m_files = ProjectStorage::sheetFileNames(m_folder);
        const auto n = static_cast<std::size_t>(m_files.size());
        m_records.resize(n);
        m_outcomes = std::make_unique<std::atomic<Outcome>[]>(n);
    });
}

bool SheetReading::readNext(const Progress& progress, bool& first) {
    const std::size_t i = m_next.fetch_add(1);
    if (i >= m_records.size())
        return false;
    if (progress && !std::exchange(first, false))
        progress(m_done.load(), m_files.size());
    const Outcome outcome = readSheet(m_files.at(static_cast<qsizetype>(i)), m_records[i]);
    m_done.fetch_add(1);
    m_outcomes[i].store(outcome, std::memory_order_release);
    m_outcomes[i].notify_all();
    return true;
}

void SheetReading::deliver(const Take& take, const Progress& progress) {
    list();
    const std::size_t n = m_records.size();
    if (progress && n > 0)
        progress(m_done.load(), m_files.size());
    if (m_files.size() >= kReadInTwoFrom)
        startHelper();
    bool first = true;
    for (std::size_t next = 0; next < n;) {
        const Outcome outcome = m_outcomes[next].load(std::memory_order_acquire);
        if (outcome == Outcome::Pending) {
            // Every file taken is read to its end by the thread that took it, so the wait ends.
            if (!readNext(progress, first))
                m_outcomes[next].wait(Outcome::Pending, std::memory_order_acquire);
            continue;
        }
        if (outcome == Outcome::Kept)
            take(std::move(m_records[next]));
        else if (outcome == Outcome::Unreadable)
            m_unreadable.append(m_files.at(static_cast<qsizetype>(next)));
        ++next;
    }
    if (m_helper.joinable())
        m_helper.join();
}

QList<SheetRecord> SheetReading::finish(const Progress& progress) {
    list();
    QList<SheetRecord> records;
    records.reserve(m_files.size());
    deliver([&](SheetRecord&& record) { records.append(std::move(record)); }, progress);
    return records;
}

SheetReading::Outcome SheetReading::readSheet(const QString& file, SheetRecord& record) const {
    const QString name = file.chopped(ProjectNames::sheetExtension().size());
    if (name.size() > ProjectNames::kMaxSheetName)
        return Outcome::Skipped;
    FileReader::Status status = FileReader::Status::Failed;
    const IniFile sheetFile(m_folder + file, status);
    if (status != FileReader::Status::Ok)
        return Outcome::Unreadable;
    record = SheetRecord::read(sheetFile);
    if (record.state < 0 || record.state >= ThemeData::kStates)
        return Outcome::Unreadable;
    record.name = name;
    return Outcome::Kept;
}
