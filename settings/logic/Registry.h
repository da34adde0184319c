#pragma once
// A small registry interface shaped like the registry calls it stands for: the ANSI ones, and the
// Unicode ones for a value whose text may hold any character (the program's own path). Every call
// gives a status that is 0 on success and otherwise the registry's own error code, so that callers
// behave the same on the real registry and on the in-memory one that the tests use.

#include <array>
#include <cstdint>
#include <string_view>

namespace settings {

using Key = std::uintptr_t;
using Status = long;

// The predefined roots, with the values Windows gives them.
inline constexpr Key CurrentUser = 0x80000001u;   // HKEY_CURRENT_USER
inline constexpr Key LocalMachine = 0x80000002u;  // HKEY_LOCAL_MACHINE

// Statuses the code and its tests rely on (winerror.h values).
inline constexpr Status Success = 0;
inline constexpr Status FileNotFound = 2;   // ERROR_FILE_NOT_FOUND: missing key or value
inline constexpr Status AccessDenied = 5;   // ERROR_ACCESS_DENIED
inline constexpr Status InvalidHandle = 6;  // ERROR_INVALID_HANDLE: a key that is not open
inline constexpr Status MoreData = 234;     // ERROR_MORE_DATA: the value does not fit the buffer

// Value types (winnt.h values).
inline constexpr std::uint32_t TypeSz = 1;        // REG_SZ
inline constexpr std::uint32_t TypeExpandSz = 2;  // REG_EXPAND_SZ
inline constexpr std::uint32_t TypeBinary = 3;    // REG_BINARY
inline constexpr std::uint32_t TypeDword = 4;     // REG_DWORD
inline constexpr std::uint32_t TypeMultiSz = 7;   // REG_MULTI_SZ
inline constexpr std::uint32_t TypeQword = 11;    // REG_QWORD

// A REG_DWORD's four bytes, least significant first, and back.
inline constexpr std::uint32_t DwordSize = 4;
using DwordData = std::array<std::uint8_t, DwordSize>;
constexpr DwordData DwordToBytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}
constexpr std::uint32_t DwordFromBytes(const std::uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

enum class Access { Read, Write };  // KEY_READ, KEY_WRITE

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExA: opens an existing key (several levels may be given, separated by "\").
    virtual Status OpenKey(Key parent, std::string_view path, Access access, Key& opened) = 0;
    // RegCreateKeyA: opens the key, creating every missing level of the path.
    virtual Status CreateKey(Key parent, std::string_view path, Key& opened) = 0;
    // RegQueryValueExA: size is the buffer's size in and the value's size out. A value larger than
    // the buffer gives MoreData and the needed size; data may be null to ask for the size only.
    virtual Status QueryValue(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                              std::uint32_t& size) = 0;
    // RegSetValueExA: stores exactly `size` bytes, creating or replacing the value.
    virtual Status SetValue(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                            std::uint32_t size) = 0;
    // RegQueryValueExW and RegSetValueExW: as above, but the data of a text type (REG_SZ,
    // REG_EXPAND_SZ, REG_MULTI_SZ) is UTF-16 in little-endian order, two bytes a unit, and sizes
    // count those bytes. Text stored through one kind of call reads through the other converted by
    // the ANSI code page (a character that it cannot hold becomes "?"). Names are ANSI text, as above.
    virtual Status QueryValueW(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                               std::uint32_t& size) = 0;
    virtual Status SetValueW(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                             std::uint32_t size) = 0;
    // RegDeleteValueA.
    virtual Status DeleteValue(Key key, std::string_view name) = 0;
    // RegCloseKey.
    virtual Status CloseKey(Key key) = 0;
};

// One open key, closed when it goes out of scope: every path through an operation closes what it
// opened.
class OpenedKey {
public:
    explicit OpenedKey(Registry& registry) noexcept : registry_(registry) {}
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() { reset(); }

    Status Open(Key parent, std::string_view path, Access access) {
        reset();
        return registry_.OpenKey(parent, path, access, key_);
    }
    Status Create(Key parent, std::string_view path) {
        reset();
        return registry_.CreateKey(parent, path, key_);
    }
    Key get() const noexcept { return key_; }
    explicit operator bool() const noexcept { return key_ != 0; }

    void reset() noexcept {
        if (key_ != 0) {
            registry_.CloseKey(key_);
            key_ = 0;
        }
    }

private:
    Registry& registry_;
    Key key_ = 0;
};

}  // namespace settings
