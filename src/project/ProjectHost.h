#pragma once

#include <QString>

class TKerfa;

// What project storage asks of the main window while it loads, saves and closes projects.
class ProjectHost {
public:
    virtual ~ProjectHost() = default;
    // A load begins: the main window shows itself and the splash picture goes.
    virtual void prepareForLoad() = 0;
    virtual void SizeWorkspace() = 0;
    virtual void RefreshWindow() = 0;
    // A sheet read from disk gets the desk's handlers, its popup menu and its hint.
    virtual void WireSheetEvents(TKerfa* sheet) = 0;
    // A project was read: it joins the recent files and the compilation list starts empty.
    virtual void projectLoaded(const QString& path) = 0;
    // The project was closed: the compilation list starts empty.
    virtual void projectClosed() = 0;
};
