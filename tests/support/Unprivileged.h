#pragma once
// Tests of read-only files and folders. The superuser passes every
// permission check, so under root such a test runs again as a child
// process of the same test program under the user "nobody" (setpriv), and
// passes or fails with it. Use at the top of the test function:
//
//     QUORVEL_WHERE_PERMISSIONS_BIND();
//
// Every check after it runs in a process that file permissions bind.

#include "support/ChildRun.h"

#include <QStandardPaths>
#include <unistd.h>

namespace unprivileged {

inline childrun::Outcome RunWherePermissionsBind(const char *function)
{
    if (geteuid() != 0)
        return {childrun::Where::Here, {}};
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        return {childrun::Where::Unavailable, QStringLiteral("setpriv is not installed")};
    return childrun::RunAgain(function, setpriv,
                              {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                               QStringLiteral("--clear-groups"), QStringLiteral("--")});
}

}  // namespace unprivileged

#define QUORVEL_WHERE_PERMISSIONS_BIND() QUORVEL_RELAY_CHILD(unprivileged::RunWherePermissionsBind(__func__))
