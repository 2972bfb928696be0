#include "fake/fake_file_system.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace wendaro::fake {

struct FakeFileSystem::Node {
  enum Kind { Directory, File, Link };
  Kind kind = Directory;
  std::string linkTarget;
  bool unreadable = false;
  FileIdentity identity;
  std::vector<std::pair<std::string, std::unique_ptr<Node>>> children;

  Node() = default;
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
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
    for (const auto& [childName, node] : children) {
      if (childName == name) return node.get();
    }
    return nullptr;
  }
};

namespace {

std::vector<std::string> components(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '/') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

// Links followed before a lookup gives up, like the system's limit.
constexpr int kMaxLinks = 40;

EntryType typeOf(const FakeFileSystem::Node& node) {
  switch (node.kind) {
    case FakeFileSystem::Node::Directory: return EntryType::Directory;
    case FakeFileSystem::Node::File: return EntryType::NotDirectory;
    case FakeFileSystem::Node::Link: return EntryType::Link;
  }
  return EntryType::Unknown;
}

class FakeDirectory : public DirectoryHandle {
 public:
  FakeDirectory(FakeFileSystem::Node& node, bool reportsTypes) : node_(node) {
    names_.reserve(node.children.size());
    for (const auto& entry : node.children) names_.push_back(entry.first);
    entries_.reserve(names_.size());
    for (std::size_t i = 0; i < names_.size(); ++i) {
      entries_.push_back({names_[i], reportsTypes ? typeOf(*node.children[i].second) : EntryType::Unknown});
    }
  }
  FileIdentity identity() const override { return node_.identity; }
  std::span<const DirectoryEntry> entries() const override { return entries_; }
  FakeFileSystem::Node& node() const { return node_; }

 private:
  FakeFileSystem::Node& node_;
  std::vector<std::string> names_;
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
  std::vector<Node*> stack{root_.get()};
  int linksFollowed = 0;
  while (!pending.empty()) {
    std::string name = std::move(pending.back());
    pending.pop_back();
    Node* current = stack.back();
    if (current->kind != Node::Directory) return nullptr;
    if (name == ".") continue;
    if (name == "..") {
      if (stack.size() > 1) stack.pop_back();
      continue;
    }
    Node* next = current->child(name);
    if (!next) return nullptr;
    if (next->kind == Node::Link) {
      if (++linksFollowed > kMaxLinks) return nullptr;
      auto target = components(next->linkTarget);
      stack.resize(1);
      for (auto it = target.rbegin(); it != target.rend(); ++it) pending.push_back(*it);
      continue;
    }
    stack.push_back(next);
  }
  return stack.back();
}

FakeFileSystem::Node* FakeFileSystem::child(Node& directory, std::string_view name) const {
  Node* node = directory.child(name);
  return node && node->kind == Node::Link ? resolve(node->linkTarget) : node;
}

FakeFileSystem::Node& FakeFileSystem::create(const std::string& path, int kind) {
  Node* current = root_.get();
  auto parts = components(path);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    Node* next = current->child(parts[i]);
    if (!next) {
      auto node = std::make_unique<Node>();
      node->kind = i + 1 == parts.size() ? static_cast<Node::Kind>(kind) : Node::Directory;
      node->identity = {1, ++nodesMade_};
      next = node.get();
      current->children.emplace_back(parts[i], std::move(node));
    }
    current = next;
  }
  return *current;
}

OpenedDirectory FakeFileSystem::open(Node* node) const {
  if (!node) return {nullptr, OpenFailure::Missing, "No such file or directory"};
  if (node->kind != Node::Directory) return {nullptr, OpenFailure::NotADirectory, "Not a directory"};
  if (node->unreadable) return {nullptr, OpenFailure::Unreadable, "Permission denied"};
  return {std::make_unique<FakeDirectory>(*node, reportsEntryTypes), OpenFailure::None, {}};
}

OpenedDirectory FakeFileSystem::openDirectory(const std::string& path) {
  log_.record("fs", "openDirectory", path);
  return open(resolve(path));
}

OpenedDirectory FakeFileSystem::openDirectoryAt(const DirectoryHandle& parent, std::string_view name) {
  log_.record("fs", "openDirectoryAt", name);
  return open(child(static_cast<const FakeDirectory&>(parent).node(), name));
}

void FakeFileSystem::addDirectory(const std::string& path) { create(path, Node::Directory); }
void FakeFileSystem::addFile(const std::string& path) { create(path, Node::File); }
void FakeFileSystem::addSymlink(const std::string& path, const std::string& target) {
  create(path, Node::Link).linkTarget = target;
}

void FakeFileSystem::setUnreadable(const std::string& path) {
  Node* node = resolve(path);
  if (!node) throw std::invalid_argument("no such fake directory: " + path);
  node->unreadable = true;
}

void FakeFileSystem::setIdentity(const std::string& path, FileIdentity identity) {
  Node* node = resolve(path);
  if (!node) throw std::invalid_argument("no such fake directory: " + path);
  node->identity = identity;
}

void FakeFileSystem::remove(const std::string& path) {
  auto parts = components(path);
  if (parts.empty()) return;
  std::string name = parts.back();
  parts.pop_back();
  std::string parentPath;
  for (const auto& part : parts) parentPath += "/" + part;
  Node* parent = resolve(parentPath);
  if (!parent) return;
  auto& children = parent->children;
  children.erase(std::remove_if(children.begin(), children.end(),
                                [&](const auto& entry) { return entry.first == name; }),
                 children.end());
}

}  // namespace wendaro::fake
