// Documents from fixture files in the project's own XML format:
//
//   <document title="..." url="..." scrolltop="0" body="none">
//     <a href="..." text="inner text"/>   <area href="..."/>   <img alt="..." src="..."/>
//     <form name="..." method="..." action="...">
//       <input name="..." value="..." type="..."/>   <textarea .../>   <button .../>
//       <select name="..." value="..."><option value="..." text="..."/></select>
//     </form>
//     <frame src="other.xml"/>
//   </document>
//
// Every attribute but "text" is an attribute of the element; "text" is its inner text.
#include "tests/browser/standin/standin.h"
#include "xml/xml.h"

#include <fstream>
#include <stdexcept>

namespace standin {

namespace {

ComRef<Element> MakeElement(const xml::XmlElement& source)
{
    auto element = ComRef<Element>::Share(new Element(source.name));
    for (const xml::XmlAttribute* a = source.attributes; a; a = a->next) {
        if (a->name == "text")
            element->innerText = a->value;
        else
            element->attributes.emplace_back(a->name, a->value);
    }
    for (const xml::XmlElement* child = source.firstChild; child; child = child->nextSibling)
        element->children.push_back(MakeElement(*child));
    return element;
}

std::string Directory(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

ComRef<Document> LoadDocument(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open fixture " + path);
    xml::XmlDocument source(true);
    in >> source;
    if (!source.root || source.root->name != "document")
        throw std::runtime_error("fixture " + path + " has no document element");
    const xml::XmlElement& root = *source.root;

    auto document = ComRef<Document>::Share(new Document);
    document->title = xml::AttributeValue(root.attributes, "title");
    document->url = xml::AttributeValue(root.attributes, "url");
    if (xml::AttributeValue(root.attributes, "body") == "none")
        document->body.Reset();
    else
        document->body->scrollTop = std::stol("0" + xml::AttributeValue(root.attributes, "scrolltop"));

    for (const xml::XmlElement* child = root.firstChild; child; child = child->nextSibling) {
        if (child->name == "frame") {
            auto window = ComRef<FrameWindow>::Share(new FrameWindow);
            window->document =
                LoadDocument(Directory(path) + xml::AttributeValue(child->attributes, "src"));
            document->frames->windows.push_back(window);
        } else if (child->name == "a" || child->name == "area") {
            document->links->entries.push_back(MakeElement(*child));
        } else if (child->name == "img") {
            document->images->entries.push_back(MakeElement(*child));
        } else if (child->name == "form") {
            document->forms->entries.push_back(MakeElement(*child));
        } else {
            throw std::runtime_error("fixture " + path + ": unknown element " + child->name);
        }
    }
    return document;
}

}  // namespace standin
