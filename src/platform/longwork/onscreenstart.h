#pragma once

#include <functional>

class QWidget;

// Runs `start`, a window's first long work (the start-up login, the first
// expansion), once `window` is on screen: not from its showEvent, which
// comes before the window system shows the window and, for a modal window,
// before its modality blocks the other windows, but from the event loop
// after the show has ended and, where the platform says so, once the window
// is exposed. Nothing runs when the window was hidden or destroyed
// meanwhile.
void startWhenOnScreen(QWidget *window, std::function<void()> start);

// True while a start waits for its window.
bool anyStartPending();
