#pragma once
// The icon every window of the program shows: the icon theme's "tellurin"
// when the desktop has it (the installed program), else the same pictures
// built into the program.
#include <QIcon>

QIcon ApplicationIcon();
