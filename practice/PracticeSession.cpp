#include "practice/PracticeSession.h"

#include "model/Fraction.h"

#include <QtGlobal>

namespace {

std::int64_t DeltaX(const Parabola &rec)
{
    return std::int64_t(rec.PointX) - rec.VertexX;
}

std::int64_t DeltaY(const Parabola &rec)
{
    return std::int64_t(rec.PointY) - rec.VertexY;
}

// The sign of a = dy/dx²: 1 opens upward, -1 downward, 0 for a line.
int Opening(const Parabola &rec)
{
    if (DeltaX(rec) == 0 || DeltaY(rec) == 0)
        return 0;
    return DeltaY(rec) > 0 ? 1 : -1;
}

// |a| = |dy|/dx², reduced; overflowed when it does not fit.
Fraction SizeOfA(const Parabola &rec)
{
    const WideInt dx = DeltaX(rec);
    const WideInt dy = DeltaY(rec);
    return ReducedFractionWide(dy < 0 ? -dy : dy, dx * dx);
}

// |a| compared across the products, which fit 128 bits where a reduced
// fraction may not fit 32.
bool SameSizeOfA(const Parabola &x, const Parabola &y)
{
    const auto mag = [](std::int64_t v) { return WideInt(v < 0 ? -v : v); };
    const WideInt dx1 = DeltaX(x), dx2 = DeltaX(y);
    return mag(DeltaY(x)) * dx2 * dx2 == mag(DeltaY(y)) * dx1 * dx1;
}

bool Reciprocal(const Fraction &x, const Fraction &y)
{
    return !x.Overflow && !y.Overflow && x.Num != 0 && y.Num != 0 && x.Num == y.Den && x.Den == y.Num;
}

// The slip named for a coordinate: its sign, or just a wrong value.
QString CoordinateSlip(std::int32_t answer, std::int32_t exercise, const QString &sign, const QString &other)
{
    return std::int64_t(answer) == -std::int64_t(exercise) ? sign : other;
}

bool SameDomain(const Parabola &x, const Parabola &y)
{
    return x.LineMode == y.LineMode && x.DomainLow == y.DomainLow && x.DomainHigh == y.DomainHigh &&
           (x.LowerIncluded != 0) == (y.LowerIncluded != 0) &&
           (x.UpperIncluded != 0) == (y.UpperIncluded != 0);
}

} // namespace

PracticeSession::PracticeSession(QObject *parent) : QObject(parent) {}

void PracticeSession::setSource(const ParabolaList &parabolas, int count, const QString &unitTitle,
                                bool testMode)
{
    m_source = parabolas;
    m_sourceCount = qBound(0, count, kMaxParabolas);
    m_unitTitle = unitTitle;
    m_testMode = testMode;
}

QString PracticeSession::Statement(int number)
{
    // Every exercise asks for the graph of a formula.
    return QStringLiteral("(") + QString::number(number) + QStringLiteral(")次の関数のグラフをかきなさい");
}

bool PracticeSession::IsRight(const QString &answerText, const Parabola &exercise, FormulaForm form)
{
    // Both clicks snap to lattice points, so equal texts are the only test:
    // every lattice point of the right curve gives the same reduced text.
    return answerText == exercise.Formula || answerText == StandardFormText(exercise, form);
}

QString PracticeSession::Diagnosis(const Parabola &answer, const Parabola &exercise)
{
    if (answer.VertexX != exercise.VertexX)
        return CoordinateSlip(answer.VertexX, exercise.VertexX, QStringLiteral("頂点のｘ座標の符号が逆です"),
                              QStringLiteral("頂点のｘ座標が違います"));
    if (answer.VertexY != exercise.VertexY)
        return CoordinateSlip(answer.VertexY, exercise.VertexY, QStringLiteral("頂点のｙ座標の符号が逆です"),
                              QStringLiteral("頂点のｙ座標が違います"));
    // The line says how the exercise's graph opens, not what the answer did.
    const int opening = Opening(exercise);
    if (Opening(answer) != opening && opening != 0)
        return opening > 0 ? QStringLiteral("上に開くグラフです") : QStringLiteral("下に開くグラフです");
    if (!SameSizeOfA(answer, exercise))
        return Reciprocal(SizeOfA(answer), SizeOfA(exercise))
                   ? QStringLiteral("aとその逆数をまちがえています")
                   : QStringLiteral("開き具合が違います");
    if (exercise.LineMode != 0 && !SameDomain(answer, exercise))
        return QStringLiteral("変域の端が違います");
    return {};
}

