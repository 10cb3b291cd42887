#pragma once
// Tests of read-only files and folders. The superuser passes every
// permission check, so under root such a test runs again as a child
// process of the same test program under the user "nobody" (setpriv), and
// passes or fails with it. Use at the top of the test function:
//
//     QUORVEL_WHERE_PERMISSIONS_BIND();
//
// Every check after it runs in a process that file permissions bind.

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QtTest>
#include <unistd.h>

namespace unprivileged {

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

inline Outcome RunWherePermissionsBind(const char *function)
{
    if (geteuid() != 0)
        return {Where::Here, {}};
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        return {Where::Unavailable, QStringLiteral("setpriv is not installed")};
    // One row of a data-driven test runs just that row.
    QString which = QString::fromLatin1(function);
    if (const char *tag = QTest::currentDataTag())
        which += QLatin1Char(':') + QString::fromUtf8(tag);
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                          QStringLiteral("--clear-groups"), QStringLiteral("--"),
                          TestProgram(), which});
    if (!child.waitForFinished(60000))
        return {Where::ChildFailed, QStringLiteral("the unprivileged run did not finish")};
    const QString out = QString::fromUtf8(child.readAll());
    // A child that could not even start the test program (a folder on the
    // way that "nobody" may not enter) is not a failure of the program.
    if (!out.contains(QStringLiteral("Totals:")))
        return {Where::Unavailable, QStringLiteral("cannot run as nobody: ") + out.left(300)};
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return {Where::ChildFailed, out};
    return {Where::ChildPassed, {}};
}

}  // namespace unprivileged

#define QUORVEL_WHERE_PERMISSIONS_BIND()                                                               \
    do {                                                                                               \
        const auto outcome_ = unprivileged::RunWherePermissionsBind(__func__);                         \
        switch (outcome_.where) {                                                                      \
        case unprivileged::Where::Here: break;                                                         \
        case unprivileged::Where::ChildPassed: return;                                                 \
        case unprivileged::Where::Unavailable: QSKIP(qPrintable(outcome_.detail));                     \
        case unprivileged::Where::ChildFailed: QFAIL(qPrintable(outcome_.detail));                     \
        }                                                                                              \
    } while (false)
