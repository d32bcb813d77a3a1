#include "maintain/win_conditions_panel.h"

#include "catalog/file_category.h"

namespace maintain {

ConditionsPanel::ConditionsPanel(ui::Control* parent, std::function<std::string()> selectedLabels)
    : ui::GroupBox(parent, "更多条件："), selectedLabels_(std::move(selectedLabels)) {
  Name = "GrpConditions";
  // Five rows in the 169 pixels of the search panel; every field is
  // reached with Tab from the button that unfolds the panel.
  LblSize.SetBounds(6, 21, 24, 16);
  EdtMinSize.SetBounds(30, 18, 38, 21);
  LblSizeTo.SetBounds(70, 21, 12, 16);
  EdtMaxSize.SetBounds(83, 18, 38, 21);
  CmbSizeUnit.SetBounds(123, 18, 42, 200);
  for (const char* u : kSizeUnits) CmbSizeUnit.AddItem(u);
  CmbSizeUnit.SetItemIndex(2);
  LblDate.SetBounds(6, 47, 16, 16);
  DtpFrom.SetBounds(22, 44, 143, 22);
  LblDateTo.SetBounds(6, 73, 16, 16);
  DtpTo.SetBounds(22, 70, 143, 22);
  LblKind.SetBounds(6, 99, 30, 16);
  CmbKind.SetBounds(36, 96, 70, 200);
  CmbKind.AddItem("任意");
  for (int c = 0; c < catalog::kFileCategoryCount; ++c)
    CmbKind.AddItem(catalog::CategoryName(static_cast<catalog::FileCategory>(c)));
  CmbKind.SetItemIndex(0);
  EdtExtensions.SetBounds(108, 96, 57, 21);
  LblSnapshots.SetBounds(6, 125, 30, 16);
  CmbSnapshots.SetBounds(36, 122, 70, 200);
  CmbSnapshots.AddItem("全部快照");
  CmbSnapshots.AddItem("所选快照");
  CmbSnapshots.AddItem("卷标匹配");
  CmbSnapshots.SetItemIndex(0);
  CmbSnapshots.OnChange = [this] { SnapshotChoiceChanged(); };
  EdtSnapshots.SetBounds(108, 122, 57, 21);
  EdtSnapshots.SetEnabled(false);
  EdtMinSize.Name = "EdtMinSize";
  EdtMaxSize.Name = "EdtMaxSize";
  CmbSizeUnit.Name = "CmbSizeUnit";
  DtpFrom.Name = "DtpFrom";
  DtpTo.Name = "DtpTo";
  CmbKind.Name = "CmbKind";
  EdtExtensions.Name = "EdtExtensions";
  CmbSnapshots.Name = "CmbSnapshots";
  EdtSnapshots.Name = "EdtSnapshots";
}

void ConditionsPanel::SnapshotChoiceChanged() {
  const int choice = CmbSnapshots.ItemIndex();
  EdtSnapshots.SetEnabled(choice > 0);
  // The snapshots selected now become the list, which the user may edit.
  if (choice == 1 && selectedLabels_) {
    const std::string labels = selectedLabels_();
    if (!labels.empty()) EdtSnapshots.SetText(labels);
  }
}

ConditionInputs ConditionsPanel::Inputs() const {
  ConditionInputs in;
  in.minSize = EdtMinSize.Text();
  in.maxSize = EdtMaxSize.Text();
  in.sizeUnit = std::max(0, CmbSizeUnit.ItemIndex());
  if (auto d = DtpFrom.Value()) in.from = CalendarDate{d->year, d->month, d->day};
  if (auto d = DtpTo.Value()) in.to = CalendarDate{d->year, d->month, d->day};
  in.category = std::max(0, CmbKind.ItemIndex());
  in.extensions = EdtExtensions.Text();
  const int choice = CmbSnapshots.ItemIndex();
  in.snapshots = choice == 1 ? SnapshotChoice::Labels : choice == 2 ? SnapshotChoice::LabelText : SnapshotChoice::All;
  in.snapshotText = EdtSnapshots.Text();
  return in;
}

void ConditionsPanel::SetInputs(const ConditionInputs& in) {
  EdtMinSize.SetText(in.minSize);
  EdtMaxSize.SetText(in.maxSize);
  CmbSizeUnit.SetItemIndex(in.sizeUnit);
  auto date = [](const std::optional<CalendarDate>& d) -> std::optional<ui::DatePicker::Date> {
    if (!d) return std::nullopt;
    return ui::DatePicker::Date{d->year, d->month, d->day};
  };
  DtpFrom.SetValue(date(in.from));
  DtpTo.SetValue(date(in.to));
  CmbKind.SetItemIndex(in.category);
  EdtExtensions.SetText(in.extensions);
  CmbSnapshots.SetItemIndex(in.snapshots == SnapshotChoice::Labels ? 1 : in.snapshots == SnapshotChoice::LabelText ? 2 : 0);
  EdtSnapshots.SetText(in.snapshotText);
  EdtSnapshots.SetEnabled(in.snapshots != SnapshotChoice::All);
}

std::optional<catalog::SearchConditions> ConditionsPanel::Conditions(std::string& error) const {
  if (!Visible()) return catalog::SearchConditions{};
  return ConditionsFrom(Inputs(), error);
}

}  // namespace maintain
