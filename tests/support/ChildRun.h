#pragma once
// Runs the current test function (just the current row of a data-driven
// one) again in a child process of the same test program, which passes or
// fails for it. Used by tests that need a process of their own: another
// user, a file-size limit.

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>
#include <functional>
#include <memory>

namespace childrun {

enum class Where { Here, ChildPassed, ChildFailed, Unavailable };

struct Outcome {
    Where where;
    QString detail;
};

// Also for tests without an application object.
inline QString TestProgram()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

// Starts `program` with `before` and then the test program and the test
// to run; prepare() may set up the child process before it starts.
inline std::unique_ptr<QProcess> StartAgain(const char *function, const QString &program, QStringList before,
                                            const std::function<void(QProcess &)> &prepare = {})
{
    QString which = QString::fromLatin1(function);
    if (const char *tag = QTest::currentDataTag())
        which += QLatin1Char(':') + QString::fromUtf8(tag);
    if (program != TestProgram())
        before << TestProgram();
    auto child = std::make_unique<QProcess>();
    child->setProcessChannelMode(QProcess::MergedChannels);
    if (prepare)
        prepare(*child);
    child->start(program, before << which);
    return child;
}

// Waits for a child started so and tells how its run ended.
inline Outcome Finish(QProcess &child)
{
    if (!child.waitForFinished(60000))
        return {Where::ChildFailed, QStringLiteral("the child run did not finish")};
    const QString out = QString::fromUtf8(child.readAll());
    // A child that could not even start the test program is not a failure
    // of the program.
    if (!out.contains(QStringLiteral("Totals:")))
        return {Where::Unavailable, QStringLiteral("cannot run the child: ") + out.left(300)};
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return {Where::ChildFailed, out};
    return {Where::ChildPassed, {}};
}

inline Outcome RunAgain(const char *function, const QString &program, QStringList before,
                        const std::function<void(QProcess &)> &prepare = {})
{
    return Finish(*StartAgain(function, program, std::move(before), prepare));
}

}  // namespace childrun

// Ends the test function as the child's run ended; goes on when it is the child.
#define QUORVEL_RELAY_CHILD(outcome)                                                                  \
    do {                                                                                               \
        const childrun::Outcome outcome_ = (outcome);                                                  \
        switch (outcome_.where) {                                                                      \
        case childrun::Where::Here: break;                                                             \
        case childrun::Where::ChildPassed: return;                                                     \
        case childrun::Where::Unavailable: QSKIP(qPrintable(outcome_.detail));                         \
        case childrun::Where::ChildFailed: QFAIL(qPrintable(outcome_.detail));                         \
        }                                                                                              \
    } while (false)
