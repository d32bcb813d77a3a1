// TfrmMemo: the dialog in which a snapshot's memo is read and changed.
#pragma once

#include "ui/form.h"
#include "ui/std_controls.h"

namespace maintain {

class TfrmMemo : public ui::Form {
 public:
  TfrmMemo();
  // Hooks (the skin's frame) see the window while its controls are whole.
  ~TfrmMemo() override { AnnounceDestroying(); }

  // At most 200 GBK bytes: typing and pasting stop there.
  ui::Memo Memo1{this};
  ui::Button BtnSave{this, "保存"};
  ui::Button BtnExit{this, "退出"};

  void Memo1Change();
};

}  // namespace maintain
