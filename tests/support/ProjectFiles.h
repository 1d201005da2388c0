#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Writing and reading back the files of a project in tests.
namespace ProjectFiles {

bool write(const QString& path, const QByteArray& bytes);
QByteArray read(const QString& path);
// Every file below a folder with its contents, by path relative to the folder.
QMap<QString, QByteArray> snapshot(const QString& folder);
// A sheet file's text with the given keys.
QByteArray sheet(int type, int state, int left, int top, const QString& description = {},
                 const QString& linkTo = {});

} // namespace ProjectFiles
