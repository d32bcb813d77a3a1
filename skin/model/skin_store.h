// The skin store: several stored skins kept with the program, one of which
// the skin component loads by index.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

class TSkinCollection;

// Raised when an item is given a name another item of its collection has.
class ESkinNameError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TSkinCollectionItem {
 public:
  TSkinCollectionItem(TSkinCollection& owner, int id);

  int ID() const { return id_; }
  const std::string& Name() const { return name_; }
  // Throws ESkinNameError "The name <value> is already used." and keeps the
  // old name when another item of the collection has exactly that name.
  void SetName(const std::string& value);

  // Handle for a skin-file editor; reads "Load Skin" and ignores writes.
  std::string SkinData() const { return "Load Skin"; }
  void SetSkinData(std::string_view) {}

  int64_t DataSize() const { return static_cast<int64_t>(data_.size()); }
  // The stored skin, byte for byte; the persisted "DataStream" payload.
  const std::string& DataStream() const { return data_; }
  void ReadDataStream(std::string_view payload) { data_.assign(payload); }

  void Assign(const TSkinCollectionItem& other);

 private:
  TSkinCollection& owner_;
  int id_;
  std::string name_;
  std::string data_;
};

class TSkinCollection {
 public:
  TSkinCollection() = default;
  TSkinCollection(const TSkinCollection&) = delete;
  TSkinCollection& operator=(const TSkinCollection&) = delete;

  // A new item named "SkinItem" + its ID.
  TSkinCollectionItem& Add();
  int Count() const { return static_cast<int>(items_.size()); }
  // Throws std::out_of_range outside 0..Count()-1.
  TSkinCollectionItem& Item(int index);
  const TSkinCollectionItem& Item(int index) const;
  void Clear() { items_.clear(); }
  // Replaces the items by copies of `other`'s.
  void Assign(const TSkinCollection& other);

 private:
  std::vector<std::unique_ptr<TSkinCollectionItem>> items_;
  int nextId_ = 0;
};

class TSkinStore {
 public:
  TSkinCollection& Store() { return store_; }
  const TSkinCollection& Store() const { return store_; }
  // Copies the items of `collection`; null is ignored.
  void SetStore(const TSkinCollection* collection) {
    if (collection) store_.Assign(*collection);
  }

  // The store as kept in the program's resources: int32 item count, then per
  // item an int32-length name and an int32-length DataStream payload.
  std::string WritePersisted() const;
  // False, leaving the store empty, when the data is cut short or malformed.
  bool ReadPersisted(std::string_view data);

 private:
  TSkinCollection store_;
};

}  // namespace skin
