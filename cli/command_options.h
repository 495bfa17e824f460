#pragma once
// Reading the arguments of one command: positional arguments and named options, in any order.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kitvane::cli {

// Thrown for a command line that doesn't fit; the text says what is wrong.
struct UsageError {
    std::string text;
};

class CommandArguments {
public:
    // flags: options without a value; valued: options followed by one value.
    CommandArguments(const std::vector<std::string>& arguments, const std::vector<std::string>& flags,
                     const std::vector<std::string>& valued);

    // The positional arguments after the command name; throws UsageError unless there are exactly count.
    const std::vector<std::string>& Positional(std::size_t count, const std::string& names) const;
    bool Has(const std::string& option) const { return present_.count(option) > 0; }
    std::optional<std::string> Value(const std::string& option) const;
    // A valued option that must be one of choices; returns its index in choices.
    std::optional<int> Choice(const std::string& option, const std::vector<std::string>& choices) const;
    // A valued option that must be a whole number from low to high.
    std::optional<int> Number(const std::string& option, int low, int high) const;

private:
    std::string command_;
    std::vector<std::string> positional_;
    std::map<std::string, std::string> present_;
};

}  // namespace kitvane::cli
