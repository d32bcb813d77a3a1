#include "maintain/win_support.h"

#include "ui/application.h"
#include "ui/wide.h"

namespace maintain {

std::string SelectedLabel(ui::ListView& list, bool& any) {
  ui::ListItem* item = list.Selected();
  any = item != nullptr;
  return item ? item->Caption() : std::string();
}

}  // namespace maintain
