#pragma once
// The channel rules refresh the windows that show channels through
// ChannelViews. This one hands every refresh to each open child window that
// implements ChannelViews (the channel grid, the detail editor ...), so the
// rules reach whatever is open without knowing the windows.
#include "channels/channel_views.h"

namespace velmar {

class AppContext;

class OpenChannelViews : public ChannelViews {
public:
    explicit OpenChannelViews(AppContext& app) : app_(app) {}

    void reShowGrid(int chNo) override;
    void ReshowByCh() override;
    void SetGridEditData(bool isGridChange) override;
    bool IsChEditOpen() const override;
    void ShowBusyLockList(const std::vector<std::string>& entries, int selected) override;
    void ShowRB() override;
    void ShowRBOpt() override;
    void ReShowInit() override;

private:
    template <class F> void ForEachOpenView(F&& call) const;

    AppContext& app_;
};

} // namespace velmar
