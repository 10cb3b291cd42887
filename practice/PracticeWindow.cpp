#include "practice/PracticeWindow.h"

#include "files/Records.h"
#include "files/TitleText.h"
#include "plane/Fonts.h"
#include "plane/FormulaImage.h"
#include "plane/PlaneDrawing.h"
#include "plane/Plotting.h"
#include "practice/RightAnswerDialog.h"
#include "practice/RunEndDialog.h"
#include "practice/WrongAnswerDialog.h"
#include "ui/Accessible.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"
#include "ui/Prompt.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {
constexpr int kPlaneLeft = 350;
constexpr Color kCorrectPen = 0x7FFFFF00 & 0xFFFFFF;    // the colour values keep only their 24 bits
constexpr Color kCorrectBrush = 0x7FFFFFFE & 0xFFFFFF;
constexpr const char *kPlaneUse = "格子点をクリックして答えます。矢印キーで格子点カーソルを動かし、"
                                  "Enter キーかスペースキーでその点をクリックします。";
}  // namespace

QImage PracticeWindow::TickPicture()
{
    QImage img(82, 58, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 0, 0), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // A red tick: the teacher's mark for a wrong answer.
    p.drawLine(QPointF(12, 28), QPointF(30, 48));
    p.drawLine(QPointF(30, 48), QPointF(72, 8));
    return img;
}

QImage PracticeWindow::ArrowPicture()
{
    QImage img(21, 21, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setPen(QPen(QColor(0, 255, 0), 3));
    p.setBrush(QColor(0, 255, 0));
    // Pointing to the top-left corner, so its tip touches the point shown.
    p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(11, 3), QPoint(3, 11)}));
    p.drawLine(QPoint(4, 4), QPoint(19, 19));
    return img;
}

PracticeWindow::PracticeWindow(const ViewSettings &view, const AppFolder &folder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint), m_view(view),
      m_folder(folder)
{
    setObjectName(QStringLiteral("frmRenshu"));
    setWindowTitle(QStringLiteral("練習"));
    if (parent)
        setGeometry(0, 0, parent->width(), parent->height());
    else
        setGeometry(0, 0, 1024, 740);
    setMouseTracking(true);
    installEventFilter(this);
    m_tick = TickPicture();
    m_arrow = ArrowPicture();
    secondTimer.setInterval(1000);
    connect(&secondTimer, &QTimer::timeout, this, [this] { secondElapsed(); });
    buildControls();
    connectSession();
}

void PracticeWindow::buildControls()
{
    setFont(Fonts::PixelFace(Fonts::FixedGothic, 16, true));
    auto label = [this](const QString &text, int x, int y) {
        auto *l = new QLabel(text, this);
        l->move(x, y);
        return l;
    };
    messageLabel = label(QString(), 8, 58);
    messageLabel->setObjectName(QStringLiteral("lblMess"));
    messageLabel->resize(281, 17);
    messageLabel->setFont(Fonts::PixelFace(Fonts::FixedGothic, 14, true));
    diagnosisLabel = label(QString(), 8, DiagnosisTop);
    diagnosisLabel->setObjectName(QStringLiteral("lblDiagnosis"));
    diagnosisLabel->resize(kPlaneLeft - 16, 17);
    diagnosisLabel->setFont(Fonts::PixelFace(Fonts::FixedGothic, 14, true));
    diagnosisLabel->setAccessibleName(QStringLiteral("誤りの説明"));
    formulaImage = new ImageView(this);
    formulaImage->setObjectName(QStringLiteral("imgShiki"));
    formulaImage->place(7, 79, 282, 65);
    label(QStringLiteral("答案"), 8, 150);
    answerImage = new ImageView(this);
    answerImage->setObjectName(QStringLiteral("imgAns"));
    answerImage->place(7, 167, 282, 65);
    label(QStringLiteral("採点"), 8, 240);
    recordList = new QListWidget(this);
    recordList->setObjectName(QStringLiteral("lstRecord"));
    recordList->setGeometry(48, 240, 137, RecordListBottom - 240);
    recordList->setSelectionMode(QAbstractItemView::NoSelection);
    recordList->setFont(Fonts::PixelFace(Fonts::FixedGothic, 14, false));
    pointField = new QLineEdit(this);
    pointField->setObjectName(QStringLiteral("edtCood"));
    pointField->setGeometry(200, 16, 81, 24);
    pointField->setReadOnly(true);
    pointField->setFocusPolicy(Qt::NoFocus);
    pointField->setFont(Fonts::PixelFace(Fonts::Gothic, 16, false));

    auto button = [this](const char *name, const QString &text, int y) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(200, y, 81, 33);
        b->setFont(Fonts::PixelFace(Fonts::FixedGothic, 13, false));
        return b;
    };
    correctButton = button("btnTeisei", QStringLiteral("訂正"), 256);
    endButton = button("btnEnd", QStringLiteral("終了"), 312);
    hintButton = button("Button1", QStringLiteral("ヒント"), 368);
    connect(correctButton, &QPushButton::clicked, this, [this] { correctClicked(); });
    connect(endButton, &QPushButton::clicked, this, [this] { endClicked(); });
    connect(hintButton, &QPushButton::clicked, this, [this] { hintClicked(); });

    plane = new PlaneView(this);
    plane->setObjectName(QStringLiteral("imgCood"));
    plane->onMouseDown = [this](QMouseEvent *e) { planeMouseDown(e->button(), e->position().toPoint()); };
    plane->onMouseMove = [this](QMouseEvent *e) { planeMouseMove(e->position().toPoint()); };
    plane->setKeyHandler(
        [this](QKeyEvent *e) { return planeKey(e->key(), e->modifiers(), e->isAutoRepeat()); });
    plane->onKeyCursorShown = [this] {
        boundKeyCursor();
        showPlanePoint(m_session.cursor().position());
        plane->setKeyCursor(m_session.cursor().position());
    };
    plane->paintOverlay = [this](Canvas &frame) { paintOverlay(frame); };

    static constexpr ControlText texts[] = {
        {"lblMess", "問題", "今の問題の番号と問いです"},
        {"imgShiki", "問題の式", "グラフをかく関数の式です"},
        {"imgAns", "答案", "まだ答えていません"},
        {"lstRecord", "採点", "問題ごとの採点とかかった時間です"},
        {"edtCood", "座標", "マウスか格子点カーソルのある格子点の座標です"},
        {"btnTeisei", "訂正", "決めた頂点を取り消します"},
        {"btnEnd", "終了", "練習を終わります"},
        {"Button1", "ヒント", "頂点か通る点の位置に矢印を出します"},
        {"imgCood", "座標平面", kPlaneUse},
    };
    DescribeControls(this, texts);
}

