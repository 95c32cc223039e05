#include "ExportsFixture.h"

#include "frame/PluginLifetime.h"

namespace brontel {

std::u16string text(const char16_t* field) {
    return field;
}

void Exports::SetUp() {
    ASSERT_NO_FATAL_FAILURE(useVirtualSim());
    attach({});
    ASSERT_NE(pcsc_context, 0u);
    insertFile(test::cardPath("demo"));
}

void Exports::TearDown() {
    if (handle != nullptr) {
        disconnect_sim(handle);
    }
    detach();
}

SimHandle Exports::connect(int reader, SimInfo* info) {
    SimHandle h = nullptr;
    EXPECT_EQ(connect_sim(readerName(reader).c_str(), &h, info), 1);
    return h;
}

} // namespace brontel
