#include "SystemInfo.h"
#include "ModuleVersion.h"

#include <gtest/gtest.h>

namespace pelmora::log {
namespace {

TEST(ModuleVersion, FileVersionsReadAsTheAboutBoxShowsThem) {
    const struct {
        uint16_t a, b, c, d;
        const char* text;
    } cases[] = {
        {2, 1, 1, 0, "2.01.1"},
        {2, 1, 0, 0, "2.01"},
        {2, 10, 0, 0, "2.10"},
        {1, 2, 3, 4, "1.02.3.4"},
        {3, 0, 0, 0, "3.00"},
        {0, 5, 0, 7, "0.05.0.7"},
        {65535, 65535, 65535, 65535, "65535.65535.65535.65535"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatFileVersion(uint32_t(c.a) << 16 | c.b, uint32_t(c.c) << 16 | c.d), c.text);
    }
}

TEST(ModuleVersion, MissingModuleIsUnknown) {
    const ModuleVersion version = moduleVersion("/no/such/module.so");
    EXPECT_EQ(version.path, "/no/such/module.so");
    for (const std::string* text :
         {&version.fileVersion, &version.productVersion, &version.productName, &version.description,
          &version.copyright}) {
        EXPECT_EQ(*text, "Unknown");
    }
    EXPECT_EQ(moduleVersion().productName, "Pelmora");
}

TEST(SystemInfo, OperatingSystemFromOsReleaseAndKernel) {
    const char* debian = "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                         "NAME=\"Debian GNU/Linux\"\nID=debian\n";
    EXPECT_EQ(osDescriptionFrom(debian, "Linux 6.1.0 x86_64"),
              "Debian GNU/Linux 12 (bookworm) (Linux 6.1.0 x86_64)");
    EXPECT_EQ(osDescriptionFrom("PRETTY_NAME=Alpine\n", ""), "Alpine");
    EXPECT_EQ(osDescriptionFrom("", "Linux 6.1.0 aarch64"), "(Linux 6.1.0 aarch64)");
    EXPECT_EQ(osDescriptionFrom("PRETTY_NAME=\"\n", ""), "\"");
}

TEST(SystemInfo, LanguageNamesFromLocaleNames) {
    const struct {
        const char* locale;
        const char* name;
    } cases[] = {
        {"de_DE.UTF-8", "German (DE)"},
        {"en_US", "English (US)"},
        {"ru", "Russian"},
        {"sr_RS@latin", "Serbian (RS)"},
        {"C", ""},
        {"POSIX", ""},
        {"C.UTF-8", ""},
        {"", ""},
        {"tlh_QO.UTF-8", "tlh_QO"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(languageNameFor(c.locale), c.name) << c.locale;
    }
}

TEST(SystemInfo, ProcessorFromCpuinfo) {
    const char* x86 = "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\n"
                      "model\t\t: 158\nmodel name\t: Intel(R) Core(TM) i5-9400 CPU @ 2.90GHz\n"
                      "stepping\t: 10\ncpu MHz\t\t: 2904.000\n\nprocessor\t: 1\n"
                      "vendor_id\t: Other\n";
    EXPECT_EQ(processorDescriptionFrom(x86, "x86_64"),
              "Intel(R) Core(TM) i5-9400 CPU @ 2.90GHz x86_64 Family 6 Model 158 Stepping 10 "
              "GenuineIntel 2904 ");
    // Fields that another architecture lacks are skipped.
    EXPECT_EQ(processorDescriptionFrom("processor\t: 0\nBogoMIPS\t: 48.00\n", "aarch64"), "");
    EXPECT_EQ(processorDescriptionFrom("model name : Cortex\n", "aarch64"), "Cortex ");
}

TEST(SystemInfo, MemoryInMegabytes) {
    EXPECT_EQ(memoryDescriptionFrom("MemTotal:       16314236 kB\nMemFree: 1 kB\n"),
              "15931 MB RAM");
    EXPECT_EQ(memoryDescriptionFrom("MemFree: 1 kB\n"), "");
    EXPECT_EQ(memoryDescriptionFrom("MemTotal: garbage\n"), "0 MB RAM");
    EXPECT_NE(memoryDescription().find(" MB RAM"), std::string::npos);
}

} // namespace
} // namespace pelmora::log
