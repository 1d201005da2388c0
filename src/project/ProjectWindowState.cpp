#include "project/ProjectWindowState.h"

#include "project/ProjectNames.h"
#include "project/ProjectState.h"

namespace {

constexpr qsizetype kCaptionNameLength = 50;

} // namespace

ProjectWindowState ProjectWindowState::of(const ProjectState& project, bool themeLoaded,
                                          bool deskHasSheets) {
    const bool unnamed = project.isUnnamed();
    ProjectWindowState state;
    state.caption = captionOf(project, themeLoaded);
    state.newProject = !(project.freshStart && !project.modified);
    state.save = project.modified && !unnamed;
    state.saveAs = unnamed;
    state.backup = !unnamed;
    state.tools = !unnamed && deskHasSheets;
    return state;
}

QString ProjectWindowState::captionOf(const ProjectState& project, bool themeLoaded) {
    QString name = ProjectNames::stem(project.projectFileName);
    if (name.size() > kCaptionNameLength)
        name = name.left(kCaptionNameLength) + QStringLiteral("...");
    QString caption;
    if (themeLoaded) {
        const QString& theme = project.projectTheme;
        const qsizetype dot = theme.indexOf(u'.');
        caption = QStringLiteral("Kerfa ") + (dot < 0 ? theme : theme.left(dot)) +
                  QStringLiteral(": '") + name + u'\'';
    } else {
        caption = QStringLiteral("Kerfa Book: '") + name + u'\'';
    }
    if (project.modified && !caption.contains(QLatin1String(" *")))
        caption += QStringLiteral(" *");
    return caption;
}
