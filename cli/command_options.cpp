#include "cli/command_options.h"

#include <algorithm>

namespace kitvane::cli {
namespace {

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

CommandArguments::CommandArguments(const std::vector<std::string>& arguments,
                                   const std::vector<std::string>& flags,
                                   const std::vector<std::string>& valued)
    : command_(arguments.empty() ? std::string() : arguments.front()) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
            positional_.push_back(argument);
        } else if (Contains(flags, argument)) {
            present_[argument] = "";
        } else if (Contains(valued, argument)) {
            if (i + 1 == arguments.size())
                throw UsageError{argument + " needs a value"};
            present_[argument] = arguments[++i];
        } else {
            throw UsageError{"unknown option '" + argument + "' for " + command_};
        }
    }
}

const std::vector<std::string>& CommandArguments::Positional(std::size_t count,
                                                             const std::string& names) const {
    if (positional_.size() != count)
        throw UsageError{command_ + " takes " + names};
    return positional_;
}

std::optional<std::string> CommandArguments::Value(const std::string& option) const {
    const auto found = present_.find(option);
    if (found == present_.end())
        return std::nullopt;
    return found->second;
}

std::optional<int> CommandArguments::Choice(const std::string& option,
                                            const std::vector<std::string>& choices) const {
    const auto value = Value(option);
    if (!value)
        return std::nullopt;
    const auto found = std::find(choices.begin(), choices.end(), *value);
    if (found == choices.end()) {
        std::string allowed;
        for (const auto& choice : choices)
            allowed += (allowed.empty() ? "" : "|") + choice;
        throw UsageError{option + " takes " + allowed};
    }
    return static_cast<int>(found - choices.begin());
}

std::optional<int> CommandArguments::Number(const std::string& option, int low, int high) const {
    const auto value = Value(option);
    if (!value)
        return std::nullopt;
    const bool digits =
        !value->empty() && value->size() < 10 &&
        std::all_of(value->begin(), value->end(), [](char c) { return c >= '0' && c <= '9'; });
    const int number = digits ? std::stoi(*value) : low - 1;
    if (number < low || number > high) {
        throw UsageError{option + " takes a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high)};
    }
    return number;
}

}  // namespace kitvane::cli
