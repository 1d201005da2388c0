#pragma once

#include <QString>

// Hands folders and files to the desktop (the file browser, the web browser). Tests install a
// stand-in that records the request instead of launching anything.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openFolder(const QString& path) = 0;

    static Shell& current();
    static void install(Shell* shell);
};

class DesktopShell : public Shell {
public:
    bool openFolder(const QString& path) override;
};
