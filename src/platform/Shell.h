#pragma once

#include <QStringList>

#include <functional>

// Hands folders and files to the desktop (the file browser, the web browser). Tests install a
// stand-in that records the request instead of launching anything.
class Shell {
public:
    virtual ~Shell() = default;
    // Shows the folder in the desktop's file browser. `failed` is called when nothing could show
    // it: at once, or once the desktop's opener has given up (it runs in the background).
    virtual void openFolder(const QString& path, std::function<void()> failed) = 0;
    // Runs a desktop tool in the background, unwaited, when it is installed (the caches of
    // file types and desktop entries are refreshed this way).
    virtual void startTool(const QString& tool, const QStringList& arguments) = 0;

    static Shell& current();
    static void install(Shell* shell);
};

class DesktopShell : public Shell {
public:
    void openFolder(const QString& path, std::function<void()> failed) override;
    void startTool(const QString& tool, const QStringList& arguments) override;
};
