#pragma once

#include <QString>

// Nothing Kerfa reads, writes or deletes inside a book goes through a symbolic link: one would
// lead out of the book, to the writer's other files or to another user's. The book's own folder
// may be reached through links (a folder of books on another disk); what lies in it may not.
// Files of the program's own keep to the same rule.
class LinkSafe {
public:
    // True when the file or folder at path, or one of the `levels - 1` folders above it, is a
    // symbolic link: levels 2 for a text ("Text Files/<sheet>.txt"), 3 for a snapshot
    // ("Snapshots/<sheet>/<time>.txt"). A trailing "/" is no level.
    static bool crossesLink(const QString& path, int levels);

    // Removes a folder and everything in it without following a link: a link, at path or below
    // it, goes as a link and what it points at stays. A path that is missing is removed already.
    // False when anything is left.
    static bool removeTree(const QString& path);
};
