#include "project/ProjectState.h"

#include "common/AsciiCase.h"

bool ProjectState::isUnnamed() const {
    return AsciiCase::lower(projectFileName) == QLatin1String("unnamed");
}
