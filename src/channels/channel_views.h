#pragma once
// The open windows that show channels, as the channel rules refresh them. A
// window that is closed does nothing, which is also what every default here
// does; the windows override what they show.
#include <string>
#include <vector>

namespace velmar {

class ChannelViews {
public:
    virtual ~ChannelViews() = default;

    // Channel grid: draw the row of channel `chNo` again.
    virtual void reShowGrid(int /*chNo*/) {}
    // Channel grid: refill its emergency-channel lists.
    virtual void ReshowByCh() {}

    // Detail editor: show the current channel again; true when the caller has
    // changed the edit group or position.
    virtual void SetGridEditData(bool /*isGridChange*/) {}
    virtual bool IsChEditOpen() const { return false; }
    // Detail editor: refill the busy-lockout list and select `selected`,
    // without taking the selection as a change by the user.
    virtual void ShowBusyLockList(const std::vector<std::string>& /*entries*/, int /*selected*/) {}
    // Detail editor: refill the roger-beep list from the valid tone tips.
    virtual void ShowRB() {}

    // Optional-features window: refill its radio-wide roger-beep list.
    virtual void ShowRBOpt() {}

    // Reset-mode window: refill its group lists after a group's valid flag
    // or name changed.
    virtual void ReShowInit() {}
};

} // namespace velmar
