#include "practice/PracticeWindow.h"

#include "plane/Fonts.h"
#include "plane/FormulaImage.h"
#include "plane/PlaneDrawing.h"
#include "plane/ProgramState.h"
#include "plane/Plotting.h"
#include "plane/Prompt.h"
#include "plane/TitleText.h"
#include "practice/Records.h"
#include "practice/RightAnswerDialog.h"
#include "practice/RunEndDialog.h"
#include "practice/WrongAnswerDialog.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"

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

QFont PixelFont(const QString &face, int pixels, bool bold)
{
    QFont f(face);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}
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

QString PracticeWindow::Statement(int number)
{
    // Every exercise asks for the graph of a formula.
    return QStringLiteral("(") + QString::number(number) + QStringLiteral(")次の関数のグラフをかきなさい");
}

PracticeWindow::PracticeWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
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
}

void PracticeWindow::buildControls()
{
    setFont(PixelFont(Fonts::FixedGothic, 16, true));
    auto label = [this](const QString &text, int x, int y) {
        auto *l = new QLabel(text, this);
        l->move(x, y);
        return l;
    };
    messageLabel = label(QString(), 8, 58);
    messageLabel->setObjectName(QStringLiteral("lblMess"));
    messageLabel->resize(281, 17);
    messageLabel->setFont(PixelFont(Fonts::FixedGothic, 14, true));
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
    recordList->setFont(PixelFont(Fonts::FixedGothic, 14, false));
    pointField = new QLineEdit(this);
    pointField->setObjectName(QStringLiteral("edtCood"));
    pointField->setGeometry(200, 16, 81, 24);
    pointField->setReadOnly(true);
    pointField->setFocusPolicy(Qt::NoFocus);
    pointField->setFont(PixelFont(Fonts::Gothic, 16, false));

    auto button = [this](const char *name, const QString &text, int y) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(200, y, 81, 33);
        b->setFont(PixelFont(Fonts::FixedGothic, 13, false));
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
        m_wrongAnswer->answerShown = [this] { return m_s.AnswerShown; };
        m_wrongAnswer->removeWrongAnswer = [this] {
            DrawParabola(plane->canvas(), m_s.SavedAnswer, false, plotContext());
        };
        m_wrongAnswer->showCorrectGraph = [this] {
            Parabola &entry = m_s.RunList[std::size_t(m_s.Position)];
            entry.Color = 0;
            entry.LineWidth = 2;
            DrawParabola(plane->canvas(), entry, false, plotContext());
            entry.LineWidth = 1;
            m_s.AnswerShown = true;
        };
    }
    return m_wrongAnswer;
}

PlotContext PracticeWindow::plotContext() const
{
    return PlotContext{plane->planeGeometry(), Program().Draw, plane->picture().width()};
}

FormulaForm PracticeWindow::form() const
{
    return currentForm ? currentForm() : FormulaForm::Standard;
}

const Parabola &PracticeWindow::source() const
{
    return Program().PracticeParabolas[std::size_t(m_s.SourceIndex[std::size_t(m_s.Position)])];
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
    ProgramState &st = Program();
    setWindowTitle(QStringLiteral("練習　") + ShownTitle(st.PracticeUnitTitle));
    m_closeRequested = false;
    m_s.RubberCurve = false;
    m_s.Review = false;
    if (st.PracticeCount <= 0) {
        // Nothing to pose: no empty run is started.
        prompt().message(QStringLiteral("練習する放物線がありません"));
        QMetaObject::invokeMethod(this, [this] { done(2); }, Qt::QueuedConnection);
        return;
    }
    Init(false);
    m_s.Hint = false;
}

void PracticeWindow::Init(bool review)
{
    ProgramState &st = Program();
    m_s.TotalSeconds = 0;
    m_s.Seconds = 0;
    secondTimer.start();
    plane->dropGeometry();
    Guarded([&] { plane->setPlaneGeometry(DrawPracticePlane(plane->picture(), st, plane->planeGeometry())); });
    plane->place(kPlaneLeft, formulaImage->y(), plane->picture().width(), plane->picture().height());
    ClearImage(formulaImage->picture(), st.Draw.PanelBackColor, st.Draw);
    ClearImage(answerImage->picture(), st.Draw.PanelBackColor, st.Draw);
    m_s.AnswerShown = false;
    m_s.FirstTry = 0;
    m_s.WrongAttempts = 0;
    m_s.Position = 0;
    m_s.Stage = 0;
    m_s.Marks.clear();
    m_s.RubberCurve = false;
    m_s.VertexMarker = false;
    recordList->clear();
    const int sources = qBound(0, st.PracticeCount, kMaxParabolas);
    int k = 0;
    for (int i = 0; i < sources; ++i) {
        if (review && !m_s.Mistakes[std::size_t(i)])
            continue;
        if (!review)
            m_s.Mistakes[std::size_t(i)] = false;
        m_s.RunList[std::size_t(k)] = st.PracticeParabolas[std::size_t(i)];
        m_s.SourceIndex[std::size_t(k)] = i;
        recordList->addItem(QStringLiteral("(%1)").arg(k + 1));
        ++k;
    }
    m_s.Count = k;
    m_s.Review = review;
    if (m_s.Count > 0)
        DrawFormulaImage(formulaImage->picture(), m_s.RunList[0].Formula, st.Draw);
    messageLabel->setText(Statement(1));
    // A fresh plane bitmap starts in copy mode; feedback needs not-xor.
    plane->canvas().setPenMode(PenMode::NotXor);
}

