// The whole form layer in one include.
#pragma once

#include "ui/application.h"
#include "ui/bars.h"
#include "ui/commands.h"
#include "ui/control.h"
#include "ui/dialogs.h"
#include "ui/font.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/image_list.h"
#include "ui/list_view.h"
#include "ui/menus.h"
#include "ui/more_controls.h"
#include "ui/std_controls.h"
#include "ui/timer.h"
#include "ui/tree_view.h"
#include "ui/wide.h"
