#include "stats/space_tree.h"

#include <algorithm>
#include <unordered_map>

#include "catalog/name_index.h"
#include "platform/case_fold.h"

namespace stats {

using catalog::EntryKind;

namespace {

// "a\b\c\" -> "a\b\"; the text up to and with the last "\" but one.
std::string_view ParentOf(std::string_view folded) {
  const size_t cut = folded.size() >= 2 ? folded.rfind('\\', folded.size() - 2) : std::string_view::npos;
  return cut == std::string_view::npos ? std::string_view() : folded.substr(0, cut + 1);
}

std::string_view LastNameOf(std::string_view folded) {
  const std::string_view parent = ParentOf(folded);
  std::string_view rest = folded.substr(parent.size());
  if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
  return rest;
}

}  // namespace

// The build: first every entry below the root as a "proto" node in the
// order of the contents, with the path of its folder; then each path's
// folder, made where no entry is one; then the nodes numbered breadth
// first with each folder's children sorted.
class SpaceTreeBuilder {
 public:
  SpaceTreeBuilder(const catalog::IndexContents& contents, std::string_view rootPath, SpaceTree& tree)
      : c_(contents), t_(tree) {
    t_.contents_ = contents;
    t_.rootPath_ = std::string(rootPath);
    if (t_.rootPath_.empty() || t_.rootPath_.back() != '\\') t_.rootPath_ += '\\';
    root_ = text::Folded(t_.rootPath_);
  }

  void Run() {
    NumberPaths();
    ReadEntries();
    // Folders made on the way are added behind the entries, their parents
    // already nodes.
    const size_t entries = parent_.size();
    for (size_t v = 1; v < entries; ++v) parent_[v] = NodeOfPath(parent_[v]);
    Arrange();
  }

 private:
  static constexpr uint32_t kNone = SpaceTree::kNoNode;
  // What a path is to the tree: outside it, inside it, or the folder
  // holding the root (where the root's own entry lives).
  static constexpr uint8_t kOutside = 0, kInside = 1, kRootParent = 2;

  // The folded text of every path below the root (and the root's parent,
  // where the root's own entry lives), by path id.
  void NumberPaths() {
    static const catalog::TextTable kNoPaths;
    const catalog::TextTable& paths = c_.paths ? *c_.paths : kNoPaths;
    const std::string_view rootParent = ParentOf(root_);
    inScope_.assign(paths.Size(), kOutside);
    folderOfPath_.assign(paths.Size(), kNone);
    std::vector<std::pair<size_t, size_t>> spans(paths.Size());
    std::string folded;
    for (uint32_t p = 0; p < paths.Size(); ++p) {
      folded.clear();
      text::AppendFolded(folded, paths.At(p));
      if (folded.starts_with(root_)) {
        spans[p] = {arena_.size(), folded.size()};
        arena_ += folded;
        inScope_[p] = kInside;
      } else if (!rootParent.empty() && folded == rootParent) {
        inScope_[p] = kRootParent;
      }
    }
    // The arena no longer grows: views into it stay valid.
    pathText_.resize(paths.Size());
    idOfPath_.reserve(arena_.empty() ? 0 : paths.Size());
    for (uint32_t p = 0; p < paths.Size(); ++p) {
      if (inScope_[p] != kInside) continue;
      pathText_[p] = std::string_view(arena_).substr(spans[p].first, spans[p].second);
      idOfPath_.emplace(pathText_[p], p);
      if (pathText_[p] == root_) folderOfPath_[p] = 0;
    }
  }

  void AddNode(uint32_t ordinal, int64_t size, bool folder, uint32_t path) {
    size_.push_back(size);
    entry_.push_back(ordinal);
    folder_.push_back(folder ? 1 : 0);
    parent_.push_back(path);  // a path id until Run turns it into a node
  }

