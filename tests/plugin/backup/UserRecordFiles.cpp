#include "UserRecordFiles.h"

#include "card/CardProfile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace brontel::test {
namespace {

using Files = std::map<std::string, std::vector<std::vector<uint8_t>>>;

void collect(const virtualsim::CardFile& file, Files& out) {
    if (file.isDirectory()) {
        for (const auto& child : file.children()) {
            collect(*child, out);
        }
        return;
    }
    if (!file.isRecordFile() || file.access().update > virtualsim::access::kChv2) {
        return;
    }
    auto& records = out[file.path()];
    for (size_t number = 1; number <= file.recordCount(); ++number) {
        const auto record = file.record(number);
        records.emplace_back(record.begin(), record.end());
    }
}

} // namespace

Files userRecordFiles(const std::filesystem::path& profile) {
    std::ifstream in(profile, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    auto loaded = virtualsim::CardProfile::load(bytes);
    if (const auto* error = std::get_if<std::string>(&loaded)) {
        ADD_FAILURE() << profile << ": " << *error;
        return {};
    }
    Files files;
    collect(std::get<virtualsim::CardProfile::Loaded>(loaded).card->mf(), files);
    return files;
}

} // namespace brontel::test
