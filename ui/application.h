// The application object: title, forms in creation order and the main
// form, the hint handler, the message loop and the default error handler.
#pragma once

#include <windows.h>

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Control;
class Form;

class Application {
 public:
  Application();
  std::string Title = "Vorlune";
  // Help file path (the program sets the executable's folder + file name).
  std::string HelpFile;
  // Called each time the current hint changes.
  std::function<void()> OnHint;

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint);

  // The executable's folder with a trailing backslash; tests may point it
  // elsewhere.
  std::string ExeFolder() const;
  void SetExeFolder(std::string folder) { exeFolder_ = std::move(folder); }

  // The hidden window of class "TApplication" (timers, queued calls).
  HWND Handle();

  const std::vector<Form*>& Forms() const { return forms_; }
  // The first form created, unless set otherwise; closing it ends Run.
  Form* MainForm() const { return mainForm_; }
  void SetMainForm(Form* f) { mainForm_ = f; }
  // The visible, enabled form that is active, else the main form.
  Form* ActiveForm() const;

  // Creates a form owned by the application, destroyed by DestroyForms.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    auto form = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = form.get();
    owned_.push_back(std::move(form));
    FormCreated(raw);
    return raw;
  }
  // Fires OnDestroy of every owned form, then frees them, last first.
  void DestroyForms();

  // Dispatches every message waiting in the queue, then returns.
  void ProcessMessages();
  // Waits for one message and dispatches it; false once terminated.
  bool HandleMessage();
  // Shows the main form and runs the loop until it closes or Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Lets the loop run again after a termination, with no call left queued
  // for windows that are gone: a process that runs one main form after
  // another (the Windows test program) starts each afresh.
  void ResetForNextRun() {
    terminated_ = false;
    queued_.clear();
  }

  // Queues a call to run from the message loop (tests, deferred work).
  void Post(std::function<void()> call);

  // The default error handler: a message box with the text, a full stop
  // added when it does not end in one, the title as caption, error icon,
  // owned by the active form.
  void HandleException(const std::exception& e);
  // The same for the exception being handled now (call it only inside a
  // catch block); anything else than a std::exception shows a general text.
  void HandleCurrentException() noexcept;
  void ShowError(std::string_view text);
  static std::string WithFullStop(std::string_view text);

  // Key handling before dispatch (focus keys, Enter, Esc, mnemonics);
  // true when the message was consumed.
  bool PreTranslate(MSG& msg);
  void Dispatch(MSG& msg);

  // Bookkeeping called by Form.
  void AddForm(Form* f);
  void RemoveForm(Form* f);
  void FormCreated(Form* f);
  // Carries out close requests of forms that run no handler now.
  void ProcessCloseRequests();

 private:
  static LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);
  void RunQueued();

  std::string hint_;
  std::string exeFolder_;
  HWND handle_ = nullptr;
  std::vector<Form*> forms_;
  std::vector<std::unique_ptr<Form>> owned_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  std::deque<std::function<void()>> queued_;
};

// The one application object.
Application& App();

// Runs `call` where the system calls into the program (a window procedure,
// a hook, a timer, an enumeration callback): whatever it throws is shown by
// the application's error handler and stops there, never unwinding through
// the system's frames.
template <class F>
void Guarded(F&& call) noexcept {
  try {
    call();
  } catch (...) {
    App().HandleCurrentException();
  }
}

// The program's message box: the title as caption (or `caption`), owned by
// `owner` when one is given. Every box of the program goes
// through here. Returns the button pressed.
int ShowMessageBox(const Control* owner, std::string_view text, UINT flags, std::string_view caption = {});

}  // namespace ui
