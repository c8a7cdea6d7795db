#pragma once

// In a thread-sanitizer build, leaves the threads of Qt's global thread pool
// unchecked while it lives; elsewhere does nothing. Qt's raster painting and
// image conversion split large fills and images over that pool, handing
// each piece to a pool thread and back under locks inside Qt, which is not
// built for the sanitizer: every hand-over then looks like a race, in
// functions of Qt's that have no name the sanitizer could be told. Neither
// the program nor the tests run anything of their own on that pool, so what
// its threads touch is Qt's alone; what the other threads touch stays
// checked.
class QtPoolThreadsUnchecked {
public:
  QtPoolThreadsUnchecked();
  ~QtPoolThreadsUnchecked();
  QtPoolThreadsUnchecked(const QtPoolThreadsUnchecked &) = delete;
  QtPoolThreadsUnchecked &operator=(const QtPoolThreadsUnchecked &) = delete;
};
