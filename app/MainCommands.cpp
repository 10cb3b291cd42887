// Commands of the main window that act on the unit as a whole.

#include "app/FormulaList.h"
#include "app/MainWindow.h"

void TfrmMain::spdTeiseiClick()
{
    if (lstShiki->count() == 0) {
        ClearDisplay();
        CancelDrawing();
        return;
    }
    if (m_state.ClickState > 0) {
        // A drawing under way is abandoned; nothing is deleted.
        CancelDrawing();
        DispAllLine();
        return;
    }
    std::vector<int> selected;
    TLineList kept{};
    int keptCount = 0;
    for (int i = 0; i < m_state.ParabolaCount; ++i) {
        if (IsSelected(i))
            selected.push_back(i);
        else
            kept[std::size_t(keptCount++)] = m_state.Parabolas[std::size_t(i)];
    }
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const int i = *it;
        delete lstShiki->takeItem(i);
        const qsizetype first = qsizetype(5) * i + 1;
        for (int k = 0; k < 5 && first < m_state.MirrorText.size(); ++k)
            m_state.MirrorText.removeAt(first);
    }
    m_state.ParabolaCount -= int(selected.size());
    for (int i = 0; i < keptCount; ++i)
        m_state.Parabolas[std::size_t(i)] = kept[std::size_t(i)];
    DispAllLine();
    ClearPanels();
    m_state.Saved = false;
    m_state.ClickState = 0;
    Program().ChosenUnit = -1;
}
