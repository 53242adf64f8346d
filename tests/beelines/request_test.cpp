#include <gtest/gtest.h>

#include <sstream>

#include "beelines/request.h"
#include "beelines/secure_cipher.h"
#include "tests/beelines/beelines_test_util.h"

namespace {

using beelines::BeelineRequest;
using beelines::ParamKind;
using beelines::RequestParams;
using beelines_test::Parse;

RequestParams ParamsOf(const std::string& beelineXml) {
    auto document = Parse(beelineXml);
    return beelines::ReadRequestParams(*document->root, beelines::ProcessCipher());
}

TEST(ComposeRequestData, EncodesTheWorkedExampleForGetAndPost) {
    BeelineRequest request;
    request.url = "http://example.org/find";
    request.params = ParamsOf(
        "<node name=\"n\" get=\"u\"><param name=\"q\" value=\"a b&amp;c\"/>"
        "<param name=\"lang\" value=\"en\"/></node>");
    EXPECT_EQ(beelines::NavigationUrl(request), "http://example.org/find?lang=en&q=a%20b%26c");
    EXPECT_EQ(beelines::ComposeRequestData(request.params, true), "lang=en&q=a b&c");
    request.post = true;
    EXPECT_EQ(beelines::NavigationUrl(request), "http://example.org/find");
}

TEST(ComposeRequestData, SendsParametersInByteOrderOfTheirNames) {
    const RequestParams params = ParamsOf(
        "<node><param name=\"b\" value=\"2\"/><param name=\"a\" value=\"1\"/>"
        "<param name=\"C\" value=\"3\"/></node>");
    EXPECT_EQ(beelines::ComposeRequestData(params, false), "C=3&a=1&b=2");
}

TEST(ComposeRequestData, KeepsTheFirstOfTwoNamesAndDropsUnnamedParameters) {
    const RequestParams params = ParamsOf(
        "<node><param name=\"q\" value=\"first\"/><param value=\"nameless\"/>"
        "<param name=\"q\" value=\"second\"/><param name=\"empty\"/></node>");
    EXPECT_EQ(beelines::ComposeRequestData(params, false), "empty=&q=first");
}

TEST(ComposeRequestData, EmptyParametersGiveNoDataAndABareUrl) {
    BeelineRequest request;
    request.url = "http://example.org/?x=1";
    EXPECT_EQ(beelines::ComposeRequestData(request.params, true), "");
    EXPECT_EQ(beelines::NavigationUrl(request), "http://example.org/?x=1");
    request.params = ParamsOf("<node><param name=\"y\" value=\"2\"/></node>");
    EXPECT_EQ(beelines::NavigationUrl(request), "http://example.org/?x=1?y=2");
}

TEST(UrlEncodeValue, CopiesOnlyLettersAndDigits) {
    EXPECT_EQ(beelines::UrlEncodeValue(""), "");
    EXPECT_EQ(beelines::UrlEncodeValue("AZaz09"), "AZaz09");
    EXPECT_EQ(beelines::UrlEncodeValue("-_.~ +"), "%2D%5F%2E%7E%20%2B");
    EXPECT_EQ(beelines::UrlEncodeValue("\xE4\xFF\x80\x01"), "%E4%FF%80%01");
    EXPECT_EQ(beelines::UrlEncodeValue(std::string(1, '\0')), "%00");
}

TEST(MakeRequestParam, ClassifiesSecureSelectAndRegular) {
    auto document = Parse(
        "<node><param name=\"s\" type=\"secure\"/><param name=\"S\" type=\"Secure\"/>"
        "<param name=\"r\" type=\"regular\"><o name=\"x\" value=\"1\"/></param>"
        "<param name=\"plain\" value=\"v\"/></node>");
    const RequestParams params =
        beelines::ReadRequestParams(*document->root, beelines::ProcessCipher());
    EXPECT_EQ(params.at("s").kind, ParamKind::Secure);
    EXPECT_EQ(params.at("S").kind, ParamKind::Regular);
    EXPECT_EQ(params.at("r").kind, ParamKind::Select);
    EXPECT_EQ(params.at("plain").kind, ParamKind::Regular);
    EXPECT_EQ(params.at("plain").value, "v");
    EXPECT_TRUE(params.at("plain").options.empty());
}

TEST(MakeRequestParam, DeciphersSecureValuesAndLeavesEmptyOnesEmpty) {
    std::string stored = "p4ss w&rd";
    beelines::ProcessCipher().EncryptSecureValue(stored);
    const RequestParams params = ParamsOf("<node><param name=\"pw\" type=\"secure\" value=\"" +
                                          stored + "\"/><param name=\"ask\" type=\"secure\" "
                                                   "value=\"\"/></node>");
    EXPECT_EQ(params.at("pw").value, "p4ss w&rd");
    EXPECT_EQ(params.at("ask").value, "");
}

TEST(MakeRequestParam, TakesOptionsOfAnyElementNameFirstNameWinning) {
    const RequestParams params = ParamsOf(
        "<node><param name=\"lang\" value=\"de\"><option name=\"English\" value=\"en\"/>"
        "<choice name=\"German\" value=\"de\"/><option value=\"nameless\"/>"
        "<option name=\"English\" value=\"en-GB\"/><option name=\"None\"/></param></node>");
    const auto& options = params.at("lang").options;
    ASSERT_EQ(options.size(), 3u);
    EXPECT_EQ(options.at("English"), "en");
    EXPECT_EQ(options.at("German"), "de");
    EXPECT_EQ(options.at("None"), "");
    EXPECT_EQ(params.at("lang").value, "de");
}

}  // namespace
