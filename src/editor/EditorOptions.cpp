#include "editor/EditorOptions.h"

void EditorOptions::set(const EditorSettings& settings) {
    m_settings = settings;
    Q_EMIT changed();
}
