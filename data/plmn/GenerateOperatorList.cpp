// plmn-gen PROVIDERS.xml ISO_3166-1.json OUTPUT: writes the operator list.

#include "OperatorListBuilder.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(std::string("cannot read ") + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: plmn-gen PROVIDERS.xml ISO_3166-1.json OUTPUT\n";
        return 2;
    }
    try {
        const auto countries = pelmora::plmn::readCountryNames(readFile(argv[2]));
        const auto entries = pelmora::plmn::readOperators(readFile(argv[1]), countries);
        const std::string text = pelmora::plmn::writeOperatorList(entries);
        // Written beside the target and renamed, so a failed run leaves no
        // half list behind for the next build to take as up to date.
        const std::string temporary = std::string(argv[3]) + ".tmp";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            if (!out.flush()) {
                throw std::runtime_error("cannot write " + temporary);
            }
        }
        if (std::rename(temporary.c_str(), argv[3]) != 0) {
            throw std::runtime_error(std::string("cannot write ") + argv[3]);
        }
        std::cout << "plmn-gen: " << entries.size() << " operators\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "plmn-gen: " << error.what() << '\n';
        return 1;
    }
}