PracticeSession::Outcome PracticeSession::outcome() const
{
    if (m_firstTry == m_count && !m_review)
        return Outcome::Perfect;
    return m_review ? Outcome::Review : Outcome::Finished;
}

void PracticeSession::start(bool review)
{
    m_totalSeconds = 0;
    m_seconds = 0;
    m_answerShown = false;
    m_firstTry = 0;
    m_wrongAttempts = 0;
    m_position = 0;
    m_hint = false;
    m_marks.clear();
    m_diagnosis.clear();
    m_still.clear();
    m_overlay = Overlay{};
    int k = 0;
    for (int i = 0; i < m_sourceCount; ++i) {
        if (review && !m_mistakes[std::size_t(i)])
            continue;
        if (!review)
            m_mistakes[std::size_t(i)] = false;
        m_runList[std::size_t(k)] = m_source[std::size_t(i)];
        m_sourceIndex[std::size_t(k)] = i;
        ++k;
    }
    m_count = k;
    m_review = review;
    m_stage = m_count > 0 ? Stage::Vertex : Stage::Idle;
    emit runStarted(m_count);
    emit exerciseChanged(1, m_count > 0 ? m_runList[0].Formula : QString());
    emit changed(PlaneChange::Still);
}

bool PracticeSession::key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    switch (m_cursor.key(key, modifiers, autoRepeat)) {
    case LatticeCursor::Action::Moved:
        move(m_cursor.position());
        return true;
    case LatticeCursor::Action::Click:
        click(m_cursor.position());
        return true;
    case LatticeCursor::Action::Cancel:
        if (m_stage != Stage::SecondPoint)
            return false;
        cancelVertex();
        return true;
    case LatticeCursor::Action::None:
        break;
    }
    return false;
}

void PracticeSession::move(QPoint lattice)
{
    m_cursor.setPosition(lattice);
    if (m_count <= 0)
        return;
    bool moved = false;
    // The marker stays only until the mouse reaches another lattice point.
    if (lattice != m_lastPoint && m_overlay.vertexMarker) {
        m_overlay.vertexMarker.reset();
        moved = true;
    }
    if (m_stage == Stage::SecondPoint) {
        m_answer.PointX = lattice.x();
        m_answer.PointY = lattice.y();
        m_overlay.rubberCurve = m_answer;
        moved = true;
    }
    m_lastPoint = lattice;
    if (moved)
        emit changed(PlaneChange::Overlay);
}

void PracticeSession::leftPlane()
{
    if (!rubberCurve() || m_stage != Stage::SecondPoint)
        return;
    m_overlay.rubberCurve.reset();
    m_lastPoint = QPoint(m_answer.VertexX, m_answer.VertexY);
    emit changed(PlaneChange::Overlay);
}

void PracticeSession::rightClick(QPoint lattice)
{
    if (rubberCurve())
        cancelVertex();
    else
        click(lattice);
}

void PracticeSession::click(QPoint lattice)
{
    m_cursor.setPosition(lattice);
    if (!answering() || m_position >= m_count)
        return;
    if (m_stage == Stage::SecondPoint) {
        judge(lattice);
        return;
    }
    // The answer takes the exercise's colour, width and domain from its
    // source entry, which showing the correct graph never changes.
    m_answer = sourceEntry();
    m_answer.VertexX = lattice.x();
    m_answer.VertexY = lattice.y();
    m_answer.PointX = -99;
    m_answer.PointY = -99;
    m_overlay.vertexMarker = lattice;
    m_overlay.markerColor = m_answer.Color;
    m_stage = Stage::SecondPoint;
    m_lastPoint = lattice;
    emit changed(PlaneChange::Overlay);
}

