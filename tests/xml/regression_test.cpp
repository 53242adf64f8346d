// Inputs that once broke the reader or the writer, and hostile shapes worth keeping: each must
// read (or fail with a message) without crashing, and keep the round-trip property.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/xml/round_trip_check.h"

TEST(XmlRegressions, StoredInputsKeepTheRoundTripProperty) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator("regressions")) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(xml_test::CheckRoundTrip(bytes), "") << entry.path().filename().string();
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}
