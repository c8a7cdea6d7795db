#pragma once

#include <QString>

// The four connection settings stored per machine.
struct DbLinkInfo {
  QString server;
  QString database;
  QString user;
  QString password;

  bool operator==(const DbLinkInfo &) const = default;
};
