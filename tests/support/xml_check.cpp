#include "tests/support/xml_check.h"

#include <cstdint>

namespace kitvane::testing {

const XmlElement* XmlElement::Child(const std::string& childName) const {
    for (const XmlElement& child : children) {
        if (child.name == childName)
            return &child;
    }
    return nullptr;
}

std::vector<const XmlElement*> XmlElement::Children(const std::string& childName) const {
    std::vector<const XmlElement*> found;
    for (const XmlElement& child : children) {
        if (child.name == childName)
            found.push_back(&child);
    }
    return found;
}

std::string XmlElement::Attribute(const std::string& attributeName) const {
    for (const auto& [name, value] : attributes) {
        if (name == attributeName)
            return value;
    }
    return {};
}

namespace {

struct Malformed {
    std::string what;
};

// A recursive-descent reader over the bytes; every failure throws Malformed with the byte offset.
class Reader {
public:
    explicit Reader(const std::string& document) : text_(document) {}

    XmlElement Document() {
        CheckCharacters();
        if (Ahead("<?xml"))
            SkipProcessingInstruction();
        SkipMisc();
        if (!Ahead("<"))
            Fail("no root element");
        XmlElement root = Element();
        SkipMisc();
        if (position_ != text_.size())
            Fail("content after the root element");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw Malformed{what + " at byte " + std::to_string(position_)};
    }

    bool Ahead(const char* token) const {
        return text_.compare(position_, std::char_traits<char>::length(token), token) == 0;
    }

    void Expect(const char* token) {
        if (!Ahead(token))
            Fail(std::string("expected \"") + token + "\"");
        position_ += std::char_traits<char>::length(token);
    }

    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[position_]; }

    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
    static bool IsNameStart(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
               static_cast<unsigned char>(c) >= 0x80;
    }
    static bool IsNameChar(char c) {
        return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    }

    void SkipSpace() {
        while (!AtEnd() && IsSpace(Peek()))
            ++position_;
    }

    // Valid UTF-8 without the control characters that XML 1.0 forbids.
    void CheckCharacters() {
        for (std::size_t i = 0; i < text_.size();) {
            const auto lead = static_cast<unsigned char>(text_[i]);
            position_ = i;
            if (lead < 0x20 && lead != '\t' && lead != '\n' && lead != '\r')
                Fail("control character");
            const int length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
            if (length == 0 || i + length > text_.size())
                Fail("invalid UTF-8");
            for (int k = 1; k < length; ++k) {
                if ((static_cast<unsigned char>(text_[i + k]) & 0xC0) != 0x80)
                    Fail("invalid UTF-8");
            }
            i += length;
        }
        position_ = 0;
    }

    std::string Name() {
        if (!IsNameStart(Peek()))
            Fail("expected a name");
        const std::size_t start = position_;
        while (!AtEnd() && IsNameChar(Peek()))
            ++position_;
        return text_.substr(start, position_ - start);
    }

    void SkipUntil(const char* terminator, const char* what) {
        const auto end = text_.find(terminator, position_);
        if (end == std::string::npos)
            Fail(std::string("unterminated ") + what);
        position_ = end + std::char_traits<char>::length(terminator);
    }

    void SkipProcessingInstruction() { SkipUntil("?>", "processing instruction"); }

    void SkipComment() {
        position_ += 4;
        const auto end = text_.find("--", position_);
        if (end == std::string::npos)
            Fail("unterminated comment");
        position_ = end;
        Expect("-->");
    }

    // Whitespace, comments and processing instructions around the root.
    void SkipMisc() {
        while (true) {
            SkipSpace();
            if (Ahead("<!--")) {
                SkipComment();
            } else if (Ahead("<?")) {
                SkipProcessingInstruction();
            } else if (Ahead("<!")) {
                Fail("declarations are not supported");
            } else {
                return;
            }
        }
    }

