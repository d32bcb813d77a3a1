// ListView: the four view styles, columns (fixed or sharing the width),
// items with caption, image index and sub items, single selection,
// read-only captions, header click, double click, keys, sorting through a
// compare callback.
#pragma once

#include <windows.h>

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
  std::string caption_;
  int image_ = -1;
  std::vector<std::string> subItems_;
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
  void Clear();
  int ItemCount() const;
  // The item at a position (positions change when sorted).
  ListItem* Item(int index) const;
  ListItem* Selected() const;
  void SetSelected(ListItem* item);
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
  void BeginUpdate();
  void EndUpdate();

  ViewStyle style_ = vsIcon;
  std::vector<std::unique_ptr<ListColumn>> columns_;
  std::vector<std::unique_ptr<ListItem>> items_;
  bool sizingColumns_ = false;
  SIZE outerSize_{-1, -1};
  int updateDepth_ = 0;
};

}  // namespace ui
