#include "settings/Win32Registry.h"

#include <windows.h>

#include <string>
#include <vector>

namespace settings {

namespace {

HKEY ToHkey(Key key) { return reinterpret_cast<HKEY>(key); }

// A value name for the Unicode functions, converted as the ANSI functions convert it.
std::wstring WideName(std::string_view name) {
    if (name.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(), length);
    return wide;
}

// The set functions store one terminator more than asked for a string type when the asked bytes do
// not end in one but the bytes after them are NULs (taking them for a forgotten terminator). A copy
// followed by bytes that are no NUL stores exactly `size` bytes, as the caller asked.
std::vector<BYTE> GuardedCopy(const std::uint8_t* data, std::uint32_t size) {
    std::vector<BYTE> copy(data, data + size);
    copy.push_back(0xFF);
    copy.push_back(0xFF);
    return copy;
}

// RegQueryValueExA or RegQueryValueExW, with the name in the characters it takes: the type and size in
// and out as the registry interface has them.
template <class Char>
Status Query(LSTATUS(WINAPI* query)(HKEY, const Char*, DWORD*, DWORD*, BYTE*, DWORD*), Key key,
             const std::basic_string<Char>& name, std::uint32_t& type, std::uint8_t* data, std::uint32_t& size) {
    DWORD valueType = type;
    DWORD valueSize = size;
    const LSTATUS status = query(ToHkey(key), name.c_str(), nullptr, &valueType, data, &valueSize);
    type = valueType;
    size = valueSize;
    return status;
}

}  // namespace

Status Win32Registry::OpenKey(Key parent, std::string_view path, Access access, Key& opened) {
    HKEY key = nullptr;
    const std::string text(path);
    const LSTATUS status =
        RegOpenKeyExA(ToHkey(parent), text.c_str(), 0, access == Access::Read ? KEY_READ : KEY_WRITE, &key);
    opened = status == ERROR_SUCCESS ? reinterpret_cast<Key>(key) : 0;
    return status;
}

Status Win32Registry::CreateKey(Key parent, std::string_view path, Key& opened) {
    HKEY key = nullptr;
    const std::string text(path);
    const LSTATUS status = RegCreateKeyA(ToHkey(parent), text.c_str(), &key);
    opened = status == ERROR_SUCCESS ? reinterpret_cast<Key>(key) : 0;
    return status;
}

Status Win32Registry::QueryValue(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                                 std::uint32_t& size) {
    return Query(&RegQueryValueExA, key, std::string(name), type, data, size);
}

Status Win32Registry::SetValue(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                               std::uint32_t size) {
    const std::string text(name);
    const std::vector<BYTE> copy = GuardedCopy(data, size);
    return RegSetValueExA(ToHkey(key), text.c_str(), 0, type, copy.data(), size);
}

Status Win32Registry::QueryValueW(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                                  std::uint32_t& size) {
    return Query(&RegQueryValueExW, key, WideName(name), type, data, size);
}

Status Win32Registry::SetValueW(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t size) {
    const std::wstring wide = WideName(name);
    const std::vector<BYTE> copy = GuardedCopy(data, size);
    return RegSetValueExW(ToHkey(key), wide.c_str(), 0, type, copy.data(), size);
}

Status Win32Registry::DeleteValue(Key key, std::string_view name) {
    const std::string text(name);
    return RegDeleteValueA(ToHkey(key), text.c_str());
}

Status Win32Registry::CloseKey(Key key) { return RegCloseKey(ToHkey(key)); }

}  // namespace settings
