#include "app/MainLayout.h"

using namespace MainDesign;

MainWindowLayout ComputeMainWindowLayout(int screenWidth, int screenHeight)
{
    MainWindowLayout l;
    const int H = screenHeight - 28;
    const int W = screenWidth;
    l.window = QRect(0, 0, W, H);
    // Integer division truncates toward zero, as the layout always did.
    l.planeDefaultSize = ((H - ToolPanelHeight - FormulaImageHeight - 60) / 32) * 32;

    const int planeSide = ((H - ToolPanelHeight - FormulaImageHeight - 28) / 32) * 32;
    const int listRight = ListLeft + ListWidth;
    l.plane = QRect(listRight + (W - listRight - planeSide) / 2, ToolPanelHeight + 2, planeSide, planeSide);

    const int listHeight = H - DomainGroupHeight - AxisGroupHeight - FormulaGroupHeight - 130;
    const int shikiTop = ListTop + listHeight + 5;
    l.formulaGroup = QRect(ListLeft, shikiTop, ListWidth, FormulaGroupHeight);
    const int henikiTop = shikiTop + FormulaGroupHeight + 5;
    l.domainGroup = QRect(ListLeft, henikiTop, HalfGroupWidth, DomainGroupHeight);
    l.rangeGroup = QRect(ListLeft + ListWidth - HalfGroupWidth, henikiTop, HalfGroupWidth, DomainGroupHeight);
    const int jikuTop = henikiTop + DomainGroupHeight + 5;
    l.axisGroup = QRect(ListLeft, jikuTop, HalfGroupWidth, AxisGroupHeight);
    l.vertexGroup = QRect(ListLeft + ListWidth - HalfGroupWidth, jikuTop, HalfGroupWidth, AxisGroupHeight);
    l.settingsGroup = QRect(l.plane.left() + 24, jikuTop, l.plane.width() - 32, SettingsGroupHeight);

    // The value table sits above the list, which shrinks by its height.
    const int tableHeight = 3 * GridLineWidth + 62;
    l.valueTableView = QRect(ListLeft + 2, ToolPanelHeight + 2, ListWidth, tableHeight);
    l.formulaList = QRect(ListLeft, ListTop + tableHeight, ListWidth, listHeight - tableHeight);
    return l;
}
