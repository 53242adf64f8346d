// Reading the links, images and forms of the browser's document and its frames into the
// Structure page's controls.
#include "browser/browser_link.h"

#include "browser/com_support.h"
#include "browser/structure_image.h"

#include <commctrl.h>
#include <mshtml.h>

namespace browser {

using detail::Bstr;
using detail::Check;
using detail::ComFailure;
using detail::Require;
using detail::Variant;

namespace {

using FillStep = void (*)(IHTMLDocument2* document, HWND target);

ComRef<IHTMLElementCollection> Collection(HRESULT (STDMETHODCALLTYPE IHTMLDocument2::*get)(IHTMLElementCollection**),
                                          IHTMLDocument2* document)
{
    ComRef<IHTMLElementCollection> collection;
    Check((document->*get)(collection.Out()));
    if (!collection)
        throw ComFailure{E_POINTER};
    return collection;
}

// Entry i of a collection, asked for by number in both the name and the index argument.
template <class Container>
ComRef<IDispatch> Entry(Container* container, long i)
{
    ComRef<IDispatch> entry;
    Check(container->item(*Variant::Index(i), *Variant::Index(i), entry.Out()));
    return entry;
}

std::string ElementAttribute(IHTMLElement* element, const char* name)
{
    Bstr wideName(detail::WideFromAnsi(name));
    Variant value;
    Check(element->getAttribute(wideName.Get(), 0, value.Get()));
    if (value.Get()->vt != VT_BSTR &&
        FAILED(VariantChangeType(value.Get(), value.Get(), 0, VT_BSTR)))
        return std::string();  // absent (VT_NULL) or not expressible as text
    return detail::Narrow(value.Get()->bstrVal);
}

// --- Lists ----------------------------------------------------------------------------------

void AppendRow(HWND list, StructureImage image, long index, const std::string& name,
               const std::string& reference)
{
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    row.pszText = const_cast<char*>("");
    row.iImage = static_cast<int>(image);
    row.lParam = index;
    const auto at = SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    if (at < 0)
        return;
    const std::string* columns[] = {&name, &reference};
    for (int column = 0; column < 2; ++column) {
        LVITEMA text{};
        text.iSubItem = column;
        text.pszText = const_cast<char*>(columns[column]->c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&text));
    }
}

// Reads the two columns of one collection entry.
using RowReader = void (*)(IDispatch* entry, std::string& name, std::string& reference);

void FillList(HWND list, IHTMLElementCollection* collection, StructureImage image, RowReader read)
{
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    long count = 0;
    Check(collection->get_length(&count));
    for (long i = 0; i < count; ++i) {
        auto entry = Entry(collection, i);
        std::string name, reference;
        read(entry.Get(), name, reference);
        AppendRow(list, image, i, name, reference);
    }
}

void ReadLink(IDispatch* entry, std::string& text, std::string& href)
{
    // An image-map area is in the links collection too, but is no anchor.
    auto anchor = Require<IHTMLAnchorElement>(entry, IID_IHTMLAnchorElement);
    Bstr value;
    Check(anchor->get_href(value.Out()));
    href = detail::Narrow(value.Get());
    auto element = Require<IHTMLElement>(anchor.Get(), IID_IHTMLElement);
    Check(element->get_innerText(value.Out()));
    text = detail::Narrow(value.Get());
}

void ReadImage(IDispatch* entry, std::string& alt, std::string& src)
{
    auto image = Require<IHTMLImgElement>(entry, IID_IHTMLImgElement);
    Bstr value;
    Check(image->get_alt(value.Out()));
    alt = detail::Narrow(value.Get());
    Check(image->get_src(value.Out()));
    src = detail::Narrow(value.Get());
}

void FillLinks(IHTMLDocument2* document, HWND list)
{
    FillList(list, Collection(&IHTMLDocument2::get_links, document).Get(), StructureImage::LinkEntry,
             ReadLink);
}

void FillImages(IHTMLDocument2* document, HWND list)
{
    FillList(list, Collection(&IHTMLDocument2::get_images, document).Get(),
             StructureImage::ImageEntry, ReadImage);
}

// --- Form tree ------------------------------------------------------------------------------

HTREEITEM AppendItem(HWND tree, HTREEITEM parent, const std::string& label, StructureImage image)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(label.c_str());
    insert.item.iImage = static_cast<int>(image);
    insert.item.iSelectedImage = static_cast<int>(image);
    insert.item.lParam = 0;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

StructureImage ControlImage(const std::string& type, bool select, bool textArea)
{
    if (select)
        return StructureImage::SelectControl;
    if (textArea)
        return StructureImage::TextAreaControl;
    if (type == "text")
        return StructureImage::TextInput;
    if (type == "password")
        return StructureImage::PasswordInput;
    if (type == "checkbox")
        return StructureImage::CheckboxInput;
    if (type == "radio")
        return StructureImage::RadioInput;
    return StructureImage::OtherInput;
}

// Option items show the option's own text, what the user picks from in the page.
void AppendOptions(HWND tree, HTREEITEM control, IHTMLSelectElement* select)
{
    long count = 0;
    Check(select->get_length(&count));
    for (long k = 0; k < count; ++k) {
        auto option = Require<IHTMLOptionElement>(Entry(select, k).Get(), IID_IHTMLOptionElement);
        Bstr text;
        Check(option->get_text(text.Out()));
        AppendItem(tree, control, detail::Narrow(text.Get()), StructureImage::SelectControl);
    }
}

void AppendControl(HWND tree, HTREEITEM form, IDispatch* entry)
{
    auto element = Require<IHTMLElement>(entry, IID_IHTMLElement);
    ComRef<IHTMLInputElement> input;
    ComRef<IHTMLSelectElement> select;
    ComRef<IHTMLTextAreaElement> textArea;
    detail::Query(element.Get(), IID_IHTMLInputElement, input);
    detail::Query(element.Get(), IID_IHTMLSelectElement, select);
    detail::Query(element.Get(), IID_IHTMLTextAreaElement, textArea);
    if (!input && !select && !textArea)
        return;  // a button and the like carry no parameter
    const std::string name = ElementAttribute(element.Get(), "name");
    const std::string value = ElementAttribute(element.Get(), "value");
    const std::string type = ElementAttribute(element.Get(), "type");
    const HTREEITEM item =
        AppendItem(tree, form, name + "=" + value, ControlImage(type, bool(select), bool(textArea)));
    if (select)
        AppendOptions(tree, item, select.Get());
}

void FillForms(IHTMLDocument2* document, HWND tree)
{
    auto forms = Collection(&IHTMLDocument2::get_forms, document);
    long count = 0;
    Check(forms->get_length(&count));
    for (long i = 0; i < count; ++i) {
        auto entry = Entry(forms.Get(), i);
        auto element = Require<IHTMLElement>(entry.Get(), IID_IHTMLElement);
        auto form = Require<IHTMLFormElement>(entry.Get(), IID_IHTMLFormElement);
        long controls = 0;
        Check(form->get_length(&controls));
        std::string name = ElementAttribute(element.Get(), "name");
        if (name.empty())
            name = "form";
        const std::string label = name + " -- " + ElementAttribute(element.Get(), "method") +
                                  " -> " + ElementAttribute(element.Get(), "action");
        const HTREEITEM item = AppendItem(tree, TVI_ROOT, label, StructureImage::FormEntry);
        for (long j = 0; j < controls; ++j)
            AppendControl(tree, item, Entry(form.Get(), j).Get());
    }
}

// --- Frames ---------------------------------------------------------------------------------

// Runs the fill step on every frame document below `document`, depth first.
void WalkFrames(IHTMLDocument2* document, FillStep fill, HWND target)
{
    ComRef<IHTMLFramesCollection2> frames;
    Check(document->get_frames(frames.Out()));
    if (!frames)
        throw ComFailure{E_POINTER};
    long count = 0;
    Check(frames->get_length(&count));
    for (long i = 0; i < count; ++i) {
        Variant index = Variant::Index(i);
        Variant frame;
        Check(frames->item(index.Get(), frame.Get()));
        if (frame.Get()->vt != VT_DISPATCH)
            throw ComFailure{E_POINTER};
        auto window = Require<IHTMLWindow2>(frame.Get()->pdispVal, IID_IHTMLWindow2);
        ComRef<IHTMLDocument2> frameDocument;
        Check(window->get_document(frameDocument.Out()));
        if (!frameDocument)
            continue;
        fill(frameDocument.Get(), target);
        WalkFrames(frameDocument.Get(), fill, target);
    }
}

}  // namespace

void BrowserLink::GetDocumentStructure(HWND linkList, HWND imageList, HWND formTree)
{
    auto browser = ComRef<IWebBrowser2>::Adopt(FindBrowser(shellWindows_.Get(), nullptr));
    if (!browser)
        return;
    auto document = detail::ShownDocument(browser.Get());
    if (!document)
        return;
    try {
        FillLinks(document.Get(), linkList);
        FillImages(document.Get(), imageList);
        FillForms(document.Get(), formTree);
        WalkFrames(document.Get(), FillLinks, linkList);
        WalkFrames(document.Get(), FillImages, imageList);
        WalkFrames(document.Get(), FillForms, formTree);
    } catch (const ComFailure& failure) {
        throw BrowserError("Failed to get structure of a document: " + ComErrorText(failure.hr));
    }
}

}  // namespace browser
