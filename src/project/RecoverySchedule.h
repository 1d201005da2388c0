#pragma once

#include <QtGlobal>
#include <algorithm>
#include <optional>

// When an editor's unsaved text is next kept as a recovery copy: once the typing has paused for
// kQuietMs, and while it goes on without such a pause at least every kLongestMs after the first
// change not yet kept. Times are milliseconds of a steady clock. A change costs two stores, so
// that the keystroke pays nothing for it: the editor wakes when wait() says and asks again.
class RecoverySchedule {
public:
    static constexpr qint64 kQuietMs = 2000;
    static constexpr qint64 kLongestMs = 30000;

    void changed(qint64 now) {
        if (!m_pending)
            m_first = now;
        m_pending = true;
        m_last = now;
    }
    bool isPending() const { return m_pending; }
    // How long from now until the text is due: 0 when it is, none when no change waits.
    std::optional<qint64> wait(qint64 now) const {
        if (!m_pending)
            return std::nullopt;
        const qint64 due = std::min(m_last + kQuietMs, m_first + kLongestMs);
        return std::max<qint64>(0, due - now);
    }
    // The text was kept, or needs no copy (saved, thrown away): the next change starts afresh.
    void done() { m_pending = false; }

private:
    bool m_pending = false;
    qint64 m_first = 0;
    qint64 m_last = 0;
};
