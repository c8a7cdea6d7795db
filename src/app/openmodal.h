#pragma once

#include <memory>
#include <utility>

// Opens a secondary window: creates it with the application as owner,
// stores it in `reference`, runs it modally and then, however the modal run
// ends (a close or an error escaping it), destroys the window and clears
// `reference`. Returns the modal result.
template <class Window, class... Args>
int OpenModal(Window *&reference, Args &&...args) {
  struct ClearReference {
    Window *&reference;
    ~ClearReference() { reference = nullptr; }
  } clear{reference};
  const std::unique_ptr<Window> window =
      std::make_unique<Window>(std::forward<Args>(args)...);
  reference = window.get();
  return window->exec();
}
