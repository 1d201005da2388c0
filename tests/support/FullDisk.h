#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// Two ways to make a save run out of room when tests run as root and permission bits stop
// nothing. Header-only, so that every test program can use them whatever it links.

// While it lives, no file of this process may grow past `bytes`: a write past the limit fails
// with EFBIG, as a full disk fails with ENOSPC (the signal the kernel sends first is ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previous);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_previous)(int) = SIG_DFL;
};

// A small tmpfs on a temporary folder; mounted() is false where mounting is not allowed (not
// root, or a container without the right), and the tests that need it are skipped.
class SmallDisk {
public:
    explicit SmallDisk(const char* size = "512k") {
        const QByteArray options = QByteArray("size=") + size + ",mode=0755";
        m_mounted = m_dir.isValid() && ::mount("tmpfs", QFile::encodeName(m_dir.path()), "tmpfs",
                                               MS_NOSUID | MS_NODEV, options.constData()) == 0;
    }
    ~SmallDisk() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path() + u'/'; }

    // Takes every free block with one file, so that the next write needing a block fails.
    bool fill() const {
        const int fd = ::open(QFile::encodeName(path() + QStringLiteral(".filler")).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        const QByteArray block(4096, 'f');
        ssize_t n = 0;
        do
            n = ::write(fd, block.constData(), static_cast<size_t>(block.size()));
        while (n > 0);
        const bool full = n < 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
