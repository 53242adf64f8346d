// Reading a page's links, images and forms (and its frames') into the Structure page's controls.
#include "tests/browser/link_test_support.h"

#include "browser/structure_image.h"

namespace {

using browser::BrowserError;
using browser::GetBrowserLink;
using browser::StructureImage;
using link_test::Controls;
using link_test::LinkTest;
using link_test::ListRow;
using link_test::OpenBrowser;
using link_test::TreeItem;

constexpr int Image(StructureImage image)
{
    return static_cast<int>(image);
}

std::string StructureFails(const Controls& controls)
{
    try {
        GetBrowserLink(false)->GetDocumentStructure(controls.links, controls.images, controls.forms);
    } catch (const BrowserError& error) {
        return error.what();
    }
    return "no failure";
}

std::vector<std::string> Labels(const std::vector<TreeItem>& items, int depth)
{
    std::vector<std::string> labels;
    for (const auto& item : items) {
        if (item.depth == depth)
            labels.push_back(item.label);
    }
    return labels;
}

class StructureTest : public LinkTest {
protected:
    void Read() { EXPECT_EQ(StructureFails(controls), "no failure"); }

    Controls controls;
};

TEST_F(StructureTest, PageWithoutFramesListsItsLinksAndImages)
{
    OpenBrowser("plain");
    Read();
    const auto links = controls.Rows(controls.links);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].name, "One");
    EXPECT_EQ(links[0].reference, "http://pages.test/one.html");
    EXPECT_EQ(links[1].name, "Two & more");
    for (size_t i = 0; i < links.size(); ++i) {
        EXPECT_EQ(links[i].image, Image(StructureImage::LinkEntry));
        EXPECT_EQ(links[i].data, static_cast<LPARAM>(i));
    }
    const auto images = controls.Rows(controls.images);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].name, "Logo");
    EXPECT_EQ(images[0].reference, "http://pages.test/logo.png");
    EXPECT_EQ(images[1].name, "");  // no alt text
    EXPECT_EQ(images[1].reference, "http://pages.test/spacer.gif");
    EXPECT_EQ(images[1].image, Image(StructureImage::ImageEntry));
    EXPECT_EQ(images[1].data, 1);
}

TEST_F(StructureTest, FormsShowTheirControlsByKindAndSelectsTheirOptions)
{
    OpenBrowser("plain");
    Read();
    const std::vector<TreeItem> expected = {
        {0, "search -- get -> http://pages.test/find", 2, 2, 0},
        {1, "q=bees", Image(StructureImage::TextInput), Image(StructureImage::TextInput), 0},
        {1, "secret=", Image(StructureImage::PasswordInput), Image(StructureImage::PasswordInput), 0},
        {1, "all=1", Image(StructureImage::CheckboxInput), Image(StructureImage::CheckboxInput), 0},
        {1, "scope=site", Image(StructureImage::RadioInput), Image(StructureImage::RadioInput), 0},
        {1, "token=x7", Image(StructureImage::OtherInput), Image(StructureImage::OtherInput), 0},
        {1, "go=Find", Image(StructureImage::OtherInput), Image(StructureImage::OtherInput), 0},
        // No type attribute: the document model reports "text".
        {1, "untyped=u", Image(StructureImage::TextInput), Image(StructureImage::TextInput), 0},
        // The button is no input, select or text area and is skipped.
        {1, "lang=en", Image(StructureImage::SelectControl), Image(StructureImage::SelectControl), 0},
        // Option items show the option's text, what the user picks in the page.
        {2, "English", Image(StructureImage::SelectControl), Image(StructureImage::SelectControl), 0},
        {2, "Deutsch", Image(StructureImage::SelectControl), Image(StructureImage::SelectControl), 0},
        {1, "note=hello", Image(StructureImage::TextAreaControl), Image(StructureImage::TextAreaControl), 0},
        // Unnamed, without method and action; the type comparison is case-sensitive.
        {0, "form --  -> ", Image(StructureImage::FormEntry), Image(StructureImage::FormEntry), 0},
        {1, "x=1", Image(StructureImage::OtherInput), Image(StructureImage::OtherInput), 0},
    };
    const auto items = controls.Items();
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].depth, expected[i].depth) << i;
        EXPECT_EQ(items[i].label, expected[i].label) << i;
        EXPECT_EQ(items[i].image, expected[i].image) << items[i].label;
        EXPECT_EQ(items[i].selectedImage, expected[i].selectedImage) << items[i].label;
        EXPECT_EQ(items[i].data, 0) << items[i].label;
    }
}

