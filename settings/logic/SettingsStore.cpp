#include "settings/logic/SettingsStore.h"

#include "settings/logic/NumberText.h"

#include <algorithm>
#include <array>
#include <exception>

namespace settings {

namespace {

constexpr std::uint32_t TextBufferBytes = 255;

// The delivered text of a text value: the first `size` bytes of the buffer, up to a NUL that another
// tool may have stored with the text.
std::string DeliveredText(const char* buffer, std::uint32_t size) {
    return std::string(buffer, std::find(buffer, buffer + size, '\0'));
}

}  // namespace

void SettingsStore::Report(const std::exception& failure, MessageIcon icon) {
    reporter_.ShowMessage(failure.what(), icon);
}

std::optional<Status> SettingsStore::CheckSettingsKey() {
    try {
        OpenedKey key(registry_);
        return key.Open(CurrentUser, SettingsKey, Access::Read);
    } catch (const std::exception& failure) {
        Report(failure, MessageIcon::Warning);
        return std::nullopt;
    }
}

bool SettingsStore::CreateSettingsKey() {
    try {
        OpenedKey software(registry_);
        if (software.Open(CurrentUser, SoftwareKey, Access::Write) != Success) return true;
        OpenedKey created(registry_);
        created.Create(software.get(), SettingsBelowSoftware);
        return true;
    } catch (const std::exception& failure) {
        reporter_.ShowMessage(std::string(CreateFailedText) + failure.what(), MessageIcon::Warning);
        return false;
    }
}

void SettingsStore::SaveDword(const char* name, std::int32_t value, MessageIcon icon) {
    try {
        OpenedKey key(registry_);
        if (key.Open(CurrentUser, SettingsKey, Access::Write) != Success) return;
        const DwordData data = DwordToBytes(static_cast<std::uint32_t>(value));
        registry_.SetValue(key.get(), name, TypeDword, data.data(), DwordSize);
    } catch (const std::exception& failure) {
        Report(failure, icon);
    }
}

// A 4-byte value is delivered as the first n characters of its signed decimal text, n being the byte
// count that the query reported; the text then becomes the caller's 16-bit number.
std::optional<std::int16_t> SettingsStore::LoadDword(const char* name, MessageIcon icon) {
    try {
        std::uint32_t size = DwordSize;
        std::uint32_t type = TypeDword;
        DwordData buffer{};
        OpenedKey key(registry_);
        if (key.Open(CurrentUser, SettingsKey, Access::Read) != Success) return std::nullopt;
        if (registry_.QueryValue(key.get(), name, type, buffer.data(), size) != Success) return std::nullopt;

        const auto number = static_cast<std::int32_t>(DwordFromBytes(buffer.data()));
        const std::string text = std::to_string(number).substr(0, size);
        // An empty value gives an empty text, which is no number: nothing is delivered.
        auto value = TextToLong(text);
        if (!value) return std::nullopt;
        return static_cast<std::int16_t>(*value);  // at most four characters: always fits
    } catch (const std::exception& failure) {
        Report(failure, icon);
        return std::nullopt;
    }
}

void SettingsStore::SaveText(const char* name, const std::string& text) {
    try {
        OpenedKey key(registry_);
        if (key.Open(CurrentUser, SettingsKey, Access::Write) != Success) return;
        registry_.SetValue(key.get(), name, TypeSz, reinterpret_cast<const std::uint8_t*>(text.data()),
                           static_cast<std::uint32_t>(text.size()));
    } catch (const std::exception&) {
        // Silent operation: nothing is shown, the previously stored value stays.
    }
}

std::optional<std::string> SettingsStore::LoadText(const char* name) {
    try {
        OpenedKey key(registry_);
        if (key.Open(CurrentUser, SettingsKey, Access::Read) != Success) return std::nullopt;
        std::array<char, TextBufferBytes> buffer;
        buffer.fill(' ');
        std::uint32_t size = TextBufferBytes;
        std::uint32_t type = TypeSz;
        if (registry_.QueryValue(key.get(), name, type, reinterpret_cast<std::uint8_t*>(buffer.data()), size) !=
            Success)
            return std::nullopt;
        return DeliveredText(buffer.data(), size);
    } catch (const std::exception& failure) {
        Report(failure, MessageIcon::Warning);
        return std::nullopt;
    }
}

void SettingsStore::SaveOnTopOn() { SaveDword(OnTopValue, 1, MessageIcon::Warning); }
void SettingsStore::SaveOnTopOff() { SaveDword(OnTopValue, 0, MessageIcon::Warning); }
std::optional<std::int16_t> SettingsStore::LoadOnTop() { return LoadDword(OnTopValue, MessageIcon::Information); }

void SettingsStore::SaveSkin(std::int32_t skin) { SaveDword(SkinValue, skin, MessageIcon::Warning); }
std::optional<std::int16_t> SettingsStore::LoadSkin() { return LoadDword(SkinValue, MessageIcon::Information); }

void SettingsStore::SaveResolution(const std::string& resolution) { SaveText(ResolutionValue, resolution); }
void SettingsStore::SaveLeft(float leftPixels) { SaveText(LeftValue, SingleToText(leftPixels)); }
void SettingsStore::SaveTop(float topPixels) { SaveText(TopValue, SingleToText(topPixels)); }

std::optional<std::string> SettingsStore::LoadResolution() { return LoadText(ResolutionValue); }
std::optional<std::string> SettingsStore::LoadLeft() { return LoadText(LeftValue); }
std::optional<std::string> SettingsStore::LoadTop() { return LoadText(TopValue); }

}  // namespace settings
