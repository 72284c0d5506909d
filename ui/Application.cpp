#include "ui/Application.h"

#include "ui/Error.h"

#include "platform/win32/WideText.h"

#include <ole2.h>

#include <cwctype>

namespace ui {

namespace {

Application* current = nullptr;

HICON LoadApplicationIcon(int sizeMetric) {
    const int size = ::GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                           size, size, LR_DEFAULTCOLOR));
}

// No loop ran to take the quit that the main form's end has posted: no later loop of the
// thread may find it.
void DiscardQuit() noexcept {
    MSG quit{};
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void ShowInSystemBox(const char* text) noexcept {
    try {
        ::MessageBoxW(nullptr, platform::win32::Widen(text).c_str(), L"", MB_OK | MB_ICONERROR);
    } catch (...) {
        ::MessageBoxW(nullptr, L"Out of memory", L"", MB_OK | MB_ICONERROR);
    }
}

}  // namespace

OleInitialization::OleInitialization() {
    ThrowIfFailed(::OleInitialize(nullptr), "OleInitialize");
}

OleInitialization::~OleInitialization() {
    ::OleUninitialize();
}

int MainFormShowCommand(int requested) {
    switch (requested) {
        case SW_SHOWMAXIMIZED:
            return SW_SHOWMAXIMIZED;
        case SW_SHOWMINNOACTIVE:
            return SW_SHOWMINNOACTIVE;
        default:
            return SW_SHOWNORMAL;
    }
}

int RequestedShowCommand() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

Application::Application()
    : icon_(LoadApplicationIcon(SM_CXICON)), smallIcon_(LoadApplicationIcon(SM_CXSMICON)) {
    if (current != nullptr) {
        throw Error("There is one application per process");
    }
    current = this;
}

Application::~Application() {
    // The main form goes first, with its handlers, while OLE still runs.
    if (mainForm_) {
        mainForm_->Destroy();
        mainForm_.reset();
        DiscardQuit();
    }
    ole_.reset();
    current = nullptr;
}

Application* Application::Current() noexcept {
    return current;
}

int Application::Execute(const std::function<void(Application&)>& startUp) {
    try {
        ole_ = std::make_unique<OleInitialization>();
        startUp(*this);
        if (!mainForm_) {
            throw Error("The application has no main form");
        }
    } catch (...) {
        ReportException(std::current_exception());
        if (mainForm_) {
            mainForm_->Destroy();
            mainForm_.reset();
            DiscardQuit();
        }
        ole_.reset();
        return 1;
    }
    const int exitCode = Run();
    mainForm_->Destroy();
    mainForm_.reset();
    ole_.reset();
    return exitCode;
}

void Application::SetTitle(std::wstring title) {
    title_ = std::move(title);
}

void Application::AdoptForm(std::unique_ptr<Form> form) {
    if (mainForm_) {
        throw Error("The application has a main form already");
    }
    mainForm_ = std::move(form);
    mainForm_->Create();
}

int Application::Run() {
    if (!mainForm_) {
        throw Error("Application::Run needs a main form");
    }
    try {
        mainForm_->Show(MainFormShowCommand(RequestedShowCommand()));
    } catch (...) {
        ReportException(std::current_exception());
    }
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        ThrowLastErrorIf(got == -1, "GetMessage");
        ProcessMessage(message);
    }
}

void Application::FormDestroyed(const Form& form) noexcept {
    if (&form == mainForm_.get()) {
        ::PostQuitMessage(0);
    }
}

void Application::ProcessMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave it for the loop that is waiting for it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ProcessMessage(message);
    }
}

void Application::ProcessMessage(MSG& message) {
    try {
        if (PreprocessMessage(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    } catch (...) {
        ReportException(std::current_exception());
    }
}

bool Application::PreprocessMessage(MSG& message) {
    bool handled = false;
    if (onMessage) {
        onMessage(message, handled);
    }
    if (handled) {
        return false;
    }
    if (translator_ && translator_(message)) {
        return false;
    }
    // Alt+letter arrives as WM_SYSCHAR once translated; the window's tool bars look for the
    // button that carries the letter, wherever the focus is in that window.
    if (message.message == WM_SYSCHAR) {
        Control* window = Control::FromHandle(::GetAncestor(message.hwnd, GA_ROOT));
        if (window != nullptr && window->HandleAccessKey(static_cast<wchar_t>(
                                     std::towupper(static_cast<wint_t>(message.wParam))))) {
            return false;
        }
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
        (::GetKeyState(VK_CONTROL) & 0x8000) == 0 && (::GetKeyState(VK_MENU) & 0x8000) == 0) {
        auto* form = dynamic_cast<Form*>(Control::FromHandle(::GetAncestor(message.hwnd, GA_ROOT)));
        if (form != nullptr && form->SelectNextControl((::GetKeyState(VK_SHIFT) & 0x8000) == 0)) {
            return false;
        }
    }
    return true;
}

int Application::ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    HWND owner = mainForm_ && mainForm_->IsCreated() ? mainForm_->Handle() : nullptr;
    if (messageBox_) {
        return messageBox_(owner, text, caption, flags);
    }
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void Application::SetMessageBoxFunction(MessageBoxFunction function) {
    messageBox_ = std::move(function);
}

void Application::ShowError(const std::exception& error) noexcept {
    try {
        ShowMessageBox(platform::win32::Widen(error.what()), title_, MB_OK | MB_ICONERROR);
    } catch (...) {
        // The box itself failed: the system's own box still tells the user.
        ShowInSystemBox(error.what());
    }
}

void ReportException(std::exception_ptr error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& known) {
        if (current != nullptr) {
            current->ShowError(known);
        } else {
            ShowInSystemBox(known.what());
        }
    } catch (...) {
        const Error unknown("Unknown error");
        if (current != nullptr) {
            current->ShowError(unknown);
        } else {
            ShowInSystemBox(unknown.what());
        }
    }
}

}  // namespace ui
