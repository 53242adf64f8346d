// A beeline about to be sent: its URL, method, parameters with the values to send, and where it
// opens; and how the parameters go on the wire.
#pragma once

#include <map>
#include <string>

#include "xml/xml.h"

namespace beelines {

class SecureCipher;

enum class ParamKind { Regular = 0, Secure = 1, Select = 2 };

struct RequestParam {
    ParamKind kind = ParamKind::Regular;
    std::map<std::string, std::string> options;  // option name -> value sent when chosen
    std::string value;                           // plain text, deciphered for Secure
};

// Ordered by byte-wise name comparison, which is the order they are sent in.
using RequestParams = std::map<std::string, RequestParam>;

struct BeelineRequest {
    std::string url;
    RequestParams params;
    bool post = false;
    bool newWindow = false;
};

// The parameter described by a child element of a beeline (any element name). A secure value is
// deciphered with `cipher`.
RequestParam MakeRequestParam(const xml::XmlElement& param, const SecureCipher& cipher);

// Every child element of `beeline` with a "name" attribute, the first of each name winning.
RequestParams ReadRequestParams(const xml::XmlElement& beeline, const SecureCipher& cipher);

// name=value pairs joined by "&" in map order; GET values percent-encoded, POST values as stored.
std::string ComposeRequestData(const RequestParams& params, bool post);

// Letters and digits as they are, every other byte as "%" and two upper-case hex digits.
std::string UrlEncodeValue(const std::string& text);

// The URL the browser is sent to: for GET with data, url + "?" + data (even when url already has a
// "?"); otherwise url unchanged.
std::string NavigationUrl(const BeelineRequest& request);

// The header sent with a POST body.
extern const char* const kPostHeaders;

}  // namespace beelines
