#include "channels/ui/open_channel_views.h"

#include "shell/ui/app_context.h"

namespace velmar {

template <class F> void OpenChannelViews::ForEachOpenView(F&& call) const {
    for (QWidget* form : app_.OpenForms())
        if (auto* view = dynamic_cast<ChannelViews*>(form))
            call(*view);
}

void OpenChannelViews::reShowGrid(int chNo) {
    ForEachOpenView([&](ChannelViews& view) { view.reShowGrid(chNo); });
}

void OpenChannelViews::ReshowByCh() {
    ForEachOpenView([](ChannelViews& view) { view.ReshowByCh(); });
}

void OpenChannelViews::SetGridEditData(bool isGridChange) {
    ForEachOpenView([&](ChannelViews& view) { view.SetGridEditData(isGridChange); });
}

bool OpenChannelViews::IsChEditOpen() const {
    bool open = false;
    ForEachOpenView([&](ChannelViews& view) { open = open || view.IsChEditOpen(); });
    return open;
}

void OpenChannelViews::ShowBusyLockList(const std::vector<std::string>& entries, int selected) {
    ForEachOpenView([&](ChannelViews& view) { view.ShowBusyLockList(entries, selected); });
}

void OpenChannelViews::ShowRB() {
    ForEachOpenView([](ChannelViews& view) { view.ShowRB(); });
}

void OpenChannelViews::ShowRBOpt() {
    ForEachOpenView([](ChannelViews& view) { view.ShowRBOpt(); });
}

void OpenChannelViews::ReShowInit() {
    ForEachOpenView([](ChannelViews& view) { view.ReShowInit(); });
}

} // namespace velmar
