#pragma once
// The real registry, through the registry functions of advapi32: the ANSI ones, and the Unicode ones
// for the values that hold text of any character.

#include "settings/logic/Registry.h"

namespace settings {

class Win32Registry : public Registry {
public:
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
};

}  // namespace settings
