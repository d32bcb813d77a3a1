// Resource ids of the program's pictures (see resources/icons/icons.list).
#pragma once

#define IDI_APP 1
// The 13 toolbar pictures, in the toolbar's order (ImageList1 / ImageList2).
#define IDI_TOOLBAR_FIRST 200
#define IDI_TOOLBAR_COUNT 13
// The 11 kind icons in kind order (ImgLstLarge / ImgLstSmall).
#define IDI_KIND_FIRST 300
#define IDI_KIND_COUNT 12
