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

bool IsText(std::uint32_t type) { return type == TypeSz || type == TypeExpandSz || type == TypeMultiSz; }

// Code page 1252 from 0x80 to 0x9F; every other byte is the Unicode character of its own number.
constexpr std::uint16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::vector<std::uint8_t> AnsiToUtf16(const std::vector<std::uint8_t>& ansi) {
    std::vector<std::uint8_t> wide;
    for (std::uint8_t byte : ansi) {
        const std::uint16_t unit = byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : byte;
        wide.push_back(static_cast<std::uint8_t>(unit));
        wide.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return wide;
}

// Without the "best fit" that Windows adds (an Omega as O): what the code page lacks becomes "?".
std::vector<std::uint8_t> Utf16ToAnsi(const std::vector<std::uint8_t>& wide) {
    std::vector<std::uint8_t> ansi;
    for (std::size_t at = 0; at + 1 < wide.size(); at += 2) {
        const auto unit = static_cast<std::uint16_t>(wide[at] | (wide[at + 1] << 8));
        std::uint8_t byte = '?';
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) byte = static_cast<std::uint8_t>(unit);
        for (std::uint8_t high = 0; high < 32; ++high)
            if (Cp1252High[high] == unit) byte = static_cast<std::uint8_t>(0x80 + high);
        ansi.push_back(byte);
    }
    return ansi;
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
    return Query(key, name, type, data, size, false);
}

Status MemoryRegistry::QueryValueW(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                                   std::uint32_t& size) {
    return Query(key, name, type, data, size, true);
}

Status MemoryRegistry::Query(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                             std::uint32_t& size, bool wide) {
    ThrowIfUnreachable();
    auto handle = handles_.find(key);
    if (handle == handles_.end()) return InvalidHandle;
    const Node& node = keys_.at(handle->second.Path);
    auto value = node.Values.find(Lower(name));
    if (value == node.Values.end()) return FileNotFound;
    std::vector<std::uint8_t> stored = value->second.Data;
    if (IsText(value->second.Type) && value->second.Wide != wide)
        stored = wide ? AnsiToUtf16(stored) : Utf16ToAnsi(stored);
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
    return Set(key, name, type, data, size, false);
}

Status MemoryRegistry::SetValueW(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                                 std::uint32_t size) {
    return Set(key, name, type, data, size, true);
}

Status MemoryRegistry::Set(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                           std::uint32_t size, bool wide) {
    ThrowIfUnreachable();
    auto handle = handles_.find(key);
    if (handle == handles_.end()) return InvalidHandle;
    if (handle->second.Mode != Access::Write) return AccessDenied;
    StoredValue value{type, std::vector<std::uint8_t>(data, data + size), wide};
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
