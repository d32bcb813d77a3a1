#include "skin/model/skin_model.h"

namespace skin {

SkinModel::SkinModel() {
  static const char* kNames[4] = {"Left", "Right", "Top", "Bottom"};
  for (int i = 0; i < 4; ++i) borders[i].name = kNames[i];
  title.name = "Title";
  buttons.name = "Buttons";
}

}  // namespace skin
