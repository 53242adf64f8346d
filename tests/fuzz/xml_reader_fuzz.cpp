// Feeds arbitrary bytes to the reader. Besides crashes, leaks and hangs, it checks that every
// document that reads successfully survives a write and a second read (see round_trip_check.h).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/xml/round_trip_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string failure = xml_test::CheckRoundTrip(bytes);
    if (!failure.empty()) {
        std::fprintf(stderr, "round trip broken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