  void ReadEntries() {
    AddNode(SpaceTree::kMade | static_cast<uint32_t>(t_.made_.size()), 0, true, kNone);
    t_.made_.push_back(t_.rootPath_);
    const std::string_view rootName = LastNameOf(root_);
    std::string key;
    uint32_t ordinal = 0;
    for (size_t ci = 0; ci < c_.chunks.size(); ++ci) {
      const catalog::IndexChunk& c = *c_.chunks[ci];
      t_.chunkStart_.push_back(ordinal);
      const size_t n = std::min(c_.entries[ci], c.Size());
      for (size_t i = 0; i < n; ++i, ++ordinal) {
        const uint32_t path = c.path[i];
        const EntryKind kind = c.kind[i];
        const uint8_t scope = path < inScope_.size() ? inScope_[path] : 0;
        // An archive takes its own size on the disk; its members take none.
        if (c.inArchive[i]) continue;
        if (scope != kInside) {
          // The root folder's own entry gives the root its rowid.
          if (scope == kRootParent && kind == EntryKind::Folder && c.Name(i) == rootName && t_.entry_root_ == kNone)
            t_.entry_root_ = ordinal;
          continue;
        }
        if (kind == EntryKind::File) {
          AddNode(ordinal, std::max<int64_t>(c.size[i], 0), false, path);
        } else if (kind == EntryKind::Folder) {
          const auto node = static_cast<uint32_t>(size_.size());
          AddNode(ordinal, 0, true, path);
          key.assign(pathText_[path]).append(c.Name(i)).push_back('\\');
          // A second folder of the same folded path stays empty.
          if (const auto it = idOfPath_.find(key); it != idOfPath_.end() && folderOfPath_[it->second] == kNone)
            folderOfPath_[it->second] = node;
        }
      }
    }
  }

  // The folder node of a path id (made when no entry is that folder).
  uint32_t NodeOfPath(uint32_t path) {
    if (path == kNone) return kNone;  // the root
    if (folderOfPath_[path] == kNone) folderOfPath_[path] = NodeOfText(pathText_[path]);
    return folderOfPath_[path];
  }

  uint32_t NodeOfText(std::string_view folded) {
    if (folded.size() <= root_.size()) return 0;
    if (const auto it = idOfPath_.find(folded); it != idOfPath_.end() && folderOfPath_[it->second] != kNone)
      return folderOfPath_[it->second];
    if (const auto it = madeOfText_.find(std::string(folded)); it != madeOfText_.end()) return it->second;
    const auto node = static_cast<uint32_t>(size_.size());
    AddNode(SpaceTree::kMade | static_cast<uint32_t>(t_.made_.size()), 0, true, kNone);
    t_.made_.emplace_back(LastNameOf(folded));
    madeOfText_.emplace(std::string(folded), node);
    if (const auto it = idOfPath_.find(folded); it != idOfPath_.end()) folderOfPath_[it->second] = node;
    const uint32_t parent = NodeOfText(ParentOf(folded));
    parent_[node] = parent;
    return node;
  }

  // Children by parent, sizes summed from the leaves up, then the final
  // numbering: breadth first, each folder's children largest first.
  void Arrange() {
    const auto n = static_cast<uint32_t>(size_.size());
    std::vector<uint32_t> start(n + 1, 0);
    for (uint32_t v = 1; v < n; ++v) ++start[parent_[v] + 1];
    for (uint32_t v = 0; v < n; ++v) start[v + 1] += start[v];
    std::vector<uint32_t> kids(n > 0 ? n - 1 : 0);
    {
      std::vector<uint32_t> fill(start.begin(), start.end() - 1);
      for (uint32_t v = 1; v < n; ++v) kids[fill[parent_[v]]++] = v;
    }
    // Breadth first on the proto numbering: parents come before children.
    std::vector<uint32_t> order;
    order.reserve(n);
    order.push_back(0);
    for (size_t k = 0; k < order.size(); ++k)
      for (uint32_t j = start[order[k]]; j < start[order[k] + 1]; ++j) order.push_back(kids[j]);
    for (size_t k = order.size(); k-- > 1;) size_[parent_[order[k]]] += size_[order[k]];
    for (uint32_t v = 0; v < n; ++v)
      std::sort(kids.begin() + start[v], kids.begin() + start[v + 1], [&](uint32_t a, uint32_t b) {
        return size_[a] != size_[b] ? size_[a] > size_[b] : entry_[a] < entry_[b];
      });
    order.clear();
    order.push_back(0);
    t_.first_.assign(n, 0);
    t_.count_.assign(n, 0);
    for (size_t k = 0; k < order.size(); ++k) {
      const uint32_t v = order[k];
      t_.first_[k] = static_cast<uint32_t>(order.size());
      t_.count_[k] = start[v + 1] - start[v];
      order.insert(order.end(), kids.begin() + start[v], kids.begin() + start[v + 1]);
    }
    std::vector<uint32_t>().swap(kids);
    std::vector<uint32_t> newId(n);
    for (uint32_t k = 0; k < n; ++k) newId[order[k]] = k;
    t_.size_.resize(n);
    t_.entry_.resize(n);
    t_.parent_.resize(n);
    t_.folder_.resize(n);
    for (uint32_t k = 0; k < n; ++k) {
      const uint32_t v = order[k];
      t_.size_[k] = size_[v];
      t_.entry_[k] = entry_[v];
      t_.parent_[k] = k == 0 ? SpaceTree::kNoNode : newId[parent_[v]];
      t_.folder_[k] = folder_[v];
    }
  }

