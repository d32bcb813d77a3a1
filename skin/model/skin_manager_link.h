// The link between skin components and the one skin manager. The portable
// core knows the manager only through this interface; the Windows skin
// engine implements it, and the program entry installs the factory that
// makes it, so that the first skin component registered brings it up.
#pragma once

#include <functional>

namespace skin {

class TSkinData;

enum SkinRequest : int { kRequestActivate = 1, kRequestDeactivate = 2, kRequestSkinChanged = 3 };

class SkinManagerLink {
 public:
  virtual ~SkinManagerLink() = default;
  // Every component alive, in order of construction.
  virtual void Register(TSkinData& data) = 0;
  virtual void Unregister(TSkinData& data) = 0;
  virtual void Request(SkinRequest kind) = 0;
  // A new skin was loaded into `data`: the skinned windows take it over.
  virtual void SkinChanged(TSkinData& data) = 0;
};

// How the manager is made: called once, at the first registration. The
// factory keeps ownership of what it returns.
void InstallSkinManagerFactory(std::function<SkinManagerLink*()> make);
// The manager, made now when a factory is installed; null without one.
SkinManagerLink* SkinManager();

}  // namespace skin
