#pragma once

#include <QByteArrayView>

// Where a writer's bytes go. Every write either stores all of its bytes or
// throws StreamError("Stream write error"); a writer never has to look at
// how much was stored.
class OutputStream {
public:
  virtual ~OutputStream() = default;

  // Stores all of `bytes`; throws StreamError("Stream write error").
  virtual void write(QByteArrayView bytes) = 0;
  // Hands buffered bytes on to their destination; throws StreamError("Stream
  // write error") when they were not all stored.
  virtual void flush() = 0;
};

// Raises StreamError("Stream write error").
[[noreturn]] void raiseStreamWriteError();
