#pragma once

#include "platform/platformservices.h"

class Application;
class MessageBoxes;

// The services of this machine (its save dialog, shell, clock, settings
// store and database engines), with `messages` for the boxes.
PlatformServices machineServices(MessageBoxes &messages);

// What the program does before its first window: gives the font layer the
// screen's resolution, puts Qt's own dialogs into Chinese (when Qt's
// translations are installed) and sends every error that escapes an event
// handler, the grids' included, to the default error display through
// `messages`.
void prepareProgram(Application &application, MessageBoxes &messages);