void PracticeWindow::describeAnswer(const QString &answerText, const QString &verdict)
{
    // The statement and the verdict on the pictures, for a screen reader.
    const QString answer = answerText.isEmpty() ? QStringLiteral("まだ答えていません")
                                                : answerText + QStringLiteral("　") + verdict;
    answerImage->setAccessibleDescription(answer);
    plane->setAccessibleDescription(messageLabel->text() + QStringLiteral("　") +
                                    formulaImage->accessibleDescription() + QStringLiteral("。答案：") +
                                    answer + QStringLiteral("。") + QString::fromUtf8(kPlaneUse));
}

template <typename Dialog> Dialog *PracticeWindow::verdictDialog(Dialog *&dialog)
{
    if (!dialog) {
        // Owned like this window, or by it when it stands alone.
        dialog = new Dialog(parentWidget() ? parentWidget() : this);
        dialog->placeBelow(RecordListBottom + 32, (parentWidget() ? parentWidget()->x() : 0) + 20);
    }
    return dialog;
}

RightAnswerDialog *PracticeWindow::rightAnswerDialog()
{
    return verdictDialog(m_rightAnswer);
}

RunEndDialog *PracticeWindow::runEndDialog()
{
    if (!m_runEnd)
        verdictDialog(m_runEnd)->showRecords = [this] {
            if (showRecords)
                showRecords();
        };
    return m_runEnd;
}

WrongAnswerDialog *PracticeWindow::wrongAnswerDialog()
{
    if (!m_wrongAnswer) {
        verdictDialog(m_wrongAnswer);
        m_wrongAnswer->answerShown = [this] { return m_session.answerShown(); };
        m_wrongAnswer->removeWrongAnswer = [this] {
            m_session.wrongVerdict(PracticeSession::WrongChoice::Correct);
        };
        m_wrongAnswer->showCorrectGraph = [this] {
            m_session.wrongVerdict(PracticeSession::WrongChoice::ShowAnswer);
        };
    }
    return m_wrongAnswer;
}

void PracticeWindow::connectSession()
{
    m_session.setFormulaForm([this] { return currentForm ? currentForm() : FormulaForm::Standard; });
    connect(&m_session, &PracticeSession::runStarted, this, &PracticeWindow::runStarted);
    connect(&m_session, &PracticeSession::exerciseChanged, this, &PracticeWindow::exerciseChanged);
    connect(&m_session, &PracticeSession::judgedRight, this, &PracticeWindow::judgedRight);
    connect(&m_session, &PracticeSession::judgedWrong, this, &PracticeWindow::judgedWrong);
    connect(&m_session, &PracticeSession::runFinished, this, &PracticeWindow::runFinished);
    connect(&m_session, &PracticeSession::changed, this, &PracticeWindow::planeChanged);
    // A stop takes effect once the press that led to it is handled.
    connect(&m_session, &PracticeSession::closeRequested, this, [this] { m_closeRequested = true; });
}

