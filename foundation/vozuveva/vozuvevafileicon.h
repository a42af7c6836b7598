#pragma once

#include <QString>

// Giving a file a custom icon that file managers show in its place.
namespace VozuVeva {

// Sets the image of that name and type (found on the "images" search path) as the file's custom
// icon, through the desktop's file metadata ("gio set ... metadata::custom-icon"); without such an
// image the file's custom icon is removed. Answers false, after the script error lines, when gio is
// missing or the metadata cannot be written (no metadata service, no such file).
bool bindIconNamed(const QString &name, const QString &type, const QString &file);

} // namespace VozuVeva