  const catalog::IndexContents& c_;
  SpaceTree& t_;
  std::string root_;  // folded
  std::string arena_;
  std::vector<uint8_t> inScope_;  // by path id
  std::vector<std::string_view> pathText_;
  std::unordered_map<std::string_view, uint32_t> idOfPath_;
  std::vector<uint32_t> folderOfPath_;
  std::unordered_map<std::string, uint32_t> madeOfText_;
  // The proto nodes.
  std::vector<int64_t> size_;
  std::vector<uint32_t> entry_, parent_;
  std::vector<uint8_t> folder_;
};

SpaceTree SpaceTree::Build(const catalog::IndexContents& contents, std::string_view rootPath) {
  SpaceTree tree;
  SpaceTreeBuilder(contents, rootPath, tree).Run();
  return tree;
}

SpaceTree::Place SpaceTree::PlaceOf(uint32_t ordinal) const {
  const auto it = std::upper_bound(chunkStart_.begin(), chunkStart_.end(), ordinal);
  const auto chunk = static_cast<uint32_t>(it - chunkStart_.begin() - 1);
  return {chunk, ordinal - chunkStart_[chunk]};
}

int64_t SpaceTree::Rowid(uint32_t node) const {
  const uint32_t e = node == 0 && entry_root_ != kNoNode ? entry_root_ : entry_[node];
  if (e & kMade) return 0;
  const Place p = PlaceOf(e);
  return contents_.chunks[p.chunk]->Rowid(p.entry);
}

std::string_view SpaceTree::Name(uint32_t node) const {
  const uint32_t e = entry_[node];
  if (e & kMade) return made_[e & ~kMade];
  const Place p = PlaceOf(e);
  return contents_.chunks[p.chunk]->Name(p.entry);
}

catalog::FileCategory SpaceTree::Category(uint32_t node) const {
  const uint32_t e = entry_[node];
  if (folder_[node] || (e & kMade)) return catalog::FileCategory::Other;
  const Place p = PlaceOf(e);
  const uint32_t ext = contents_.chunks[p.chunk]->ext[p.entry];
  return ext < contents_.categories.size() ? contents_.categories[ext] : catalog::FileCategory::Other;
}

std::string SpaceTree::StoredPath(uint32_t node) const {
  if (node == 0) return rootPath_;
  std::vector<uint32_t> up;
  for (uint32_t v = node; v != 0; v = parent_[v]) up.push_back(v);
  std::string path = rootPath_;
  for (size_t k = up.size(); k-- > 0;) {
    path += Name(up[k]);
    if (folder_[up[k]]) path += '\\';
  }
  return path;
}

size_t SpaceTree::MemoryBytes() const {
  size_t n = size_.capacity() * 8 + (entry_.capacity() + parent_.capacity() + first_.capacity() + count_.capacity()) * 4 +
             folder_.capacity() + chunkStart_.capacity() * 4 + rootPath_.capacity();
  for (const std::string& s : made_) n += sizeof(std::string) + s.capacity();
  return n;
}

}  // namespace stats
