#include "tests/contract/RegistryUnderTest.h"
#include "tests/support/MemoryRegistry.h"

namespace tests {

namespace {
class MemoryUnderTest : public RegistryUnderTest {
public:
    settings::Registry& Get() override { return registry_; }
    void Clear() override { registry_ = settings::MemoryRegistry(); }

private:
    settings::MemoryRegistry registry_;
};
}  // namespace

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest() { return std::make_unique<MemoryUnderTest>(); }

}  // namespace tests
