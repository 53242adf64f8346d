#include "beelines/request.h"

#include "beelines/secure_cipher.h"

namespace beelines {

namespace {

bool IsLetterOrDigit(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

const char* const kPostHeaders = "Content-Type: application/x-www-form-urlencoded\r\n";

RequestParam MakeRequestParam(const xml::XmlElement& param, const SecureCipher& cipher) {
    RequestParam result;
    result.value = xml::AttributeValue(param.attributes, "value");
    const xml::XmlAttribute* type = xml::FindAttribute(param.attributes, "type");
    if (type != nullptr && type->value == "secure") {
        result.kind = ParamKind::Secure;
        if (!result.value.empty()) cipher.DecryptSecureValue(result.value);
    } else if (param.firstChild != nullptr) {
        result.kind = ParamKind::Select;
    }
    for (const xml::XmlElement* option = param.firstChild; option != nullptr;
         option = option->nextSibling) {
        const xml::XmlAttribute* name = xml::FindAttribute(option->attributes, "name");
        if (name != nullptr) {
            result.options.emplace(name->value, xml::AttributeValue(option->attributes, "value"));
        }
    }
    return result;
}

RequestParams ReadRequestParams(const xml::XmlElement& beeline, const SecureCipher& cipher) {
    RequestParams params;
    for (const xml::XmlElement* param = beeline.firstChild; param != nullptr;
         param = param->nextSibling) {
        const xml::XmlAttribute* name = xml::FindAttribute(param->attributes, "name");
        if (name != nullptr && params.find(name->value) == params.end()) {
            params.emplace(name->value, MakeRequestParam(*param, cipher));
        }
    }
    return params;
}

std::string ComposeRequestData(const RequestParams& params, bool post) {
    std::string data;
    for (const auto& [name, param] : params) {
        if (!data.empty()) data += '&';
        data += name;
        data += '=';
        data += post ? param.value : UrlEncodeValue(param.value);
    }
    return data;
}

std::string UrlEncodeValue(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsLetterOrDigit(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string NavigationUrl(const BeelineRequest& request) {
    if (request.post) return request.url;
    const std::string data = ComposeRequestData(request.params, false);
    return data.empty() ? request.url : request.url + "?" + data;
}

}  // namespace beelines
