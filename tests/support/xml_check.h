#pragma once
// A small XML reader for tests: checks that a document is well-formed (one root, balanced tags, quoted
// and unique attributes, valid entities and UTF-8) and gives its elements as a tree to inspect.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kitvane::testing {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // values with entities decoded
    std::string text;                                             // character data, decoded, joined
    std::vector<XmlElement> children;

    // The first child of that name, or null.
    const XmlElement* Child(const std::string& childName) const;
    std::vector<const XmlElement*> Children(const std::string& childName) const;
    // The attribute's value, or empty when it is absent.
    std::string Attribute(const std::string& attributeName) const;
};

// The root element of a well-formed document; empty, with problem set to what is wrong and where,
// otherwise.
std::optional<XmlElement> ParseXml(const std::string& document, std::string& problem);

// An empty text for a well-formed document, else the problem.
std::string XmlProblem(const std::string& document);

}  // namespace kitvane::testing
