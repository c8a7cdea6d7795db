#pragma once

#include "export/devicestream.h"

#include <QFileDevice>
#include <QString>
#include <memory>

// The file one export is written to. Bytes go to a temporary file in the
// target's folder; only commit() puts it in the target's place, so a failed
// export leaves an existing file of that name as it was and no temporary
// file behind. The replaced file keeps the old file's permissions. A folder
// that refuses new files while the existing target may be written gets the
// bytes written into the target itself, as a plain write would: there a
// failed export leaves the target partly written. A target that is a device
// or a pipe is written directly as well: a file moved over it would replace
// the device itself. Such a target is opened without waiting: a named pipe
// that nobody reads cannot be created, at once.
class SafeFile {
public:
  // Throws StreamError("Cannot create file <fileName>") when the folder
  // cannot take the temporary file, the target cannot be replaced, or a
  // device or pipe cannot be opened now.
  explicit SafeFile(const QString &fileName);
  // Removes the temporary file unless commit() succeeded.
  ~SafeFile() = default;
  SafeFile(const SafeFile &) = delete;
  SafeFile &operator=(const SafeFile &) = delete;

  OutputStream &stream() { return m_stream; }

  // Stores the buffered bytes, closes the temporary file and moves it over
  // the target. Throws StreamError: "Stream write error" when bytes were not
  // stored, "Cannot create file <fileName>" when the target cannot be
  // replaced.
  void commit();

private:
  [[noreturn]] void raiseCannotCreate() const;

  QString m_fileName;
  std::unique_ptr<QFileDevice> m_file;
  DeviceStream m_stream;
};
