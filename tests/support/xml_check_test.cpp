#include "tests/support/xml_check.h"

#include <gtest/gtest.h>

namespace kitvane::testing {
namespace {

TEST(XmlCheckTest, ReadsAWellFormedDocumentIntoATree) {
    std::string problem;
    const auto root = ParseXml(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- c -->\n<a x=\"1\" y='&lt;2&gt;'>\n"
        "  <b>R&amp;B &#65;&#x42;</b><b/><c><![CDATA[<raw>]]></c>\n</a>\n",
        problem);
    ASSERT_TRUE(root.has_value()) << problem;
    EXPECT_EQ(root->name, "a");
    EXPECT_EQ(root->Attribute("y"), "<2>");
    ASSERT_EQ(root->Children("b").size(), 2u);
    EXPECT_EQ(root->Child("b")->text, "R&B AB");
    EXPECT_EQ(root->Child("c")->text, "<raw>");
}

TEST(XmlCheckTest, FindsTheFaultsOfMalformedDocuments) {
    const char* documents[] = {
        "",
        "<a>",
        "<a></b>",
        "<a><b></a></b>",
        "<a/><b/>",
        "<a x=1/>",
        "<a x=\"1\" x=\"2\"/>",
        "<a x=\"1\"y=\"2\"/>",
        "<a x=\"<\"/>",
        "<a>R&B</a>",
        "<a>&nbsp;</a>",
        "<a>&#0;</a>",
        "<a>]]></a>",
        "<a>\x01</a>",
        "<a>\xC3</a>",
        "<a><!-- open </a>",
        "text<a/>",
        "<1a/>",
    };
    for (const char* document : documents)
        EXPECT_NE(XmlProblem(document), "") << document;
}

}  // namespace
}  // namespace kitvane::testing
