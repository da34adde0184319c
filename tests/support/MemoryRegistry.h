#pragma once
// A registry held in memory, with the statuses, types and byte counts of the real one. The tests use
// it to set up odd contents (other types, over-long data, embedded NULs) and refusals that a real
// profile cannot easily give. Its ANSI code page is the Western one, 1252.

#include "settings/logic/Registry.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace settings {

struct StoredValue {
    std::uint32_t Type = TypeSz;
    std::vector<std::uint8_t> Data;
    bool Wide = false;  // stored through a Unicode function: text types hold UTF-16
};

class MemoryRegistry : public Registry {
public:
    // Starts like a fresh profile: HKCU\Software and the machine's Run key exist, nothing else.
    MemoryRegistry();

    Status OpenKey(Key parent, std::string_view path, Access access, Key& opened) override;
    Status CreateKey(Key parent, std::string_view path, Key& opened) override;
    Status QueryValue(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status SetValue(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    Status QueryValueW(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                       std::uint32_t& size) override;
    Status SetValueW(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override;
    Status DeleteValue(Key key, std::string_view name) override;
    Status CloseKey(Key key) override;

    // Set-up and inspection for tests; `path` is below `root`, names are case-insensitive.
    void PutKey(Key root, std::string_view path);
    void PutValue(Key root, std::string_view path, std::string_view name, std::uint32_t type,
                  std::vector<std::uint8_t> data);
    void PutText(Key root, std::string_view path, std::string_view name, std::string_view text);
    void PutDword(Key root, std::string_view path, std::string_view name, std::uint32_t value);
    void RemoveKey(Key root, std::string_view path);  // the key and everything below it
    bool HasKey(Key root, std::string_view path) const;
    std::optional<StoredValue> Value(Key root, std::string_view path, std::string_view name) const;
    std::size_t ValueCount(Key root, std::string_view path) const;

    // Faults: opening (or creating beneath) the key with that access is refused with AccessDenied.
    void Refuse(Key root, std::string_view path, Access access);
    // Faults: every call but CloseKey throws, as if the registry functions could not be reached.
    void SetUnreachable(bool unreachable) { unreachable_ = unreachable; }

    std::size_t OpenHandles() const { return handles_.size(); }

private:
    struct Node {
        std::map<std::string, StoredValue> Values;  // by lower-case name
    };
    struct Handle {
        std::string Path;  // full lower-case path including the root's name
        settings::Access Mode;
    };

    static std::string Lower(std::string_view text);
    Status Query(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data, std::uint32_t& size,
                 bool wide);
    Status Set(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data, std::uint32_t size,
               bool wide);
    std::optional<std::string> Join(Key parent, std::string_view path) const;
    void ThrowIfUnreachable() const;
    bool Refused(const std::string& full, Access access) const;
    Key NewHandle(std::string full, Access access);

    std::map<std::string, Node> keys_;  // by full lower-case path
    std::map<Key, Handle> handles_;
    std::set<std::pair<std::string, Access>> refused_;
    Key nextHandle_ = 0x1000;
    bool unreachable_ = false;
};

}  // namespace settings
