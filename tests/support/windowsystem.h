#pragma once

class QWidget;

// Asks `window` to close as the window manager does when the user clicks
// its close box (WM_DELETE_WINDOW): through the window system, so that Qt
// refuses it while a modal window blocks `window`, as it does on a desktop.
void windowManagerClose(QWidget *window);