PlotContext PracticeWindow::plotContext() const
{
    return plane->plotContext(m_view.Draw);
}

QPoint PracticeWindow::lattice(QPoint pixel) const
{
    return plane->latticeAt(pixel);
}

void PracticeWindow::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        prepareToShow();
}

void PracticeWindow::prepareToShow()
{
    const PracticeSource &st = m_source;
    setWindowTitle(QStringLiteral("練習　") + ShownTitle(st.unitTitle));
    m_closeRequested = false;
    if (st.count <= 0) {
        // Nothing to pose: no empty run is started.
        prompt().message(QStringLiteral("練習する放物線がありません"));
        QMetaObject::invokeMethod(this, [this] { done(2); }, Qt::QueuedConnection);
        return;
    }
    m_session.setSource(st.parabolas, st.count, st.unitTitle, st.testMode);
    m_session.setDetailedHints(!detailedHints || detailedHints());
    m_session.start(false);
}

void PracticeWindow::runStarted(int count)
{
    const ViewSettings &st = m_view;
    secondTimer.start();
    plane->dropGeometry();
    Guarded(
        [&] { plane->setPlaneGeometry(DrawPracticePlane(plane->picture(), st, plane->planeGeometry())); });
    plane->place(kPlaneLeft, formulaImage->y(), plane->picture().width(), plane->picture().height());
    m_grid = plane->canvas().image().copy();
    recordList->clear();
    for (int k = 0; k < count; ++k)
        recordList->addItem(QStringLiteral("(%1)").arg(k + 1));
}

void PracticeWindow::exerciseChanged(int number, const QString &formula)
{
    const DrawingSettings &draw = m_view.Draw;
    ClearImage(formulaImage->picture(), draw.PanelBackColor, draw);
    ClearImage(answerImage->picture(), draw.PanelBackColor, draw);
    messageLabel->setText(PracticeSession::Statement(number));
    diagnosisLabel->clear();
    messageLabel->setAccessibleName(messageLabel->text());
    if (m_session.count() > 0)
        DrawFormulaImage(formulaImage->picture(), formula, draw);
    formulaImage->setAccessibleDescription(m_session.count() > 0 ? formula : QString());
    describeAnswer(QString(), QString());
}

void PracticeWindow::planeChanged(PracticeSession::PlaneChange change)
{
    if (change == PracticeSession::PlaneChange::Still)
        redrawStill();
    else
        plane->overlayChanged();
}

void PracticeWindow::redrawStill()
{
    // The curves that stay, in copy mode and in order: a later curve lies
    // over an earlier one in its own colour.
    Canvas &canvas = plane->canvas();
    canvas.setPenMode(PenMode::Copy);
    canvas.assign(m_grid);
    const PlotContext ctx = plotContext();
    for (const Parabola &curve : m_session.stillCurves())
        DrawParabola(canvas, curve, false, ctx);
    plane->update();
}

void PracticeWindow::paintOverlay(Canvas &frame)
{
    const PlotContext ctx = plotContext();
    const PracticeSession::Overlay &overlay = m_session.overlay();
    frame.setPenMode(PenMode::Copy);
    if (overlay.rubberCurve)
        DrawUnbounded(frame, *overlay.rubberCurve, ctx);
    if (overlay.vertexMarker)
        DrawPointMarker(frame, *overlay.vertexMarker, Color(overlay.markerColor), ctx);
    // The arrow's black background leaves the plane as it is; its tip
    // touches the point.
    for (const QPoint &point : overlay.hintArrows) {
        const QPoint px = plane->pixelAt(point);
        frame.xorCopy(px.x(), px.y(), m_arrow.copy(0, 0, 20, 20));
    }
}

void PracticeWindow::showPlanePoint(QPoint lattice)
{
    pointField->setText(QString::asprintf(" (%3d,%3d)", lattice.x(), lattice.y()));
}

void PracticeWindow::boundKeyCursor()
{
    const PlaneGeometry &g = plane->planeGeometry();
    m_session.cursor().setBounds(g.StartX, g.LastX, g.StartY, g.LastY);
}

void PracticeWindow::planeMouseMove(QPoint pixel)
{
    const PlaneView::OverlayBatch batch(*plane);
    const QPoint p = lattice(pixel);
    showPlanePoint(p);
    boundKeyCursor();
    m_session.move(p);
    plane->setKeyCursor(m_session.cursor().position());
}

