// ListView: the four view styles, columns (fixed or sharing the width),
// items with caption, image index and sub items, single or multiple
// selection, read-only captions, header click, double click, keys, sorting
// through a compare callback.
//
// The control holds no items of its own (LVS_OWNERDATA): it asks for the
// texts of the rows it paints. They come from the list's ListItems, or from
// a ListRows source that holds any number of rows without an item each (a
// million search hits). Emptying a list is therefore immediate, however long
// it was.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace ui {

class ImageList;
class ListView;

enum ViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class ListItem {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  int ImageIndex() const { return image_; }
  void SetImageIndex(int index);
  // Sub item i is shown in column i + 1.
  const std::vector<std::string>& SubItems() const { return subItems_; }
  std::string SubItem(size_t i) const { return i < subItems_.size() ? subItems_[i] : std::string(); }
  void SetSubItem(size_t i, std::string_view text);
  void AddSubItem(std::string_view text) { SetSubItem(subItems_.size(), text); }
  // The item's current position in the list.
  int Index() const;
  bool Selected() const;
  void SetSelected(bool on);
  void* Data = nullptr;

 private:
  friend class ListView;
  ListView* view_ = nullptr;
  int pos_ = -1;
  std::string caption_;
  int image_ = -1;
  std::vector<std::string> subItems_;
};

// Rows shown without an item per row. Texts are UTF-8; column 0 is the
// caption.
class ListRows {
 public:
  virtual ~ListRows() = default;
  virtual size_t Count() const = 0;
  virtual std::string Text(size_t row, int column) const = 0;
  virtual int Image(size_t row) const = 0;
  // The rows the control is about to paint (a hint: a source may read them
  // in one go).
  virtual void Prepare(size_t first, size_t last) {}
};

class ListColumn {
 public:
  const std::string& Caption() const { return caption_; }
  int Width() const;
  void SetWidth(int width);
  bool AutoSize() const { return autoSize_; }
  // Auto-sized columns share the list's client width equally (the first
  // one also takes the remainder); recomputed now and on every resize.
  void SetAutoSize(bool on);

 private:
  friend class ListView;
  ListView* view_ = nullptr;
  std::string caption_;
  bool autoSize_ = false;
  int index_ = 0;
};

class ListView : public Control {
 public:
  explicit ListView(Control* parent);

  ViewStyle GetViewStyle() const { return style_; }
  void SetViewStyle(ViewStyle s);
  void SetLargeImages(ImageList* images);
  void SetSmallImages(ImageList* images);
  void SetReadOnly(bool on);
  void SetRowSelect(bool on);

  ListColumn* AddColumn(std::string_view caption, int width = 50, bool autoSize = false);
  void ClearColumns();
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  ListColumn* Column(int index) const { return columns_[index].get(); }
  void UpdateAutoSizeColumns();

  ListItem* AddItem(std::string_view caption, int imageIndex = -1,
                    const std::vector<std::string>& subItems = {});
  // Empties the list (items or rows) and returns it to items.
  void Clear();
  int ItemCount() const;
  // The item at a position (positions change when sorted). Over rows, an
  // item made from the row's texts, valid until the rows change.
  ListItem* Item(int index) const;
  ListItem* Selected() const;
  void SetSelected(ListItem* item);

  // Shows `rows` instead of items (the items are dropped); the selection
  // is cleared.
  void SetRows(std::shared_ptr<ListRows> rows);
  ListRows* Rows() const { return rows_.get(); }
  // The rows were reordered or changed in place: repaint, selection cleared.
  void RowsChanged();
  void SetMultiSelect(bool on);
  // Positions of the selected rows or items, in order.
  std::vector<int> SelectedIndexes() const;
  int FocusedIndex() const;
  void SelectOnly(int index);
  void ClearSelection();
  // Stops the list from redrawing while it lives; the list redraws once when
  // the outermost lock of a nesting ends.
  class UpdateLock {
   public:
    explicit UpdateLock(ListView& list) : list_(list) { list_.BeginUpdate(); }
    ~UpdateLock() { list_.EndUpdate(); }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

   private:
    ListView& list_;
  };

  // Sorts the items with a compare callback (negative: a before b).
  void CustomSort(std::function<int(const ListItem& a, const ListItem& b)> compare);

  std::function<void(ListItem* item, bool selected)> OnSelectItem;
  std::function<void(ListColumn* column)> OnColumnClick;

  void WndProc(Message& m) override;

 private:
  friend class ListItem;
  friend class ListColumn;
  int PositionOf(const ListItem* item) const;
  void SetText(int pos, int column, const std::string& text);
  void RedrawItem(int pos);
  void SetCount(size_t n);
  void AnswerDisplayInfo(NMLVDISPINFOW& info);
  int FindByCaption(const NMLVFINDITEMW& find) const;
  std::string TextAt(size_t row, int column) const;
  void BeginUpdate();
  void EndUpdate();

  ViewStyle style_ = vsIcon;
  std::vector<std::unique_ptr<ListColumn>> columns_;
  std::vector<std::unique_ptr<ListItem>> items_;
  std::shared_ptr<ListRows> rows_;
  // Items made for rows that were asked for by position.
  mutable std::vector<std::pair<int, std::unique_ptr<ListItem>>> rowItems_;
  bool sizingColumns_ = false;
  SIZE outerSize_{-1, -1};
  int updateDepth_ = 0;
  int lastSelected_ = -1;  // the row last reported selected
};

}  // namespace ui
