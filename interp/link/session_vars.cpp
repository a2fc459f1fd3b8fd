// The variables and the call stack as lists (the `vars` and `frames`
// groups of the link): one answer per command, whatever happens.
#include "session.h"

#include "framelist.h"
#include "varlist.h"

namespace ostra {

namespace {

lists::VarList failure(long frame, lists::VarFailure why, const std::string& reason) {
    lists::VarList list;
    list.frame = frame;
    list.failure = why;
    list.reason = reason;
    return list;
}

} // namespace

void Session::vars(const Command& c) {
    auto answer = [&](const lists::VarList& list) {
        link_.send("varlist", lists::encode_varlist(list));
    };
    if (!c.error.empty()) return answer(failure(c.frame, lists::VarFailure::bad, c.error));
    const std::size_t depth = engine_.depth();
    if (depth == 0)
        return answer(failure(c.frame, lists::VarFailure::gone, "the macro is not running"));
    if (std::size_t(c.frame) >= depth)
        return answer(failure(c.frame, lists::VarFailure::gone,
                              "there is no frame " + std::to_string(c.frame) + " (the stack has " +
                                  std::to_string(depth) + ")"));
    const std::size_t frame = depth - 1 - std::size_t(c.frame);
    if (!listing_ || listing_frame_ != frame) {
        listing_.reset();
        auto listing = std::make_unique<VariableListing>(
            [this, frame](const VariableVisitor& visit, std::string& why) {
                return engine_.variables(frame, visit, why);
            });
        std::string why;
        if (!listing->read(why, c.name))
            return answer(failure(c.frame, lists::VarFailure::hidden, why));
        listing_ = std::move(listing);
        listing_frame_ = frame;
    }
    lists::VarList list = c.name.empty() ? listing_->page(c.from, c.count)
                                         : listing_->stem_page(c.name, c.from, c.count);
    list.frame = c.frame;
    answer(list);
    // While the macro runs its variables change under every clause: the
    // list is made again for the next question.
    if (running_) forget_variables();
}

void Session::frames() {
    lists::FrameList list;
    const std::size_t depth = engine_.depth();
    for (std::size_t k = depth; k-- > 0;) {
        StackFrame f = engine_.frame(k);
        ProgramFile file = engine_.file(std::size_t(f.file));
        list.frames.push_back({f.routine, f.file, f.line - file.first_displayed + 1, f.line});
    }
    if (selected_ < depth) list.selected = std::int64_t(depth - 1 - selected_);
    link_.send("framelist", lists::encode_framelist(list));
}

} // namespace ostra