bool PracticeWindow::planeKey(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    if (m_session.count() <= 0 || m_inPress || !plane->hasGeometry())
        return false;
    boundKeyCursor();
    bool taken = false;
    answer([&] { taken = m_session.key(key, modifiers, autoRepeat); });
    if (taken) {
        showPlanePoint(m_session.cursor().position());
        plane->setKeyCursor(m_session.cursor().position());
    }
    return taken;
}

void PracticeWindow::windowMouseMove()
{
    pointField->clear();
    m_session.leftPlane();
}

bool PracticeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::MouseMove)
        windowMouseMove();
    return QDialog::eventFilter(watched, event);
}

void PracticeWindow::planeMouseDown(Qt::MouseButton button, QPoint pixel)
{
    if (m_session.count() <= 0 || m_inPress)
        return;
    const QPoint p = lattice(pixel);
    boundKeyCursor();
    answer([&] {
        if (button == Qt::RightButton)
            m_session.rightClick(p);
        else
            m_session.click(p);
    });
    plane->setKeyCursor(m_session.cursor().position());
}

void PracticeWindow::answer(const std::function<void()> &input)
{
    m_inPress = true;
    input();
    settleVerdicts();
    m_inPress = false;
    if (m_closeRequested) {
        m_closeRequested = false;
        done(2);
    }
}

void PracticeWindow::settleVerdicts()
{
    using Stage = PracticeSession::Stage;
    for (;;) {
        switch (m_session.stage()) {
        case Stage::RightVerdict: {
            const int r = runModal(rightAnswerDialog());
            m_session.rightVerdict(r == 2 ? PracticeSession::RightChoice::Stop
                                          : PracticeSession::RightChoice::Next);
            break;
        }
        case Stage::WrongVerdict:
            // Its retry buttons hand their choice to the session; a dialog
            // closed without one stops.
            runModal(wrongAnswerDialog());
            m_session.wrongVerdict(PracticeSession::WrongChoice::Stop);
            break;
        case Stage::RunEnd: {
            runEndDialog()->prepare(m_session.outcome(), m_session.reviewEnabled(), m_session.testMode());
            const int r = runModal(m_runEnd);
            m_session.runEndVerdict(r == 1   ? PracticeSession::RunEndChoice::Repeat
                                    : r == 4 ? PracticeSession::RunEndChoice::Review
                                             : PracticeSession::RunEndChoice::Stop);
            break;
        }
        default:
            return;
        }
    }
}

void PracticeWindow::judgedRight(const QString &answerText, const QString &mark, int seconds)
{
    DrawFormulaImage(answerImage->picture(), answerText, m_view.Draw);
    diagnosisLabel->clear();
    describeAnswer(answerText, QStringLiteral("正解"));
    Canvas &ans = answerImage->canvas();
    const PenMode keep = ans.penMode();
    ans.setPenMode(PenMode::NotXor);
    ans.setPenWidth(3);
    ans.setPenColor(kCorrectPen);
    ans.setBrushColor(kCorrectBrush);
    const int w = ans.width(), h = ans.height(), a = w / 2;
    ans.ellipse(0, 0, w / 2, h);
    ans.ellipse(a / 4, h / 4, 3 * a / 4, 3 * h / 4);
    ans.setPenMode(keep);
    ans.setPenWidth(1);
    if (QListWidgetItem *item = recordList->item(m_session.position()))
        item->setText(item->text() + mark + QLatin1Char(' ') + MinutesSecondsText(seconds));
}

void PracticeWindow::judgedWrong(const QString &answerText)
{
    DrawFormulaImage(answerImage->picture(), answerText, m_view.Draw);
    diagnosisLabel->setText(m_session.diagnosis());
    describeAnswer(answerText, QStringLiteral("誤答"));
    // The black background of the tick leaves the answer picture as it is.
    answerImage->canvas().xorCopy(100, 0, m_tick.copy(0, 0, 100, 100));
}

void PracticeWindow::runFinished(const QString &marks, int totalSeconds, bool recordDue)
{
    if (recordDue)
        ShowMessages(
            AppendRunRecord(m_session.unitTitle(), marks, totalSeconds, {m_folder.dir, m_folder.onCdRom})
                .messages);
    recordList->addItem(QStringLiteral("------------"));
    recordList->addItem(QStringLiteral("      ") + MinutesSecondsText(totalSeconds));
}

void PracticeWindow::correctClicked()
{
    m_session.cancelVertex();
}

void PracticeWindow::hintClicked()
{
    m_session.hint();
}

void PracticeWindow::endClicked()
{
    done(2);
}

void PracticeWindow::secondElapsed()
{
    m_session.tick();
}

void PracticeWindow::done(int r)
{
    if (m_inPress) {
        // A stop chosen in a dialog takes effect after the press is handled.
        m_closeRequested = true;
        return;
    }
    secondTimer.stop();
    QDialog::done(r);
}
