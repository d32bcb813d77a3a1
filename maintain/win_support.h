// Helpers the snapshot commands share.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "browse/win_busy_cursor.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/list_view.h"

namespace maintain {

// The label of the list's selected item; `any` tells whether one is selected.
std::string SelectedLabel(ui::ListView& list, bool& any);

using browse::BusyCursor;

}  // namespace maintain
