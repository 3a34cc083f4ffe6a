#include "channels/ui/ch_edit_commands.h"

#include <QAction>
#include <QWidget>

namespace velmar {

void UpdateChEditCommands(QWidget* window, const ChEditCommandStates& states) {
    if (!window)
        return;
    const struct {
        const char* menuEntry;
        const char* toolKey;
        bool enabled;
    } commands[] = {
        {"MnuCHCut", "BtnCHCut", states.Cut},
        {"MnuCHCopy", "BtnCHCopy", states.Copy},
        {"MnuCHPaste", "BtnCHPaste", states.Paste},
        {"MnuCHInsert", "BtnCHInsert", states.Insert},
        {"MnuCHDelete", "BtnCHDelete", states.Delete},
        {"MnuCHMoveUp", "BtnCHMoveUp", states.MoveUp},
        {"MnuCHMoveDown", "BtnCHMoveDown", states.MoveDown},
    };
    for (QAction* action : window->findChildren<QAction*>()) {
        const QString name = action->objectName();
        for (const auto& command : commands)
            if (name == QLatin1String(command.menuEntry) || name == QLatin1String(command.toolKey))
                action->setEnabled(command.enabled);
    }
}

} // namespace velmar
