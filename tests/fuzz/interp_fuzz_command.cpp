// Arbitrary command frames, one per line of the input, read by the
// interpreter side's parser and served by a debugger session over a fake
// engine (two files, three frames) whose link goes nowhere: nothing crashes,
// every parsed command keeps the parser's promises, and the session's state
// stays inside the program it describes.
#include "command.h"
#include "engine.h"
#include "session.h"
#include "text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class FakeEngine : public ostra::Engine {
  public:
    std::size_t file_count() const override { return 2; }
    ostra::ProgramFile file(std::size_t index) const override {
        if (index > 1) std::abort();
        return index == 0 ? ostra::ProgramFile{"main.rexx", 0, 10}
                          : ostra::ProgramFile{"part.rexx", 10, 5};
    }
    std::size_t depth() const override { return 3; }
    ostra::StackFrame frame(std::size_t index) const override {
        if (index > 2) std::abort();
        static const ostra::StackFrame frames[] = {
            {"main", 0, 4}, {"inner", 0, 8}, {"part", 1, 11}};
        return frames[index];
    }
    std::optional<int> clause_line_from(int file, int line) const override {
        if (file < 0 || file > 1 || line < 0) std::abort();
        int first = file == 0 ? 0 : 10, count = file == 0 ? 10 : 5;
        if (line >= count) std::abort(); // the session checks the line first
        return first + line;
    }
    std::optional<int> routine_line(const std::string& name) const override {
        if (ostra::upper(name) == "INNER") return 7;
        return std::nullopt;
    }
    ostra::SymbolAnswer symbol_value(std::size_t frame, const std::string& symbol) override {
        if (frame > 2 || !ostra::is_symbol(symbol)) std::abort();
        return {ostra::SymbolAnswer::State::unassigned, ""};
    }
    ostra::Evaluation evaluate(std::size_t frame, const std::string&) override {
        if (frame > 2) std::abort();
        return {true, "value", "", false};
    }
    ostra::Evaluation run_instructions(std::size_t frame, const std::string&) override {
        if (frame > 2) std::abort();
        return {true, "said", "", true};
    }
};

void check_parse(const std::string& frame) {
    ostra::Command c = ostra::parse_command(frame);
    const bool blank = ostra::words_of(frame).empty();
    if (blank != (c.verb == ostra::Verb::none)) std::abort();
    if (c.verb == ostra::Verb::bad && c.error.empty()) std::abort();
    if (c.verb == ostra::Verb::stop_at && c.line < 1) std::abort();
    if (c.verb == ostra::Verb::stop_in && c.line < 0) std::abort();
    if (c.verb == ostra::Verb::tipeval && frame.find(c.text) == std::string::npos) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    ostra::Link link; // every socket absent: sending fails quietly
    FakeEngine engine;
    ostra::Session session(link, engine, {"fuzz"});
    std::size_t at = 0;
    while (at <= input.size()) {
        std::size_t end = input.find('\n', at);
        std::string frame = input.substr(at, end == std::string::npos ? end : end - at);
        check_parse(frame);
        session.handle_command(frame);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return 0;
}
