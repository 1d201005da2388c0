#pragma once

class QString;

// Shows a folder in the desktop's file browser; when no program could show it, says so with the
// folder's path, so the writer can go there another way.
void exploreFolder(const QString& folder);
