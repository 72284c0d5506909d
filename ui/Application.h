// The application object: OLE on the user-interface thread, the title, the main form, the
// message loop with its hook, and the default error report. One per process.
#pragma once

#include "ui/Form.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace ui {

// The keys of an in-place active object (the web browser): the loop offers it each message
// that the OnMessage hook lets through. True when it took the message, which is then neither
// translated nor dispatched.
using AcceleratorTranslator = std::function<bool(MSG& message)>;

// OleInitialize for the calling thread, undone when the guard goes.
class OleInitialization {
  public:
    OleInitialization();
    OleInitialization(const OleInitialization&) = delete;
    OleInitialization& operator=(const OleInitialization&) = delete;
    ~OleInitialization();
};

// Shows a modal message box; returns the button pressed (IDOK, IDCANCEL, ...).
using MessageBoxFunction = std::function<int(HWND owner, const std::wstring& text,
                                             const std::wstring& caption, UINT flags)>;

// The ShowWindow command for the main form, from the show state the starting program asked
// for: maximised stays maximised, minimised without activation stays so, all else is normal.
int MainFormShowCommand(int requested);
// The show state the starting program asked for (STARTUPINFO), or SW_SHOWDEFAULT.
int RequestedShowCommand();

class Application {
  public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // The application of this process, or null.
    static Application* Current() noexcept;

    // Start-up, run and end in one: initialises OLE, runs startUp (title, forms), shows the
    // main form with the requested show state and runs the loop until the main form is
    // closed; then the main form is destroyed and OLE shut down. An error escaping start-up
    // is shown by ShowError and gives 1; otherwise the result is the loop's exit code (0).
    int Execute(const std::function<void(Application&)>& startUp);

    // The application's name, the caption of its error boxes. There is no hidden application
    // window: the task bar shows the main form's own button with the form's caption.
    void SetTitle(std::wstring title);
    const std::wstring& Title() const noexcept { return title_; }
    // The icon resource "MAINICON" of the executable, or null when there is none. Every form
    // shows it.
    HICON Icon() const noexcept { return icon_.Get(); }
    HICON SmallIcon() const noexcept { return smallIcon_.Get(); }

    // Constructs the main form, owned here, and creates its window; closing it ends the loop.
    // There is one main form: a second call throws ui::Error.
    template <typename F, typename... Args>
    F& CreateForm(Args&&... args) {
        auto form = std::make_unique<F>(std::forward<Args>(args)...);
        F& created = *form;
        AdoptForm(std::move(form));
        return created;
    }
    Form* MainForm() const noexcept { return mainForm_.get(); }
    // Called by a form whose window has gone: the main form's end posts the loop's quit.
    void FormDestroyed(const Form& form) noexcept;

    // Shows the main form and processes messages until WM_QUIT; returns its exit code.
    int Run();
    // Processes every message queued now, as the loop does, and returns.
    void ProcessMessages();

    // Sees each queued message before translation and dispatch; setting handled drops it.
    std::function<void(MSG& message, bool& handled)> onMessage;

    // The browser host's translator; an empty function removes it.
    void SetAcceleratorTranslator(AcceleratorTranslator translator) {
        translator_ = std::move(translator);
    }

    // Every modal message box of the program, owned by the main window.
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags);
    // Replaces the box (tests only); an empty function restores the system's.
    void SetMessageBoxFunction(MessageBoxFunction function);

    // The default error report: an error box with the title as caption and what() (GBK) as
    // text.
    void ShowError(const std::exception& error) noexcept;

  private:
    void AdoptForm(std::unique_ptr<Form> form);
    // Hook, in-place active object, access keys, Tab; false when the message was taken.
    bool PreprocessMessage(MSG& message);
    void ProcessMessage(MSG& message);

    std::wstring title_;
    UniqueIcon icon_;
    UniqueIcon smallIcon_;
    std::unique_ptr<OleInitialization> ole_;
    std::unique_ptr<Form> mainForm_;
    AcceleratorTranslator translator_;
    MessageBoxFunction messageBox_;
};

// Reports an exception that reached a window procedure: through the application when there
// is one, else in a plain system box. Never throws.
void ReportException(std::exception_ptr error) noexcept;

}  // namespace ui
