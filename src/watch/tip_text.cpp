#include "watch/tip_text.h"

#include <vector>

namespace {

constexpr std::size_t kRowWidth = 80;
constexpr std::size_t kMostRows = 5;

} // namespace

std::string cut_text(std::string_view text, std::size_t n) {
    text = text.substr(0, text.find('\0'));
    return std::string(text.substr(0, n));
}

std::string tip_question(std::string_view expression, int mode, const TipContext& context) {
    const std::string e(expression);
    std::string instruction;
    if (mode == TIP_EXPRESSION) {
        instruction = "say (" + e + ")";
    } else {
        // The symbol is named twice: once as a string, so that an unassigned
        // symbol is recognised without being evaluated, and once to be said.
        instruction = "if symbol(\"" + e + "\")==\"VAR\" then say '='||(" + e + "); else say '?'";
    }
    if (context.frame) return "tipeval @" + *context.frame + " " + instruction;
    return "tipeval " + std::to_string(context.file_index) + " " + instruction;
}

std::string tip_layout(std::string_view label, std::string_view body) {
    const std::string line =
        label.empty() ? cut_text(body, 3900) : cut_text(label, 200) + " = " + cut_text(body, 3700);
    std::vector<std::string_view> rows;
    const std::string_view all(line);
    for (std::size_t at = 0; at < all.size(); at += kRowWidth)
        rows.push_back(all.substr(at, kRowWidth));
    if (rows.empty()) rows.emplace_back();
    std::string text;
    if (rows.size() <= kMostRows) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i > 0) text += '\n';
            text += rows[i];
        }
        return text;
    }
    const std::size_t n = rows.size();
    text.append(rows[0]).append("\n").append(rows[1]).append("\n.........\n");
    text.append(rows[n - 2]).append("\n").append(rows[n - 1]);
    return text;
}

std::string vel_tip_format(std::string_view label, int mode, std::string_view frame,
                           std::string_view answer) {
    if (mode == TIP_EXPRESSION) {
        std::string wrapped(1, '(');
        wrapped.append(cut_text(label, 250)).push_back(')');
        return tip_layout(wrapped, answer);
    }
    std::string named(label);
    if (!frame.empty()) named = cut_text(label, 250) + " {" + cut_text(frame, 60) + "}";
    if (!answer.empty() && answer[0] == '?') return cut_text(named, 380) + " is not assigned.";
    if (!answer.empty() && answer[0] == '=') return tip_layout(named, answer.substr(1));
    return {};
}
