#include "command.h"

#include "text.h"

#include <vector>

namespace ostra {

namespace {

Command bad(const std::string& why) {
    Command c;
    c.verb = Verb::bad;
    c.error = why;
    return c;
}

Command of(Verb verb) {
    Command c;
    c.verb = verb;
    return c;
}

// What follows the first `count` words of `frame` and the blanks after them.
std::string rest_after_words(const std::string& frame, std::size_t count) {
    std::string rest = frame;
    for (std::size_t k = 0; k < count; ++k)
        rest = rest_after_first_word(rest);
    return rest;
}

Command with_options(Command c, const std::string& rest) {
    std::string why;
    if (!read_break_options(rest, c.options, why)) return bad(why);
    return c;
}

Command stop_command(const std::string& frame, const std::vector<std::string>& words,
                     bool displayed) {
    Command c = of(Verb::stop_at);
    c.displayed = displayed;
    if (!whole_number(words[2], c.line) || c.line < 1) return bad("bad line number " + words[2]);
    return with_options(c, rest_after_words(frame, 3));
}

Command stop_in_command(const std::string& frame, const std::vector<std::string>& words) {
    Command c = of(Verb::stop_in);
    c.name = words[2];
    if (!whole_number(words[3], c.id) || !whole_number(words[4], c.line) || c.line < 0)
        return bad("bad breakpoint \"" + words[2] + " " + words[3] + " " + words[4] + "\"");
    return with_options(c, rest_after_words(frame, 5));
}

// "trace at N TEXT" (a line of the selected frame's file) or "tracev at N
// TEXT" (a displayed line): a logpoint.
Command trace_command(const std::string& frame, const std::vector<std::string>& words,
                      bool displayed) {
    Command c = of(Verb::trace_at);
    c.displayed = displayed;
    if (!whole_number(words[2], c.line) || c.line < 1) return bad("bad line number " + words[2]);
    std::string why;
    c.options.log = true;
    if (!read_log_text(rest_after_words(frame, 3), c.options.log_parts, why)) return bad(why);
    return c;
}

// "catch", "catch NAME", "catch NAME off".
Command catch_command(const std::vector<std::string>& words) {
    Command c = of(Verb::catch_);
    if (words.size() == 1) return c;
    c.name = upper(words[1]);
    static const char* const names[] = {"ERROR",  "FAILURE", "NOVALUE", "NOTREADY",
                                        "SYNTAX", "HALT",    "TRAPPED"};
    bool known = false;
    for (const char* name : names)
        known = known || c.name == name;
    if (!known)
        return bad("unknown condition \"" + words[1] +
                   "\": ERROR, FAILURE, NOVALUE, NOTREADY, SYNTAX, HALT or TRAPPED");
    if (words.size() > 3 || (words.size() == 3 && lower(words[2]) != "off"))
        return bad("catch takes a condition and optionally off");
    c.on = words.size() == 2;
    return c;
}

// "stoplists on" or "stoplists off".
Command stoplists_command(const std::vector<std::string>& words) {
    Command c = of(Verb::stoplists);
    const std::string word = words.size() == 2 ? lower(words[1]) : "";
    if (word != "on" && word != "off") return bad("stoplists takes on or off");
    c.on = word == "on";
    return c;
}

Command number_command(Verb verb, const std::string& word) {
    Command c = of(verb);
    long& target = verb == Verb::delete_ ? c.line : c.id;
    if (!whole_number(word, target)) return bad("bad number " + word);
    return c;
}

// "vars FRAME [STEM.] [FROM COUNT]". It is answered even when it does not
// fit (a varlist that says so), so the error travels in the command.
Command vars_command(const std::vector<std::string>& words) {
    Command c = of(Verb::vars);
    std::size_t at = 1;
    if (at >= words.size() || !whole_number(words[at], c.frame) || c.frame < 0) {
        c.frame = -1;
        c.error = "vars needs a frame number";
        return c;
    }
    ++at;
    if (at < words.size() && words[at].back() == '.') {
        // A stem's name is a symbol with one full stop, at its end.
        if (!is_symbol(words[at]) || is_constant_symbol(words[at]) ||
            words[at].find('.') + 1 != words[at].size()) {
            c.error = "bad stem " + words[at];
            return c;
        }
        c.name = upper(words[at++]);
    }
    if (at == words.size()) return c;
    if (at + 2 != words.size() || !whole_number(words[at], c.from) ||
        !whole_number(words[at + 1], c.count) || c.from < 0 || c.count < 0)
        c.error = "vars takes a page as FROM COUNT";
    return c;
}

// "varchanges FRAME GENERATION", answered like vars even when it does not fit.
Command varchanges_command(const std::vector<std::string>& words) {
    Command c = of(Verb::varchanges);
    if (words.size() < 2 || !whole_number(words[1], c.frame) || c.frame < 0) {
        c.frame = -1;
        c.error = "varchanges needs a frame number";
        return c;
    }
    if (words.size() != 3 || !whole_number(words[2], c.since) || c.since < 0)
        c.error = "varchanges needs the generation held, 0 for none";
    return c;
}

} // namespace

Command parse_command(const std::string& frame) {
    std::vector<std::string> words = words_of(frame);
    if (words.empty()) return of(Verb::none);
    const std::string verb = lower(words[0]);
    const std::string rest = rest_after_first_word(frame);
    if (verb == "tipeval") {
        Command c = of(Verb::tipeval);
        std::size_t space = rest.find(' ');
        c.context = rest.substr(0, space);
        c.text = space == std::string::npos ? "" : rest.substr(space + 1);
        return c;
    }
    if (verb == "kill") return of(Verb::kill);
    if (verb == "break") return of(Verb::break_);
    if (verb == "cont") return of(Verb::cont);
    if (verb == "next") return of(Verb::next);
    if (verb == "step") return of(Verb::step);
    if (verb == "stepout") return of(Verb::stepout);
    if (verb == "where") return of(Verb::where);
    if (verb == "features") return of(Verb::features);
    if (verb == "vars") return vars_command(words);
    if (verb == "varchanges") return varchanges_command(words);
    if (verb == "frames") return of(Verb::frames);
    if (verb == "stoplists") return stoplists_command(words);
    if (verb == "up") return of(Verb::up);
    if (verb == "down") return of(Verb::down);
    if (verb == "print" && words.size() > 1) {
        Command c = of(Verb::print);
        c.text = rest;
        return c;
    }
    if (verb == "interpret") {
        Command c = of(Verb::interpret);
        c.text = rest;
        return c;
    }
    if ((verb == "stop" || verb == "stopv") && words.size() > 2 && lower(words[1]) == "at")
        return stop_command(frame, words, verb == "stopv");
    if (verb == "stop" && words.size() > 4 && lower(words[1]) == "in")
        return stop_in_command(frame, words);
    if ((verb == "trace" || verb == "tracev") && words.size() > 3 && lower(words[1]) == "at")
        return trace_command(frame, words, verb == "tracev");
    if (verb == "catch") return catch_command(words);
    if (verb == "delete" && words.size() > 1) return number_command(Verb::delete_, words[1]);
    if (verb == "deletein" && words.size() > 1) return number_command(Verb::deletein, words[1]);
    return of(Verb::unknown);
}

} // namespace ostra
