// "更多条件": the search panel's fold-out part with the conditions on size,
// modified date, kind and snapshots. Folded away, it asks for nothing: a
// condition the user cannot see never narrows a search.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "catalog/search_conditions.h"
#include "maintain/condition_inputs.h"
#include "ui/more_controls.h"
#include "ui/std_controls.h"

namespace maintain {

class ConditionsPanel : public ui::GroupBox {
 public:
  // `selectedLabels`: the labels selected in the snapshot list, "a; b".
  ConditionsPanel(ui::Control* parent, std::function<std::string()> selectedLabels);

  // What the inputs ask for; nothing with `error` when they cannot be read.
  // Folded away: no condition at all.
  std::optional<catalog::SearchConditions> Conditions(std::string& error) const;
  ConditionInputs Inputs() const;
  void SetInputs(const ConditionInputs& in);

  ui::Edit EdtMinSize{this};
  ui::Label LblSizeTo{this, "至"};
  ui::Edit EdtMaxSize{this};
  ui::Label LblSize{this, "大小"};
  ui::ComboBoxEx CmbSizeUnit{this};
  ui::Label LblDate{this, "从"};
  ui::DatePicker DtpFrom{this};
  ui::Label LblDateTo{this, "到"};
  ui::DatePicker DtpTo{this};
  ui::Label LblKind{this, "类别"};
  ui::ComboBoxEx CmbKind{this};
  ui::Edit EdtExtensions{this};
  ui::Label LblSnapshots{this, "快照"};
  ui::ComboBoxEx CmbSnapshots{this};
  ui::Edit EdtSnapshots{this};

  static constexpr int kHeight = 150;

 private:
  void SnapshotChoiceChanged();
  std::function<std::string()> selectedLabels_;
};

}  // namespace maintain
