#include "skin/model/skin_store.h"

#include "skin/archive/stored_skin.h"

namespace skin {

TSkinCollectionItem::TSkinCollectionItem(TSkinCollection& owner, int id)
    : owner_(owner), id_(id), name_("SkinItem" + std::to_string(id)) {}

void TSkinCollectionItem::SetName(const std::string& value) {
  if (value == name_) return;
  for (int i = 0; i < owner_.Count(); ++i) {
    const TSkinCollectionItem& other = owner_.Item(i);
    if (&other != this && other.Name() == value) throw ESkinNameError("The name " + value + " is already used.");
  }
  name_ = value;
}

void TSkinCollectionItem::Assign(const TSkinCollectionItem& other) {
  name_ = other.name_;
  data_ = other.data_;
}

TSkinCollectionItem& TSkinCollection::Add() {
  items_.push_back(std::make_unique<TSkinCollectionItem>(*this, nextId_++));
  return *items_.back();
}

TSkinCollectionItem& TSkinCollection::Item(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return *items_[static_cast<size_t>(index)];
}

const TSkinCollectionItem& TSkinCollection::Item(int index) const {
  return const_cast<TSkinCollection*>(this)->Item(index);
}

void TSkinCollection::Assign(const TSkinCollection& other) {
  if (&other == this) return;
  items_.clear();
  for (const auto& item : other.items_) Add().Assign(*item);
}

std::string TSkinStore::WritePersisted() const {
  std::string out;
  AppendLE32(out, static_cast<uint32_t>(store_.Count()));
  for (int i = 0; i < store_.Count(); ++i) {
    const TSkinCollectionItem& item = store_.Item(i);
    AppendLE32(out, static_cast<uint32_t>(item.Name().size()));
    out += item.Name();
    AppendLE32(out, static_cast<uint32_t>(item.DataStream().size()));
    out += item.DataStream();
  }
  return out;
}

bool TSkinStore::ReadPersisted(std::string_view data) {
  store_.Clear();
  size_t pos = 0;
  auto field = [&](std::string_view& out) {
    if (data.size() - pos < 4) return false;
    uint32_t length = ReadLE32(data.data() + pos);
    pos += 4;
    if (length > data.size() - pos) return false;
    out = data.substr(pos, length);
    pos += length;
    return true;
  };
  if (data.size() < 4) return false;
  uint32_t count = ReadLE32(data.data());
  pos = 4;
  if (count > (data.size() - pos) / 8) return false;  // each item takes at least 8 bytes
  for (uint32_t i = 0; i < count; ++i) {
    std::string_view name, payload;
    if (!field(name) || !field(payload)) {
      store_.Clear();
      return false;
    }
    TSkinCollectionItem& item = store_.Add();
    item.ReadDataStream(payload);
    try {
      item.SetName(std::string(name));
    } catch (const ESkinNameError&) {
      // A repeated name in the data: the item keeps its generated name.
    }
  }
  return true;
}

}  // namespace skin
