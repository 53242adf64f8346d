#include "browser/com_support.h"

#include <exdisp.h>
#include <mshtml.h>

namespace browser::detail {

std::string Narrow(BSTR text)
{
    const int length = static_cast<int>(SysStringLen(text));
    if (length == 0)
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

BSTR WideFromAnsi(const std::string& text)
{
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(size));
    if (wide)
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide, size);
    return wide;
}

ComRef<IHTMLDocument2> ShownDocument(IWebBrowser2* browser)
{
    ComRef<IDispatch> dispatch;
    ComRef<IHTMLDocument2> document;
    if (SUCCEEDED(browser->get_Document(dispatch.Out())))
        Query(dispatch.Get(), IID_IHTMLDocument2, document);
    return document;
}

BSTR WidenBytes(const std::string& bytes)
{
    BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(bytes.size()));
    if (wide) {
        for (size_t i = 0; i < bytes.size(); ++i)
            wide[i] = static_cast<unsigned char>(bytes[i]);
    }
    return wide;
}

}  // namespace browser::detail
