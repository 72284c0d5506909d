// The application-wide message hook as a component of the window: while it lives, every
// message that the application's loop takes from the queue passes its onMessage first.
#pragma once

#include "ui/Application.h"

#include <functional>

class ApplicationEvents {
  public:
    // Hooks into the running application's message loop.
    ApplicationEvents();
    ~ApplicationEvents();
    ApplicationEvents(const ApplicationEvents&) = delete;
    ApplicationEvents& operator=(const ApplicationEvents&) = delete;

    // Sees each queued message before translation and dispatch; setting handled drops it.
    std::function<void(MSG& message, bool& handled)> onMessage;

  private:
    ui::Application* application_;
};
