#include "ui/component.h"

#include <algorithm>

#include "ui/form.h"

namespace ui {

Component::Component(Form* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

Component::~Component() {
  if (owner_) {
    auto& list = owner_->components_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

bool Component::InheritsFrom(std::string_view className) const {
  return std::find(chain_.begin(), chain_.end(), className) != chain_.end();
}

}  // namespace ui
