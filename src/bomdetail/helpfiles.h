#pragma once

#include <QStringList>

// The component window's help, in the order "帮助" tries them: the compiled
// help file, then its page for desktops without a viewer for it. Native
// paths into the folder hlp beside the program, so that help is found
// whatever folder the program was started from.
QStringList componentHelpFiles();
