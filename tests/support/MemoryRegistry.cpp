#include "tests/support/MemoryRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace settings {

namespace {

std::string RootName(Key root) {
    if (root == CurrentUser) return "hkey_current_user";
    if (root == LocalMachine) return "hkey_local_machine";
    return {};
}

}  // namespace

MemoryRegistry::MemoryRegistry() {
    keys_[RootName(CurrentUser)];
    keys_[RootName(LocalMachine)];
    PutKey(CurrentUser, "Software");
    PutKey(LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

std::string MemoryRegistry::Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The full path of `path` below `parent`, or nothing when the parent is not a root or an open key.
std::optional<std::string> MemoryRegistry::Join(Key parent, std::string_view path) const {
    std::string full = RootName(parent);
    if (full.empty()) {
        auto handle = handles_.find(parent);
        if (handle == handles_.end()) return std::nullopt;
        full = handle->second.Path;
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) full += "\\" + Lower(path.substr(start, end - start));
        start = end + 1;
    }
    return full;
}

void MemoryRegistry::ThrowIfUnreachable() const {
    if (unreachable_) throw std::runtime_error("The registry cannot be reached.");
}

bool MemoryRegistry::Refused(const std::string& full, Access access) const {
    return refused_.count({full, access}) != 0;
}

Key MemoryRegistry::NewHandle(std::string full, Access access) {
    Key key = nextHandle_++;
    handles_.emplace(key, Handle{std::move(full), access});
    return key;
}

Status MemoryRegistry::OpenKey(Key parent, std::string_view path, Access access, Key& opened) {
    ThrowIfUnreachable();
    opened = 0;
    auto full = Join(parent, path);
    if (!full) return InvalidHandle;
    if (keys_.count(*full) == 0) return FileNotFound;
    if (Refused(*full, access)) return AccessDenied;
    opened = NewHandle(*full, access);
    return Success;
}

Status MemoryRegistry::CreateKey(Key parent, std::string_view path, Key& opened) {
    ThrowIfUnreachable();
    opened = 0;
    auto full = Join(parent, path);
    if (!full) return InvalidHandle;
    // Creating needs the right to write to the nearest level that already exists.
    // (the root always exists, so the walk up ends there).
    std::string existing = *full;
    while (keys_.count(existing) == 0) existing.resize(existing.rfind('\\'));
    if (existing != *full && Refused(existing, Access::Write)) return AccessDenied;
    if (Refused(*full, Access::Write)) return AccessDenied;
    for (std::size_t pos = full->find('\\'); pos != std::string::npos; pos = full->find('\\', pos + 1))
        keys_[full->substr(0, pos)];
    keys_[*full];
    opened = NewHandle(*full, Access::Write);
    return Success;
}

Status MemoryRegistry::QueryValue(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                                  std::uint32_t& size) {
    ThrowIfUnreachable();
    auto handle = handles_.find(key);
    if (handle == handles_.end()) return InvalidHandle;
    const Node& node = keys_.at(handle->second.Path);
    auto value = node.Values.find(Lower(name));
    if (value == node.Values.end()) return FileNotFound;
    const auto& stored = value->second.Data;
    type = value->second.Type;
    const auto needed = static_cast<std::uint32_t>(stored.size());
    if (data == nullptr) {
        size = needed;
        return Success;
    }
    if (needed > size) {
        size = needed;
        return MoreData;
    }
    if (!stored.empty()) std::memcpy(data, stored.data(), stored.size());
    size = needed;
    return Success;
}

Status MemoryRegistry::SetValue(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t size) {
    ThrowIfUnreachable();
    auto handle = handles_.find(key);
    if (handle == handles_.end()) return InvalidHandle;
    if (handle->second.Mode != Access::Write) return AccessDenied;
    StoredValue value{type, std::vector<std::uint8_t>(data, data + size)};
    keys_.at(handle->second.Path).Values[Lower(name)] = std::move(value);
    return Success;
}

Status MemoryRegistry::DeleteValue(Key key, std::string_view name) {
    ThrowIfUnreachable();
    auto handle = handles_.find(key);
    if (handle == handles_.end()) return InvalidHandle;
    if (handle->second.Mode != Access::Write) return AccessDenied;
    return keys_.at(handle->second.Path).Values.erase(Lower(name)) != 0 ? Success : FileNotFound;
}

Status MemoryRegistry::CloseKey(Key key) { return handles_.erase(key) != 0 ? Success : InvalidHandle; }

void MemoryRegistry::PutKey(Key root, std::string_view path) {
    Key key = 0;
    const bool wasUnreachable = std::exchange(unreachable_, false);
    auto refused = std::exchange(refused_, {});
    CreateKey(root, path, key);
    CloseKey(key);
    refused_ = std::move(refused);
    unreachable_ = wasUnreachable;
}

void MemoryRegistry::PutValue(Key root, std::string_view path, std::string_view name, std::uint32_t type,
                              std::vector<std::uint8_t> data) {
    PutKey(root, path);
    keys_.at(*Join(root, path)).Values[Lower(name)] = StoredValue{type, std::move(data)};
}

void MemoryRegistry::PutText(Key root, std::string_view path, std::string_view name, std::string_view text) {
    PutValue(root, path, name, TypeSz, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void MemoryRegistry::PutDword(Key root, std::string_view path, std::string_view name, std::uint32_t value) {
    const DwordData bytes = DwordToBytes(value);
    PutValue(root, path, name, TypeDword, {bytes.begin(), bytes.end()});
}

void MemoryRegistry::RemoveKey(Key root, std::string_view path) {
    const std::string full = *Join(root, path);
    for (auto it = keys_.begin(); it != keys_.end();) {
        if (it->first == full || it->first.rfind(full + "\\", 0) == 0)
            it = keys_.erase(it);
        else
            ++it;
    }
}

bool MemoryRegistry::HasKey(Key root, std::string_view path) const {
    auto full = Join(root, path);
    return full && keys_.count(*full) != 0;
}

std::optional<StoredValue> MemoryRegistry::Value(Key root, std::string_view path, std::string_view name) const {
    auto full = Join(root, path);
    if (!full || keys_.count(*full) == 0) return std::nullopt;
    const auto& values = keys_.at(*full).Values;
    auto value = values.find(Lower(name));
    if (value == values.end()) return std::nullopt;
    return value->second;
}

std::size_t MemoryRegistry::ValueCount(Key root, std::string_view path) const {
    auto full = Join(root, path);
    if (!full || keys_.count(*full) == 0) return 0;
    return keys_.at(*full).Values.size();
}

void MemoryRegistry::Refuse(Key root, std::string_view path, Access access) {
    refused_.insert({*Join(root, path), access});
}

}  // namespace settings
