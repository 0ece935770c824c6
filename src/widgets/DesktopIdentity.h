#pragma once

#include <QIcon>
#include <QString>

namespace kestro {

// The id of the installed menu entry (<id>.desktop), its icon and its AppStream file.
QString DesktopId();

// Names the program to the desktop as its installed menu entry does, so that docks and task
// bars show the entry's name and icon for its windows: the desktop file's id becomes the Wayland
// app id, and every window gets the program's icon. (On X11 the windows' class is the
// application name, "Kestro", which the entry names as its StartupWMClass.)
void IdentifyToDesktop();

// The icon of the installed theme under the desktop id, or else the copy built into the program.
QIcon ProgramIcon();

} // namespace kestro