void PracticeWindow::planeMouseMove(QPoint pixel)
{
    const QPoint p = lattice(pixel);
    pointField->setText(QString::asprintf(" (%3d,%3d)", p.x(), p.y()));
    if (m_s.Count <= 0)
        return;
    Canvas &canvas = plane->canvas();
    if (p != m_s.LastPoint && m_s.VertexMarker) {
        DrawPointMarker(canvas, QPoint(m_s.Answer.VertexX, m_s.Answer.VertexY), Color(m_s.Answer.Color), plotContext());
        m_s.VertexMarker = false;
    }
    if (m_s.Stage == 1) {
        m_s.Answer.PointX = m_s.LastPoint.x();
        m_s.Answer.PointY = m_s.LastPoint.y();
        if (m_s.RubberCurve)
            DrawUnbounded(canvas, m_s.Answer, plotContext());
        m_s.Answer.PointX = p.x();
        m_s.Answer.PointY = p.y();
        DrawUnbounded(canvas, m_s.Answer, plotContext());
        m_s.RubberCurve = true;
    }
    m_s.LastPoint = p;
}

void PracticeWindow::windowMouseMove()
{
    pointField->clear();
    if (m_s.RubberCurve && m_s.Stage == 1) {
        m_s.Answer.PointX = m_s.LastPoint.x();
        m_s.Answer.PointY = m_s.LastPoint.y();
        DrawUnbounded(plane->canvas(), m_s.Answer, plotContext());
        m_s.RubberCurve = false;
        m_s.LastPoint = QPoint(m_s.Answer.VertexX, m_s.Answer.VertexY);
    }
}

bool PracticeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::MouseMove)
        windowMouseMove();
    return QDialog::eventFilter(watched, event);
}

void PracticeWindow::planeMouseDown(Qt::MouseButton button, QPoint pixel)
{
    if (m_s.Count <= 0 || m_s.Position >= m_s.Count || m_inPress)
        return;
    m_inPress = true;
    if (m_s.Stage == 0)
        m_s.Answer = source();
    const QPoint p = lattice(pixel);
    if (button == Qt::RightButton && m_s.RubberCurve) {
        DrawPointMarker(plane->canvas(), QPoint(m_s.Answer.VertexX, m_s.Answer.VertexY),
                        Color(m_s.Answer.Color), plotContext());
        correctClicked();
    } else {
        answerClick(p);
    }
    m_inPress = false;
    if (m_closeRequested) {
        m_closeRequested = false;
        done(2);
    }
}

void PracticeWindow::answerClick(QPoint p)
{
    ProgramState &st = Program();
    Canvas &canvas = plane->canvas();
    if (m_s.Stage == 0) {
        m_s.Answer.VertexX = p.x();
        m_s.Answer.VertexY = p.y();
        m_s.Answer.PointX = -99;
        m_s.Answer.PointY = -99;
        DrawPointMarker(canvas, p, Color(m_s.Answer.Color), plotContext());
        m_s.VertexMarker = true;
        m_s.Stage = 1;
        m_s.LastPoint = p;
        return;
    }
    if (m_s.RubberCurve) {
        // Take the rubber curve off where the last move drew it.
        m_s.Answer.PointX = m_s.LastPoint.x();
        m_s.Answer.PointY = m_s.LastPoint.y();
        DrawUnbounded(canvas, m_s.Answer, plotContext());
    }
    m_s.Answer.PointX = p.x();
    m_s.Answer.PointY = p.y();
    m_s.RubberCurve = false;
    m_s.SavedAnswer = m_s.Answer;
    const QString answer = StandardFormText(m_s.Answer, form());
    DrawFormulaImage(answerImage->picture(), answer, st.Draw);
    const Parabola &exercise = m_s.RunList[std::size_t(m_s.Position)];
    const bool right = answer == exercise.Formula || answer == StandardFormText(exercise, form());
    if (right)
        rightAnswer();
    else
        wrongAnswer();
    m_s.Hint = false;
}

