#include "model/document_history.h"

#include <algorithm>

namespace velmar {

bool DocumentHistory::Step::ReplacesDocument() const {
    return std::any_of(Identity.begin(), Identity.end(),
                       [](const ByteDiff& diff) { return !diff.Empty(); });
}

bool DocumentHistory::Step::Empty() const {
    return !ReplacesDocument() && std::all_of(Working.begin(), Working.end(),
                                              [](const ByteDiff& diff) { return diff.Empty(); });
}

template <std::size_t N>
std::array<ByteDiff, N> DocumentHistory::Diff(const std::array<ByteString, N>& from,
                                              const std::array<ByteString, N>& to) {
    std::array<ByteDiff, N> diff;
    for (std::size_t i = 0; i < N; ++i)
        diff[i] = ByteDiff::Between(from[i], to[i]);
    return diff;
}

template <std::size_t N>
std::array<ByteString, N> DocumentHistory::Forward(const std::array<ByteDiff, N>& diff,
                                                   const std::array<ByteString, N>& from) {
    std::array<ByteString, N> to;
    for (std::size_t i = 0; i < N; ++i)
        to[i] = diff[i].Forward(from[i]);
    return to;
}

template <std::size_t N>
std::array<ByteString, N> DocumentHistory::Backward(const std::array<ByteDiff, N>& diff,
                                                    const std::array<ByteString, N>& to) {
    std::array<ByteString, N> from;
    for (std::size_t i = 0; i < N; ++i)
        from[i] = diff[i].Backward(to[i]);
    return from;
}

void DocumentHistory::Reset(const Document& doc) {
    current_ = EncodeDocumentState(doc);
    steps_.clear();
    cursor_ = 0;
    merging_ = false;
    knownFiles_.clear();
    hasBase_ = true;
}

void DocumentHistory::Record(const Document& doc, const StepLabel& label,
                             std::string_view mergeKey) {
    if (!hasBase_) {
        Reset(doc);
        return;
    }
    DocumentState now = EncodeDocumentState(doc);
    const bool joins = merging_ && !mergeKey.empty() && cursor_ == steps_.size() && cursor_ > 0 &&
                       steps_.back().MergeKey == mergeKey;
    if (joins) {
        Step& last = steps_.back();
        last.Working = Diff(Backward(last.Working, current_.Working), now.Working);
        last.Identity = Diff(Backward(last.Identity, current_.Identity), now.Identity);
        current_ = std::move(now);
        if (last.Empty()) { // typed back to what it was
            steps_.pop_back();
            --cursor_;
            merging_ = false;
        }
        return;
    }
    if (now == current_)
        return;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(cursor_), steps_.end());
    steps_.push_back({label, std::string(mergeKey), Diff(current_.Working, now.Working),
                      Diff(current_.Identity, now.Identity)});
    if (steps_.size() > limit_)
        steps_.erase(steps_.begin());
    cursor_ = steps_.size();
    current_ = std::move(now);
    merging_ = !mergeKey.empty();
}

void DocumentHistory::Fold(const Document& doc) {
    if (!hasBase_) {
        Reset(doc);
        return;
    }
    FoldState(EncodeDocumentState(doc));
}

void DocumentHistory::FoldState(const DocumentState& now) {
    if (now.Working != current_.Working) {
        if (cursor_ > 0) {
            Step& before = steps_[cursor_ - 1];
            before.Working = Diff(Backward(before.Working, current_.Working), now.Working);
        }
        if (cursor_ < steps_.size()) {
            Step& after = steps_[cursor_];
            after.Working = Diff(now.Working, Forward(after.Working, current_.Working));
        }
    }
    if (now.Identity != current_.Identity) {
        // Every state back to the last replacement and on to the next one
        // shares the identity of the current state.
        for (std::size_t k = cursor_; k-- > 0;) {
            if (steps_[k].ReplacesDocument()) {
                steps_[k].Identity =
                    Diff(Backward(steps_[k].Identity, current_.Identity), now.Identity);
                break;
            }
        }
        for (std::size_t k = cursor_; k < steps_.size(); ++k) {
            if (steps_[k].ReplacesDocument()) {
                steps_[k].Identity =
                    Diff(now.Identity, Forward(steps_[k].Identity, current_.Identity));
                break;
            }
        }
    }
    current_ = now;
    DropEmptySteps();
}

void DocumentHistory::DropEmptySteps() {
    for (std::size_t k = steps_.size(); k-- > 0;) {
        if (!steps_[k].Empty())
            continue;
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(k));
        if (k < cursor_)
            --cursor_;
    }
}

void DocumentHistory::FileWritten(const Document& doc) {
    Fold(doc);
    if (!doc.IsNewDocument)
        knownFiles_[doc.DocFileName] = {current_.Identity[0], current_.Identity[1]};
}

void DocumentHistory::TakeKnownFile(Document& doc) {
    if (doc.IsNewDocument)
        return;
    const auto known = knownFiles_.find(doc.DocFileName);
    if (known == knownFiles_.end() ||
        (known->second[0] == current_.Identity[0] && known->second[1] == current_.Identity[1]))
        return;
    DocumentState state = current_;
    state.Identity[0] = known->second[0];
    state.Identity[1] = known->second[1];
    DecodeDocumentState(state, doc);
    FoldState(state);
}

bool DocumentHistory::Undo(Document& doc) {
    Fold(doc);
    merging_ = false;
    if (cursor_ == 0)
        return false;
    const Step& step = steps_[--cursor_];
    current_.Working = Backward(step.Working, current_.Working);
    current_.Identity = Backward(step.Identity, current_.Identity);
    DecodeDocumentState(current_, doc);
    if (step.ReplacesDocument())
        TakeKnownFile(doc);
    return true;
}

bool DocumentHistory::Redo(Document& doc) {
    Fold(doc);
    merging_ = false;
    if (cursor_ == steps_.size())
        return false;
    const Step& step = steps_[cursor_++];
    current_.Working = Forward(step.Working, current_.Working);
    current_.Identity = Forward(step.Identity, current_.Identity);
    DecodeDocumentState(current_, doc);
    if (step.ReplacesDocument())
        TakeKnownFile(doc);
    return true;
}

const StepLabel* DocumentHistory::UndoLabel() const {
    return cursor_ > 0 ? &steps_[cursor_ - 1].Label : nullptr;
}

const StepLabel* DocumentHistory::RedoLabel() const {
    return cursor_ < steps_.size() ? &steps_[cursor_].Label : nullptr;
}

std::size_t DocumentHistory::MemoryBytes() const {
    const auto sections = [](const auto& strings) {
        std::size_t size = 0;
        for (const ByteString& bytes : strings)
            size += bytes.capacity();
        return size;
    };
    std::size_t size = sizeof(*this) + sections(current_.Working) + sections(current_.Identity);
    for (const Step& step : steps_) {
        size +=
            sizeof(Step) + step.MergeKey.capacity() + step.Label.Args.capacity() * sizeof(LabelArg);
        for (const ByteDiff& diff : step.Working)
            size += diff.MemoryBytes() - sizeof(ByteDiff);
        for (const ByteDiff& diff : step.Identity)
            size += diff.MemoryBytes() - sizeof(ByteDiff);
    }
    size += (steps_.capacity() - steps_.size()) * sizeof(Step);
    for (const auto& [name, files] : knownFiles_)
        size += name.capacity() + sections(files) + 64; // map node
    return size;
}

} // namespace velmar
