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
    if (!listing_current(frame)) {
        forget_variables();
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

// The innermost frame's listing is kept through a run when the engine can
// follow what the run changes: a step then reads a few variables again,
// not all of them.
void Session::follow_variables() {
    // A listing followed through the run before, and not asked for since,
    // takes that run's changes first.
    if (followed_ && !listing_current(listing_frame_)) forget_variables();
    const std::size_t depth = engine_.depth();
    const bool innermost = listing_ && depth > 0 && listing_frame_ == depth - 1;
    if (innermost && engine_.follow_variables(listing_frame_))
        followed_ = true;
    else
        forget_variables();
}

// Whether the listing kept is that of `frame` as it is now, brought up to
// date first when it was followed through a run.
bool Session::listing_current(std::size_t frame) {
    if (!listing_) return false;
    if (followed_) {
        followed_ = false;
        std::optional<std::vector<VariableChange>> changes =
            engine_.variables_changed(listing_frame_);
        if (!changes || !listing_->apply(*changes)) return false;
    }
    return listing_frame_ == frame;
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
