#pragma once

#include <QStringList>

// Hands folders and files to the desktop (the file browser, the web browser). Tests install a
// stand-in that records the request instead of launching anything.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openFolder(const QString& path) = 0;
    // Runs a desktop tool in the background, unwaited, when it is installed (the caches of
    // file types and desktop entries are refreshed this way).
    virtual void startTool(const QString& tool, const QStringList& arguments) = 0;

    static Shell& current();
    static void install(Shell* shell);
};

class DesktopShell : public Shell {
public:
    bool openFolder(const QString& path) override;
    void startTool(const QString& tool, const QStringList& arguments) override;
};
