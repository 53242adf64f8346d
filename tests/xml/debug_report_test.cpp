#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xml/xml.h"

using xml::DebugReport;

namespace {

std::vector<std::string> g_shown;

void Record(const std::string& text) { g_shown.push_back(text); }

class DebugReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_shown.clear();
        DebugReport::SetSink(&Record);
    }
    void TearDown() override { DebugReport::SetSink(nullptr); }
};

}  // namespace

TEST_F(DebugReportTest, ShowWithEmptyTextShowsBuffer) {
    DebugReport report;
    report.Write("</a> expected");
    report.Show();
    EXPECT_EQ(g_shown, std::vector<std::string>{"</a> expected"});
}

TEST_F(DebugReportTest, NamedWriteAddsColonAndLineFeed) {
    DebugReport report;
    report.Write("error", "xml tag expected");
    report.Write("more");
    EXPECT_EQ(report.Buffered(), "error: xml tag expected\nmore");
    report.Show();
    EXPECT_EQ(g_shown, std::vector<std::string>{"error: xml tag expected\nmore"});
}

TEST_F(DebugReportTest, ShowWithTextShowsOnlyThatText) {
    DebugReport report;
    report.Write("buffered");
    report.Show("given");
    EXPECT_EQ(g_shown, std::vector<std::string>{"given"});
}

TEST_F(DebugReportTest, DisabledReportShowsNothing) {
    DebugReport report(false);
    report.Write("buffered");
    report.Show();
    report.Show("given");
    EXPECT_TRUE(g_shown.empty());
    EXPECT_EQ(report.Buffered(), "buffered");
}

TEST_F(DebugReportTest, NullSinkRestoresStandardError) {
    DebugReport::SetSink(nullptr);
    DebugReport report;
    report.Write("< expected");
    ::testing::internal::CaptureStderr();
    report.Show();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "< expected\n");
    EXPECT_TRUE(g_shown.empty());
}