    static void AppendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // One reference after its "&", appended decoded.
    void Reference(std::string& out) {
        const auto end = text_.find(';', position_);
        if (end == std::string::npos || end - position_ > 12)
            Fail("unterminated entity");
        const std::string entity = text_.substr(position_, end - position_);
        static const std::pair<const char*, char> kNamed[] = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        for (const auto& [name, character] : kNamed) {
            if (entity == name) {
                out += character;
                position_ = end + 1;
                return;
            }
        }
        if (entity.size() < 2 || entity[0] != '#')
            Fail("unknown entity &" + entity + ";");
        const bool hex = entity[1] == 'x';
        const std::string digits = entity.substr(hex ? 2 : 1);
        if (digits.empty() ||
            digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos) {
            Fail("bad character reference &" + entity + ";");
        }
        const unsigned long code = std::stoul(digits, nullptr, hex ? 16 : 10);
        if (code == 0 || code > 0x10FFFF || (code < 0x20 && code != 0x9 && code != 0xA && code != 0xD)) {
            Fail("character reference to an invalid character");
        }
        AppendUtf8(out, static_cast<std::uint32_t>(code));
        position_ = end + 1;
    }

    std::string AttributeValue() {
        const char quote = Peek();
        if (quote != '"' && quote != '\'')
            Fail("attribute value not quoted");
        ++position_;
        std::string value;
        while (Peek() != quote) {
            if (AtEnd())
                Fail("unterminated attribute value");
            if (Peek() == '<')
                Fail("\"<\" in an attribute value");
            if (Peek() == '&') {
                ++position_;
                Reference(value);
            } else {
                value += text_[position_++];
            }
        }
        ++position_;
        return value;
    }

    XmlElement Element() {
        Expect("<");
        XmlElement element;
        element.name = Name();
        while (true) {
            const bool spaced = IsSpace(Peek());
            SkipSpace();
            if (Ahead("/>")) {
                position_ += 2;
                return element;
            }
            if (Ahead(">")) {
                ++position_;
                break;
            }
            if (!spaced)
                Fail("attributes must be separated by whitespace");
            std::string name = Name();
            SkipSpace();
            Expect("=");
            SkipSpace();
            if (HasAttribute(element, name))
                Fail("attribute " + name + " repeated");
            element.attributes.emplace_back(std::move(name), AttributeValue());
        }
        Content(element);
        Expect("</");
        if (Name() != element.name)
            Fail("end tag does not match <" + element.name + ">");
        SkipSpace();
        Expect(">");
        return element;
    }

    static bool HasAttribute(const XmlElement& element, const std::string& name) {
        for (const auto& attribute : element.attributes) {
            if (attribute.first == name)
                return true;
        }
        return false;
    }

    // Character data, child elements, comments and CDATA up to the parent's end tag.
    void Content(XmlElement& element) {
        while (true) {
            if (AtEnd())
                Fail("unclosed element <" + element.name + ">");
            if (Ahead("</"))
                return;
            if (Ahead("<!--")) {
                SkipComment();
            } else if (Ahead("<![CDATA[")) {
                position_ += 9;
                const auto end = text_.find("]]>", position_);
                if (end == std::string::npos)
                    Fail("unterminated CDATA section");
                element.text.append(text_, position_, end - position_);
                position_ = end + 3;
            } else if (Ahead("<?")) {
                SkipProcessingInstruction();
            } else if (Ahead("<")) {
                element.children.push_back(Element());
            } else if (Ahead("]]>")) {
                Fail("\"]]>\" in character data");
            } else if (Peek() == '&') {
                ++position_;
                Reference(element.text);
            } else {
                element.text += text_[position_++];
            }
        }
    }

    const std::string& text_;
    std::size_t position_ = 0;
};

}  // namespace

std::optional<XmlElement> ParseXml(const std::string& document, std::string& problem) {
    try {
        problem.clear();
        return Reader(document).Document();
    } catch (const Malformed& malformed) {
        problem = malformed.what;
        return std::nullopt;
    }
}

std::string XmlProblem(const std::string& document) {
    std::string problem;
    ParseXml(document, problem);
    return problem;
}

}  // namespace kitvane::testing
