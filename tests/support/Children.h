#pragma once
// Finds a window's control by its object name; a missing one ends the test
// run at once, since every later check would be meaningless.

#include <QObject>
#include <QString>

template <typename T>
T *Child(const QObject *parent, const QString &name)
{
    T *c = parent->findChild<T *>(name);
    if (!c)
        qFatal("no child %s", qPrintable(name));
    return c;
}
