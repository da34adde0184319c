#pragma once
// The registry that the contract tests run on: the in-memory one natively, the real one under Wine.
// Both must give the same statuses, types and byte counts.

#include "settings/logic/Registry.h"

#include <memory>

namespace tests {

class RegistryUnderTest {
public:
    virtual ~RegistryUnderTest() = default;
    virtual settings::Registry& Get() = 0;
    // Back to a fresh profile: no settings key (nor its parent keys), no Run value.
    virtual void Clear() = 0;
};

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest();

}  // namespace tests
