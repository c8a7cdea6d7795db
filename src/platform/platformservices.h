#pragma once

#include "platform/database/dbengine.h"
#include "platform/settings/settingsstore.h"

class Clock;
class MessageBoxes;
class SaveDialog;
class Shell;

// What the windows reach outside the program through: boxes, the save
// dialog, the shell, the clock, the per-machine settings store (one store
// object per read or write) and the database engines. Not owned; the
// program gives the real ones, tests their fakes.
struct PlatformServices {
  MessageBoxes &messages;
  SaveDialog &saveDialog;
  Shell &shell;
  const Clock &clock;
  SettingsStoreFactory settingsStore;
  DbEngineFactory databaseEngines;
};
