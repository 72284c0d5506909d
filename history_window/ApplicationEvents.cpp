#include "history_window/ApplicationEvents.h"

#include "ui/Error.h"

ApplicationEvents::ApplicationEvents() : application_(ui::Application::Current()) {
    if (application_ == nullptr) {
        throw ui::Error("the message hook needs a running application");
    }
    application_->onMessage = [this](MSG& message, bool& handled) {
        if (onMessage) {
            onMessage(message, handled);
        }
    };
}

ApplicationEvents::~ApplicationEvents() {
    if (ui::Application::Current() == application_) {
        application_->onMessage = nullptr;
    }
}