TEST_F(StructureTest, FramesetListsTheLastFrameAndTheFormsOfAllFramesDepthFirst)
{
    OpenBrowser("frameset");
    Read();
    const auto links = controls.Rows(controls.links);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].name, "Second A");
    EXPECT_EQ(links[1].name, "Second B");
    EXPECT_EQ(links[1].data, 1);
    const auto images = controls.Rows(controls.images);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].name, "Second image");
    const auto items = controls.Items();
    EXPECT_EQ(Labels(items, 0), (std::vector<std::string>{"first -- post -> /one",
                                                           "nested -- get -> /inner",
                                                           "second -- get -> /two"}));
    EXPECT_EQ(Labels(items, 1), std::vector<std::string>{"s=2"});
}

TEST_F(StructureTest, ImageMapAreaEndsTheRunAndKeepsWhatWasRead)
{
    OpenBrowser("imagemap");
    EXPECT_EQ(StructureFails(controls),
              "Failed to get structure of a document: " + browser::ComErrorText(E_POINTER));
    const auto links = controls.Rows(controls.links);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].name, "Before the map");
    EXPECT_TRUE(controls.Rows(controls.images).empty());
}

TEST_F(StructureTest, FrameWhoseDocumentIsRefusedEndsTheRunWithThatError)
{
    auto browser = OpenBrowser("frameset");
    browser->document->frames->windows[1]->faults.Inject("get_document", E_ACCESSDENIED);
    EXPECT_EQ(StructureFails(controls),
              "Failed to get structure of a document: " + browser::ComErrorText(E_ACCESSDENIED));
    // The first frame (and the one inside it) was read before the refusal.
    EXPECT_EQ(controls.Rows(controls.links).size(), 1u);
    EXPECT_EQ(controls.Rows(controls.links)[0].name, "Nested link");
    EXPECT_TRUE(controls.Items().empty());  // forms come after links, never reached
}

TEST_F(StructureTest, FailingDocumentCallsCarryTheirText)
{
    auto browser = OpenBrowser("plain");
    const std::string prefix = "Failed to get structure of a document: ";
    browser->document->faults.Inject("get_forms", static_cast<HRESULT>(0x80040203));
    EXPECT_EQ(StructureFails(controls), prefix + "IDispatch error #3");
    EXPECT_EQ(controls.Rows(controls.images).size(), 2u);  // filled before the forms
    browser->document->faults.Clear();
    browser->document->forms->entries[0]->children[0]->faults.Inject("getAttribute", E_FAIL);
    EXPECT_EQ(StructureFails(controls), prefix + browser::ComErrorText(E_FAIL));
}

TEST_F(StructureTest, BrowserWithoutAnHtmlDocumentFillsNothing)
{
    auto browser = OpenBrowser("");
    Read();
    browser->faults.Inject("get_Document", E_FAIL);
    Read();
    EXPECT_TRUE(controls.Rows(controls.links).empty());
    EXPECT_TRUE(controls.Items().empty());
}

TEST_F(StructureTest, NoShellWindowStartsABrowserAndFindsNoDocument)
{
    Read();
    ASSERT_EQ(desktop.created.size(), 1u);
    EXPECT_TRUE(desktop.created[0]->visible);
    EXPECT_TRUE(controls.Rows(controls.links).empty());
    EXPECT_TRUE(controls.Rows(controls.images).empty());
    EXPECT_TRUE(controls.Items().empty());
}

TEST_F(StructureTest, LastEntryThatIsNoBrowserFillsNothingSilently)
{
    OpenBrowser("plain");
    auto folder = browser::ComRef<standin::FolderWindow>::Share(new standin::FolderWindow);
    desktop.shell->Open(folder.Get());
    Read();
    EXPECT_TRUE(controls.Rows(controls.links).empty());
    EXPECT_TRUE(desktop.created.empty());
}

}  // namespace
