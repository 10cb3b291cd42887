// What a screen reader says for the main window's controls, the order Tab
// visits them in, and the plane's text: the selected parabola's formula.

#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "model/FormulaText.h"
#include "ui/Accessible.h"
#include "ui/PlaneView.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace {
constexpr const char *kPlaneUse = "格子点をクリックして放物線をかきます。矢印キーで格子点カーソルを動かし、"
                                  "Enter キーかスペースキーでその点をクリックします。";
} // namespace

void MainWindow::describeControls()
{
    static constexpr ControlText texts[] = {
        {"spdOpenFile", "単元名で開く", "単元名を選んで単元を開きます"},
        {"spdOverWrite", "上書き保存", "今の単元をファイルに上書き保存します"},
        {"spdTest", "テスト", "座標平面の放物線を問題にしてテストをします"},
        {"spdRenshu", "練習", "単元を選んで練習をします"},
        {"spdKiroku", "記録の表示", "練習の記録を表示します"},
        {"spdTeisei", "訂正", "選択している放物線を消します"},
        {"spdShoukyo", "全部消去", "すべての放物線を消します"},
        {"spdAll", "全域", "次にかく放物線を、x がすべての数の放物線にします"},
        {"spdCenter", "中央", "次にかく放物線を、両端のある変域の放物線にします"},
        {"spdRight", "右側", "次にかく放物線を、ある値から右の部分にします"},
        {"spdLeft", "左側", "次にかく放物線を、ある値から左の部分にします"},
        {"edtLineMode", "変域の種類", "次にかく放物線の変域の種類です"},
        {"edtHeniki", "端の種類", "変域の端をふくむ（≦）かふくまない（＜）かを示します"},
        {"spdSample", "変域", "変域の端をふくむかふくまないかを切り替えます"},
        {"imgSample", "線の見本", "次にかく放物線の線のようすです。クリックすると次の色になります"},
        {"edtCood", "座標", "マウスか格子点カーソルのある格子点の座標です"},
        {"spdLineColor", "固定カラーの設定", "新しい放物線の色を１つに決めます"},
        {"btnLocked", "ロック", "使える機能を制限します"},
        {"btnSelectAll", "全部選択", "すべての放物線を選択します"},
        {"BitBtn1", "選択解除", "放物線の選択を解除します"},
        {"lstShiki", "式の一覧", "かいた放物線の式の一覧です。選ぶとその放物線が選択されます"},
        {"imgCood", "座標平面", kPlaneUse},
        {"drgTable", "関数の表", "選択している放物線の x と y の値の表です。クリックすると横に広がります"},
        {"imgShiki", "２次関数の式", "選択している放物線の式です"},
        {"imgHenikiX", "Ｘの変域", "選択している放物線の x の変域です"},
        {"imgHenikiY", "Ｙの変域", "選択している放物線の y の変域です"},
        {"imgJiku", "軸の式", "選択している放物線の軸の式です"},
        {"imgChouten", "頂点の座標", "選択している放物線の頂点の座標です"},
        {"grpSettei", "表示の設定と放物線の移動",
         "表示の切り替え、移動と開き具合のボタン、式の形のボタンです"},
        {"chkDataTable", "関数の表", "関数の表を表示します"},
        {"chkShiki", "２次関数の式", "式の一覧と式の欄に式を表示します"},
        {"chkDispHeniki", "変域表示", "式に変域を付けて表示します"},
        {"chkMaruX", "格子点の丸", "放物線の通る格子点に丸を付けます"},
        {"chkJikuColor", "軸の色", "軸を色を付けてかきます"},
        {"chkRanColor", "定数欄の色", "式などの欄に色を付けます"},
        {"chkHandle", "ハンドル", "選択した放物線に四角いハンドルを表示します"},
        {"chkTensen", "点線", "選択した放物線の頂点から軸へ点線をかきます"},
        {"btnUp", "上へ移動", "選択している放物線を上へ１目盛り動かします"},
        {"btnLeft", "左へ移動", "選択している放物線を左へ１目盛り動かします"},
        {"btnRight", "右へ移動", "選択している放物線を右へ１目盛り動かします"},
        {"btnDown", "下へ移動", "選択している放物線を下へ１目盛り動かします"},
        {"btnKatamukiUp", "広く", "グラフの開きを大きくします"},
        {"btnKatamukiDw", "狭く", "グラフの開きを小さくします"},
        {"btnHyoujun", "標準形", "式を標準形で表示します"},
        {"btnIppan", "一般形", "式を一般形で表示します"},
    };
    DescribeControls(this, texts);
    Describe(menuBar(), QStringLiteral("メニューバー"),
             QStringLiteral("ファイル、編集、設定、実行、表示、ヘルプのメニューです"));

    // Tool bar, formula list, plane, then the switches and buttons below it.
    const QList<QWidget *> order{deselectAllButton, formulaList, plane, valueTableSwitch};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void MainWindow::describePlane(const Parabola *selected)
{
    QString text = QString::fromUtf8(kPlaneUse);
    // Hidden formulas stay hidden from the screen reader as well.
    if (selected && formulaSwitch->isChecked())
        text = QStringLiteral("選択している放物線：") + StandardFormText(*selected, currentForm()) +
               QStringLiteral("。") + text;
    plane->setAccessibleDescription(text);
}
