// TSkinManage: the one skin manager of the process. A thread hook shows it
// every window's creation, activation and destruction; it decides whether
// and with which skin component a top-level window is skinned, attaches a
// skinned frame to it and a handler to each popup menu, and carries out
// the components' requests (switch on, switch off, new skin) 250 ms after
// the last one, so that quick choices collapse into the last.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win_gdi.h"
#include "skin/model/skin_manager_link.h"

namespace ui {
class Form;
class Timer;
}  // namespace ui

namespace skin {

class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;

class TSkinManage final : public SkinManagerLink {
 public:
  TSkinManage();
  ~TSkinManage() override;

  // Installs the factory through which the first skin component makes the
  // manager (the program entry and the Windows tests call it).
  static void InstallFactory();
  // The manager, when one was made.
  static TSkinManage* Instance();

  void Register(TSkinData& data) override;
  void Unregister(TSkinData& data) override;
  void Request(SkinRequest kind) override;
  void SkinChanged(TSkinData& data) override;

  // The component that serves a window, or null.
  TSkinData* ServingData(HWND window) const;
  // Whether windows of the class may be skinned at all.
  bool MaySkinClass(const std::string& className) const;
  // Skins the top-level window when it qualifies (activation, requests).
  void SkinWindow(HWND window);
  // Carries out the pending request now (the timer's work).
  void RunPendingRequest();

  // What the manager holds, for its users and tests.
  bool Active() const { return active_; }
  bool Started() const { return started_; }
  int PendingRequest() const { return pending_; }
  const std::vector<TSkinData*>& Components() const { return components_; }
  const std::vector<std::unique_ptr<TWinSkinForm>>& Frames() const { return frames_; }
  TWinSkinForm* FrameOf(HWND window) const;
  size_t PopupHandlerCount() const { return popups_.size(); }
  bool PopupOpen() const { return popupOpen_; }
  // Forgets the first activation, so that the next requests only set the
  // switch again (tests that start with a fresh program).
  void ResetStarted() { started_ = false; }

  // The form of the application whose window this is, or null.
  static ui::Form* FormOf(HWND window);
  static std::string ClassNameOf(HWND window);

 private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
  bool OnCbt(int code, WPARAM wParam, LPARAM lParam);
  void SkinWindowNow(HWND window);
  void SkinPopupMenu(HWND window);
  void WindowDestroyed(HWND window);
  void Activate();
  void Deactivate();
  void ApplyNewSkin();
  const TSkinData* FirstMainComponent() const;
  // Takes the frame out of the list (null when it is no longer there).
  std::unique_ptr<TWinSkinForm> TakeFrame(const TWinSkinForm* frame);
  // The frames as they are now: what the loops over them visit, so that a
  // window activated meanwhile (its frame appended) changes nothing here.
  std::vector<TWinSkinForm*> FrameList() const;

  std::vector<std::unique_ptr<TWinSkinForm>> frames_;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> popups_;
  std::vector<TSkinData*> components_;
  std::vector<HWND> attaching_;  // windows whose frame is being attached
  bool active_ = false;
  bool includeMdiChildren_ = false;
  bool started_ = false;
  bool popupOpen_ = false;
  int pending_ = 0;
  bool newSkinPending_ = false;  // a new skin came while a switch waited
  TSkinData* announcing_ = nullptr;
  std::unique_ptr<ui::Timer> timer_;
  gdi::Hook hook_;
};

}  // namespace skin