void PracticeSession::judge(QPoint lattice)
{
    m_answer.PointX = lattice.x();
    m_answer.PointY = lattice.y();
    m_overlay.rubberCurve.reset();
    m_savedAnswer = m_answer;
    m_still.append(m_answer);
    const QString text = StandardFormText(m_answer, form());
    const bool right = IsRight(text, exercise(), form());
    const bool hinted = m_hint;
    m_hint = false;
    m_diagnosis = right || !m_detailedHints ? QString() : Diagnosis(m_answer, exercise());
    if (right) {
        const QString mark = m_wrongAttempts > 0 ? QStringLiteral("×")
                             : hinted            ? QStringLiteral("△")
                                                 : QStringLiteral("○");
        m_marks += mark;
        const int seconds = m_seconds;
        m_totalSeconds += seconds;
        m_seconds = 0;
        m_stage = Stage::RightVerdict;
        emit changed(PlaneChange::Still);
        emit judgedRight(text, mark, seconds);
    } else {
        mistakeFlag() = true;
        m_stage = Stage::WrongVerdict;
        emit changed(PlaneChange::Still);
        emit judgedWrong(text);
    }
}

void PracticeSession::rightVerdict(RightChoice choice)
{
    if (m_stage != Stage::RightVerdict)
        return;
    m_answerShown = false;
    // A stop still finishes this answer's handling: the run may end and be
    // recorded before the window closes.
    if (choice == RightChoice::Stop)
        emit closeRequested();
    if (m_wrongAttempts == 0) {
        ++m_firstTry;
        mistakeFlag() = false;
    }
    if (m_position + 1 >= m_count) {
        m_stage = Stage::RunEnd;
        emit runFinished(m_marks, m_totalSeconds, recordDue());
    } else {
        nextExercise();
    }
}

void PracticeSession::nextExercise()
{
    ++m_position;
    m_stage = Stage::Vertex;
    m_wrongAttempts = 0;
    m_diagnosis.clear();
    emit exerciseChanged(m_position + 1, exercise().Formula);
}

void PracticeSession::wrongVerdict(WrongChoice choice)
{
    if (m_stage != Stage::WrongVerdict)
        return;
    m_stage = Stage::Vertex;
    switch (choice) {
    case WrongChoice::Correct:
        // The judged answer is the last curve added.
        m_still.removeLast();
        break;
    case WrongChoice::ShowAnswer: {
        // Shown in black, twice as wide; the entry keeps the black for the
        // rest of the run.
        Parabola &entry = m_runList[std::size_t(m_position)];
        entry.Color = 0;
        entry.LineWidth = 2;
        m_still.append(entry);
        entry.LineWidth = 1;
        m_answerShown = true;
        break;
    }
    case WrongChoice::Stop:
        emit closeRequested();
        return;
    }
    ++m_wrongAttempts;
    emit changed(PlaneChange::Still);
}

void PracticeSession::runEndVerdict(RunEndChoice choice)
{
    if (m_stage != Stage::RunEnd)
        return;
    switch (choice) {
    case RunEndChoice::Repeat:
        start(false);
        break;
    case RunEndChoice::Review:
        start(true);
        break;
    case RunEndChoice::Stop:
        m_stage = Stage::Idle;
        emit closeRequested();
        break;
    }
}

void PracticeSession::cancelVertex()
{
    if (m_stage != Stage::SecondPoint)
        return;
    // Dropping the vertex takes its marker with it for good.
    m_overlay.rubberCurve.reset();
    m_overlay.vertexMarker.reset();
    m_stage = Stage::Vertex;
    emit changed(PlaneChange::Overlay);
}

void PracticeSession::hint()
{
    if (!answering() || m_position >= m_count)
        return;
    const Parabola &e = exercise();
    const QPoint target =
        m_stage == Stage::Vertex ? QPoint(e.VertexX, e.VertexY) : QPoint(e.PointX, e.PointY);
    // A second press at the same point takes that arrow away again.
    if (!m_overlay.hintArrows.removeOne(target))
        m_overlay.hintArrows.append(target);
    m_hint = true;
    emit changed(PlaneChange::Overlay);
    emit hintShown(target);
}

void PracticeSession::tick()
{
    ++m_seconds;
}
