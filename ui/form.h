// Form: a top-level window built in code, created hidden. Show, ShowModal
// with its own loop and a modal result, Close as a request that takes effect
// once the handler that is running has returned.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace ui {

class Button;
class MainMenu;

enum ModalResultCode : int {
  mrNone = 0,
  mrOk = IDOK,
  mrCancel = IDCANCEL,
  mrAbort = IDABORT,
  mrRetry = IDRETRY,
  mrIgnore = IDIGNORE,
  mrYes = IDYES,
  mrNo = IDNO,
  mrClose = 8,
};

enum BorderStyle { bsSizeable, bsDialog, bsSingle, bsSizeToolWin };
enum Position { poDesigned, poScreenCenter, poDesktopCenter, poOwnerFormCenter, poMainFormCenter };
enum CloseAction { caNone, caHide, caMinimize };

class Form : public Control {
 public:
  // className: the window class and class identity, e.g. "TfrmMain".
  explicit Form(std::string_view className = "TForm", BorderStyle border = bsSizeable);
  ~Form() override;

  // Components owned by the form, in creation order.
  const std::vector<Component*>& Components() const { return components_; }

  void SetVisible(bool on) override;
  // Shows the form modally; returns its modal result.
  int ShowModal();
  bool Modal() const { return modal_; }
  // Setting a result on a modal form ends its loop once the handler that
  // sets it has returned.
  int ModalResult = mrNone;
  // Requests closing: the form asks OnCloseQuery and closes once no handler
  // of it is running. A modal form's request is its modal result Cancel.
  void Close();
  // Asks OnCloseQuery now; true when the form may close.
  bool CloseQuery();
  // A close request is waiting for the running handler to return.
  bool CloseRequested() const { return closeRequested_; }
  // Some message of the form is being handled.
  bool Busy() const { return handlerDepth_ > 0; }

  BorderStyle GetBorderStyle() const { return border_; }
  void SetBorderStyle(BorderStyle b);
  Position position = poDesigned;
  void SetClientSize(int width, int height);
  void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
  void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
  void SetSize(int width, int height);
  // The native menu bar (optional; the main window shows its menu in a band).
  void SetMenu(MainMenu* menu);
  MainMenu* Menu() const { return menu_; }

  std::function<void()> OnCreate;
  std::function<void()> OnShow;
  std::function<void()> OnHide;
  std::function<void()> OnDestroy;
  std::function<void()> OnActivate;
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void(CloseAction& action)> OnClose;

  // Focus keys, Enter for the default button, Esc for the cancel button;
  // true when taken.
  bool DialogKey(WORD key, ShiftState shift);
  // Mnemonic characters (Alt+letter, or a letter where the focus takes no
  // characters); true when taken.
  bool DialogChar(wchar_t ch, bool alt);
  // The tooltip shows each control's hint.
  void UpdateToolTip(Control* c);
  HWND ToolTip();

  void WndProc(Message& m) override;
  // Carries out a waiting close request (called by the message loops).
  void DoClose();

 private:
  friend class Component;
  friend class Control;
  void ApplyPosition();
  // Dispatches messages until the modal result is set and the form may close.
  void RunModalLoop();
  DWORD StyleFor(BorderStyle b, DWORD* exStyle) const;

  std::vector<Component*> components_;
  BorderStyle border_;
  MainMenu* menu_ = nullptr;
  HWND tooltip_ = nullptr;
  bool modal_ = false;
  HWND savedFocus_ = nullptr;
  bool closeRequested_ = false;
  int handlerDepth_ = 0;
  std::wstring windowClass_;
};

}  // namespace ui
