#include "maintain/win_support.h"

#include "ui/application.h"
#include "ui/wide.h"

namespace maintain {

std::string MainWindowLink::SelectedLabel(bool& any) const {
  ui::ListItem* item = list ? list->Selected() : nullptr;
  any = item != nullptr;
  return item ? item->Caption() : std::string();
}

int ShowBox(ui::Form* owner, std::string_view text, UINT flags) {
  return MessageBoxW(owner ? owner->Handle() : nullptr, ui::Wide(text).c_str(), ui::Wide(ui::App().Title).c_str(),
                     flags);
}

}  // namespace maintain
