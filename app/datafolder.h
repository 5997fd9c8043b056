#pragma once
// Where the viewer's own data lives: the help manuals (man/) and the custom logo file.

#include <QString>

// The data folder, without a trailing separator, or an empty string when none exists.
// On Windows it is "c:\holvarin". Elsewhere $HOLVARIN_HOME when set (even if it does not
// exist, so a user can point the viewer at a folder of their own); otherwise the first
// existing "holvarin" folder of the XDG data folders, $XDG_DATA_HOME before $XDG_DATA_DIRS.
QString datafolder();

// A file below the data folder ("man/vorlix_manual.htm"); empty when there is no data folder.
QString datafile(const QString& relative);
