// Component: anything a form owns and lists in creation order (controls,
// menus, timers, image lists). Each carries a Tag and a class identity in
// the toolkit's naming ("TButton", "TCustomListView"), so that code which
// matches controls by kind (the skin engine) can ask InheritsFrom.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Form;

class Component {
 public:
  explicit Component(Form* owner);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  // The most derived class name, e.g. "TBitBtn".
  const std::string& ClassName() const { return chain_.back(); }
  // True when the class or one of its ancestors has the name (exact case).
  bool InheritsFrom(std::string_view className) const;

  Form* Owner() const { return owner_; }

  std::string Name;
  int Tag = 0;

 protected:
  // Each constructor of the hierarchy names its class, base first.
  void DeclareClass(std::string_view className) { chain_.emplace_back(className); }

 private:
  friend class Form;
  Form* owner_;
  std::vector<std::string> chain_{"TComponent"};
};

}  // namespace ui
