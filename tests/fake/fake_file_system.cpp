#include "fake/fake_file_system.h"

#include <algorithm>
#include <stdexcept>

namespace wendaro::fake {

struct FakeFileSystem::Node {
  enum Kind { Directory, File, Link };
  Kind kind = Directory;
  std::string linkTarget;
  bool unreadable = false;
  std::vector<std::pair<std::string, std::unique_ptr<Node>>> children;

  Node* child(const std::string& name) const {
    for (const auto& [childName, node] : children) {
      if (childName == name) return node.get();
    }
    return nullptr;
  }
};

namespace {

std::vector<std::string> components(const std::string& path) {
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

}  // namespace

FakeFileSystem::FakeFileSystem(CallLog& log) : log_(log), root_(std::make_unique<Node>()) {}
FakeFileSystem::~FakeFileSystem() = default;

FakeFileSystem::Node* FakeFileSystem::resolve(const std::string& path, bool followLastLink) const {
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
    if (next->kind == Node::Link && (followLastLink || !pending.empty())) {
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

FakeFileSystem::Node& FakeFileSystem::create(const std::string& path, int kind) {
  Node* current = root_.get();
  auto parts = components(path);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    Node* next = current->child(parts[i]);
    if (!next) {
      auto node = std::make_unique<Node>();
      node->kind = i + 1 == parts.size() ? static_cast<Node::Kind>(kind) : Node::Directory;
      next = node.get();
      current->children.emplace_back(parts[i], std::move(node));
    }
    current = next;
  }
  return *current;
}

bool FakeFileSystem::fileExistsAtPath(const std::string& path, bool& isDirectory) const {
  log_.record("fs", "fileExistsAtPath", path);
  Node* node = resolve(path, true);
  isDirectory = node && node->kind == Node::Directory;
  return node != nullptr;
}

std::optional<std::vector<std::string>> FakeFileSystem::contentsOfDirectoryAtPath(const std::string& path) const {
  log_.record("fs", "contentsOfDirectoryAtPath", path);
  Node* node = resolve(path, true);
  if (!node || node->kind != Node::Directory || node->unreadable) return std::nullopt;
  std::vector<std::string> names;
  for (const auto& entry : node->children) names.push_back(entry.first);
  return names;
}

void FakeFileSystem::addDirectory(const std::string& path) { create(path, Node::Directory); }
void FakeFileSystem::addFile(const std::string& path) { create(path, Node::File); }
void FakeFileSystem::addSymlink(const std::string& path, const std::string& target) {
  create(path, Node::Link).linkTarget = target;
}

void FakeFileSystem::setUnreadable(const std::string& path) {
  Node* node = resolve(path, true);
  if (!node) throw std::invalid_argument("no such fake directory: " + path);
  node->unreadable = true;
}

void FakeFileSystem::remove(const std::string& path) {
  auto parts = components(path);
  if (parts.empty()) return;
  std::string name = parts.back();
  parts.pop_back();
  std::string parentPath;
  for (const auto& part : parts) parentPath += "/" + part;
  Node* parent = resolve(parentPath, true);
  if (!parent) return;
  auto& children = parent->children;
  children.erase(std::remove_if(children.begin(), children.end(),
                                [&](const auto& entry) { return entry.first == name; }),
                 children.end());
}

}  // namespace wendaro::fake
