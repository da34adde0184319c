#include "settings/Win32Registry.h"
#include "settings/logic/StartupRegistration.h"
#include "tests/contract/RegistryUnderTest.h"

#include <windows.h>

namespace tests {

namespace {
// Runs in a test prefix of its own (CTest sets WINEPREFIX), never in a user's profile.
class Win32UnderTest : public RegistryUnderTest {
public:
    settings::Registry& Get() override { return registry_; }
    void Clear() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brellik's Software");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, settings::RunKey, settings::RunValue);
    }

private:
    settings::Win32Registry registry_;
};
}  // namespace

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest() { return std::make_unique<Win32UnderTest>(); }

}  // namespace tests
