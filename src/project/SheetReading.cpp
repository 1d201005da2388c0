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
        read({});
    });
}

void SheetReading::list() {
    std::call_once(m_listed, [this] {
        m_files = ProjectStorage::sheetFileNames(m_folder);
        m_records.resize(static_cast<std::size_t>(m_files.size()));
        m_outcomes.assign(static_cast<std::size_t>(m_files.size()), Outcome::Skipped);
    });
}

void SheetReading::read(const Progress& progress) {
    list();
    const auto n = static_cast<std::size_t>(m_files.size());
    bool first = true;
    while (!m_stop.load(std::memory_order_relaxed) && !m_refused.load(std::memory_order_relaxed)) {
        const std::size_t i = m_next.fetch_add(1);
        if (i >= n)
            break;
        // The count before this thread's first file was reported by finish().
        if (progress && !std::exchange(first, false))
            progress(m_done.load(), m_files.size());
        m_outcomes[i] = readSheet(m_files.at(static_cast<qsizetype>(i)), m_records[i]);
        if (m_outcomes[i] == Outcome::Refused)
            m_refused = true;
        m_done.fetch_add(1);
    }
}

std::optional<QList<SheetRecord>> SheetReading::finish(const Progress& progress) {
    list();
    if (progress && !m_files.isEmpty())
        progress(m_done.load(), m_files.size());
    if (m_files.size() >= kReadInTwoFrom)
        startHelper();
    read(progress);
    if (m_helper.joinable())
        m_helper.join();
    if (m_refused)
        return std::nullopt;
    QList<SheetRecord> records;
    records.reserve(m_files.size());
    for (std::size_t i = 0; i < m_records.size(); ++i)
        if (m_outcomes[i] == Outcome::Kept)
            records.append(std::move(m_records[i]));
    return records;
}

SheetReading::Outcome SheetReading::readSheet(const QString& file, SheetRecord& record) const {
    const QString name = file.chopped(ProjectNames::sheetExtension().size());
    if (name.size() > ProjectNames::kMaxSheetName)
        return Outcome::Skipped;
    record = SheetRecord::read(IniFile(m_folder + file));
    if (record.state < 0 || record.state >= ThemeData::kStates)
        return Outcome::Refused;
    record.name = name;
    return Outcome::Kept;
}