void PracticeWindow::rightAnswer()
{
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

    DrawParabola(plane->canvas(), m_s.Answer, false, plotContext());
    m_s.RubberCurve = false;
    const QString mark = m_s.WrongAttempts > 0 ? QStringLiteral("×") : m_s.Hint ? QStringLiteral("△") : QStringLiteral("○");
    m_s.Marks += mark;
    if (QListWidgetItem *item = recordList->item(m_s.Position))
        item->setText(item->text() + mark + QLatin1Char(' ') + MinutesSecondsText(m_s.Seconds));
    m_s.TotalSeconds += m_s.Seconds;
    m_s.Seconds = 0;

    const int r = runModal(rightAnswerDialog());
    m_s.AnswerShown = false;
    if (r == 2)
        m_closeRequested = true;
    if (m_s.WrongAttempts == 0) {
        ++m_s.FirstTry;
        m_s.Mistakes[std::size_t(m_s.SourceIndex[std::size_t(m_s.Position)])] = false;
    }
    if (m_s.Position + 1 >= m_s.Count)
        endRun();
    else
        nextExercise();
}

void PracticeWindow::nextExercise()
{
    const DrawingSettings &draw = Program().Draw;
    ++m_s.Position;
    m_s.Stage = 0;
    m_s.WrongAttempts = 0;
    ClearImage(formulaImage->picture(), draw.PanelBackColor, draw);
    ClearImage(answerImage->picture(), draw.PanelBackColor, draw);
    messageLabel->setText(Statement(m_s.Position + 1));
    DrawFormulaImage(formulaImage->picture(), m_s.RunList[std::size_t(m_s.Position)].Formula, draw);
}

void PracticeWindow::wrongAnswer()
{
    // The black background of the tick leaves the answer picture as it is.
    answerImage->canvas().xorCopy(100, 0, m_tick.copy(0, 0, 100, 100));
    m_s.Mistakes[std::size_t(m_s.SourceIndex[std::size_t(m_s.Position)])] = true;
    DrawParabola(plane->canvas(), m_s.Answer, false, plotContext());
    m_s.RubberCurve = false;
    const int r = runModal(wrongAnswerDialog());
    if (r == 1)
        ++m_s.WrongAttempts;
    else
        m_closeRequested = true;
    m_s.Stage = 0;
}

void PracticeWindow::endRun()
{
    ProgramState &st = Program();
    if (!st.TestMode && !m_s.Review && !st.OnCdRom)
        AppendRunRecord(st.PracticeUnitTitle, m_s.Marks, m_s.TotalSeconds);
    recordList->addItem(QStringLiteral("------------"));
    recordList->addItem(QStringLiteral("      ") + MinutesSecondsText(m_s.TotalSeconds));
    const bool allFirst = m_s.FirstTry == m_s.Count;
    const auto outcome = allFirst && !m_s.Review ? RunEndDialog::Outcome::Perfect
                         : m_s.Review             ? RunEndDialog::Outcome::Review
                                                  : RunEndDialog::Outcome::Finished;
    runEndDialog()->prepare(outcome, !allFirst, st.TestMode);
    const int r = runModal(m_runEnd);
    if (r == 1) {
        m_s.Review = false;
        Init(false);
    } else if (r == 4) {
        m_s.Review = true;
        Init(true);
    } else {
        m_closeRequested = true;
    }
}

void PracticeWindow::correctClicked()
{
    if (m_s.Stage != 1)
        return;
    m_s.Answer.PointX = m_s.LastPoint.x();
    m_s.Answer.PointY = m_s.LastPoint.y();
    if (m_s.RubberCurve)
        DrawUnbounded(plane->canvas(), m_s.Answer, plotContext());
    DrawPointMarker(plane->canvas(), QPoint(m_s.Answer.VertexX, m_s.Answer.VertexY), Color(m_s.Answer.Color), plotContext());
    m_s.RubberCurve = false;
    m_s.Stage = 0;
}

void PracticeWindow::hintClicked()
{
    if (m_s.Count <= 0 || m_s.Position >= m_s.Count)
        return;
    const Parabola &exercise = m_s.RunList[std::size_t(m_s.Position)];
    const QPoint target = m_s.Stage == 0 ? QPoint(exercise.VertexX, exercise.VertexY)
                                         : QPoint(exercise.PointX, exercise.PointY);
    const QPoint px = plane->pixelAt(target);
    plane->canvas().xorCopy(px.x(), px.y(), m_arrow.copy(0, 0, 20, 20));
    m_s.Hint = true;
}

void PracticeWindow::endClicked()
{
    done(2);
}

void PracticeWindow::secondElapsed()
{
    ++m_s.Seconds;
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
