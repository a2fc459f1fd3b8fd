// The variables and the call stack as lists (the `vars`, `varchanges` and
// `frames` groups of the link): one answer per command, whatever happens.
#include "session.h"

#include "framelist.h"
#include "varchanges.h"
#include "varlist.h"

#include <algorithm>

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

// Makes `listing_` that of the command's frame; the answer to send instead
// when it cannot be.
std::optional<lists::VarList> Session::listing_failure(const Command& c) {
    if (!c.error.empty()) return failure(c.frame, lists::VarFailure::bad, c.error);
    const std::size_t depth = engine_.depth();
    if (depth == 0) return failure(c.frame, lists::VarFailure::gone, "the macro is not running");
    if (std::size_t(c.frame) >= depth)
        return failure(c.frame, lists::VarFailure::gone,
                       "there is no frame " + std::to_string(c.frame) + " (the stack has " +
                           std::to_string(depth) + ")");
    const std::size_t frame = depth - 1 - std::size_t(c.frame);
    if (listing_current(frame)) return std::nullopt;
    forget_variables();
    // Reading a frame may take long (a million tails): a stop message held
    // to go with its lists goes first.
    link_.release();
    auto listing = std::make_shared<VariableListing>(
        [this, frame](const VariableVisitor& visit, std::string& why) {
            return engine_.variables(frame, visit, why);
        });
    std::string why;
    if (!listing->read(why, c.name)) return failure(c.frame, lists::VarFailure::hidden, why);
    listing_ = std::move(listing);
    listing_frame_ = frame;
    return std::nullopt;
}

void Session::vars(const Command& c) {
    std::optional<lists::VarList> failed = listing_failure(c);
    lists::VarList list = failed           ? std::move(*failed)
                          : c.name.empty() ? listing_->page(c.from, c.count)
                                           : listing_->stem_page(c.name, c.from, c.count);
    list.frame = c.frame;
    link_.send("varlist", lists::encode_varlist(list));
    // While the macro runs its variables change under every clause: the
    // list is made again for the next question.
    if (running_) forget_variables();
}

namespace {

// The names of the entries that differ between two listings of the
// frame's variables, each in the pane's order.
void add_differences(const std::vector<lists::Variable>& was,
                     const std::vector<lists::Variable>& now, std::vector<std::string>& names) {
    auto a = was.begin(), b = now.begin();
    while (a != was.end() || b != now.end()) {
        if (b == now.end() || (a != was.end() && lists::variable_before(a->name, b->name))) {
            names.push_back((a++)->name);
        } else if (a == was.end() || lists::variable_before(b->name, a->name)) {
            names.push_back((b++)->name);
        } else {
            if (a->value != b->value || a->stem != b->stem || a->tails != b->tails)
                names.push_back(b->name);
            ++a, ++b;
        }
    }
}

} // namespace

// The frame's variables as what changed since the list the front end holds
// (`c.since`), when this session made that list and still knows how it
// stood; the whole list otherwise.
void Session::varchanges(const Command& c) {
    lists::VarChanges changes;
    changes.frame = c.frame;
    if (std::optional<lists::VarList> failed = listing_failure(c)) {
        changes.failure = failed->failure;
        changes.reason = failed->reason;
        return (void)link_.send("varchanges", lists::encode_varchanges(changes));
    }
    const std::size_t frame = engine_.depth() - 1 - std::size_t(c.frame);
    const bool held = sent_ && c.since != 0 && c.since == generation_ && sent_frame_ == frame;
    if (held) {
        std::vector<std::string> names = sent_->take_touched();
        if (sent_ != listing_)
            add_differences(sent_->page(0, -1).entries, listing_->page(0, -1).entries, names);
        std::sort(names.begin(), names.end(), lists::variable_before);
        names.erase(std::unique(names.begin(), names.end()), names.end());
        for (const std::string& name : names) {
            if (std::optional<lists::Variable> v = listing_->entry(name))
                changes.set.push_back(std::move(*v));
            else
                changes.dropped.push_back(name);
        }
        changes.base = c.since;
    } else {
        changes.set = listing_->page(0, -1).entries;
    }
    listing_->take_touched();
    changes.total = listing_->page(0, 0).total;
    changes.generation = ++generation_;
    sent_ = listing_;
    sent_frame_ = frame;
    link_.send("varchanges", lists::encode_varchanges(changes));
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

// What a front end with a variables pane asks at every stop, sent with the
// stop itself: it saves the round trip. The changes are counted from the
// list this session sent last; a front end that no longer holds that list
// asks for the whole one.
void Session::send_stop_lists() {
    if (!stop_lists_) return;
    const std::size_t depth = engine_.depth();
    if (depth == 0) return;
    frames();
    Command c;
    c.verb = Verb::varchanges;
    c.frame = long(depth - 1 - selected_);
    c.since = generation_;
    varchanges(c);
}

} // namespace ostra
