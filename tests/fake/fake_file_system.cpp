#include "fake/fake_file_system.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace wendaro::fake {

struct FakeFileSystem::Node {
  Kind kind = Directory;
  std::string linkTarget;
  bool unreadable = false;
  FileIdentity identity;
  std::vector<std::pair<std::string, std::unique_ptr<Node>>> children;

  // Takes the subtree apart without recursion, so that a tree of any depth
  // can go.
  ~Node() {
    std::vector<std::unique_ptr<Node>> pending;
    auto adopt = [&pending](Node& node) {
      for (auto& entry : node.children) pending.push_back(std::move(entry.second));
      node.children.clear();
    };
    adopt(*this);
    while (!pending.empty()) {
      std::unique_ptr<Node> node = std::move(pending.back());
      pending.pop_back();
      adopt(*node);
    }
  }
  Node* child(std::string_view name) const {
    auto found = std::find_if(children.begin(), children.end(), [&](const auto& entry) { return entry.first == name; });
    return found == children.end() ? nullptr : found->second.get();
  }
};

namespace {

std::vector<std::string> components(std::string_view path) {
  std::vector<std::string> parts;
  for (std::size_t start = 0, end = 0; start < path.size(); start = end + 1) {
    end = std::min(path.find('/', start), path.size());
    if (end > start) parts.emplace_back(path.substr(start, end - start));
  }
  return parts;
}

class FakeDirectory : public DirectoryHandle {
 public:
  FakeDirectory(FakeFileSystem::Node& node, bool reportsTypes) : node_(node) {
    for (const auto& [name, child] : node.children) {
      const auto kind = child->kind;
      entries_.push_back({name, !reportsTypes                       ? EntryType::Unknown
                                : kind == FakeFileSystem::Directory ? EntryType::Directory
                                : kind == FakeFileSystem::File      ? EntryType::NotDirectory
                                                                    : EntryType::Link});
    }
  }
  FileIdentity identity() const override { return node_.identity; }
  std::span<const DirectoryEntry> entries() const override { return entries_; }
  FakeFileSystem::Node& node() const { return node_; }

 private:
  FakeFileSystem::Node& node_;
  std::vector<DirectoryEntry> entries_;
};

}  // namespace

FakeFileSystem::FakeFileSystem(CallLog& log) : log_(log), root_(std::make_unique<Node>()) {
  root_->identity = {1, ++nodesMade_};
}
FakeFileSystem::~FakeFileSystem() = default;

// Follows the path from the root, and every link on the way.
FakeFileSystem::Node* FakeFileSystem::resolve(const std::string& path) const {
  std::vector<std::string> pending = components(path);
  std::reverse(pending.begin(), pending.end());
  Node* current = root_.get();
  while (current && !pending.empty()) {
    Node* next = current->kind == Directory ? current->child(pending.back()) : nullptr;
    pending.pop_back();
    if (next && next->kind == Link) {
      auto target = components(next->linkTarget);
      pending.insert(pending.end(), target.rbegin(), target.rend());
      next = root_.get();
    }
    current = next;
  }
  return current;
}

FakeFileSystem::Node& FakeFileSystem::create(const std::string& path, Kind kind) {
  Node* current = root_.get();
  auto parts = components(path);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    Node* next = current->child(parts[i]);
    if (!next) {
      auto node = std::make_unique<Node>();
      node->kind = i + 1 == parts.size() ? kind : Directory;
      node->identity = {1, ++nodesMade_};
      next = current->children.emplace_back(parts[i], std::move(node)).second.get();
    }
    current = next;
  }
  return *current;
}

OpenedDirectory FakeFileSystem::open(Node* node) const {
  if (!node) return {nullptr, OpenFailure::Missing, "No such file or directory"};
  if (node->kind != Directory) return {nullptr, OpenFailure::NotADirectory, "Not a directory"};
  if (node->unreadable) return {nullptr, OpenFailure::Unreadable, "Permission denied"};
  return {std::make_unique<FakeDirectory>(*node, reportsEntryTypes), OpenFailure::None, {}};
}

OpenedDirectory FakeFileSystem::openDirectory(const std::string& path) {
  log_.record("fs", "openDirectory", path);
  return open(resolve(path));
}

OpenedDirectory FakeFileSystem::openDirectoryAt(const DirectoryHandle& parent, std::string_view name) {
  Node* node = static_cast<const FakeDirectory&>(parent).node().child(name);
  return open(node && node->kind == Link ? resolve(node->linkTarget) : node);
}

void FakeFileSystem::addSymlink(const std::string& path, const std::string& target) {
  create(path, Link).linkTarget = target;
}

void FakeFileSystem::setUnreadable(const std::string& path) {
  if (Node* node = resolve(path)) node->unreadable = true;
}

void FakeFileSystem::setIdentity(const std::string& path, FileIdentity identity) {
  if (Node* node = resolve(path)) node->identity = identity;
}

void FakeFileSystem::remove(const std::string& path) {
  const auto slash = path.rfind('/');
  Node* parent = resolve(path.substr(0, slash));
  if (!parent || slash == std::string::npos) return;
  std::erase_if(parent->children, [&](const auto& entry) { return entry.first == path.substr(slash + 1); });
}

}  // namespace wendaro::fake
