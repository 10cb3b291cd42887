#pragma once
// Finds a window's control by its object name; a missing one ends the test
// run at once, since every later check would be meaningless. A window that
// builds its controls on first need is asked to build them first.

#include <QMetaObject>
#include <QObject>
#include <QString>

template <typename T>
T *Child(const QObject *parent, const QString &name)
{
    auto *window = const_cast<QObject *>(parent);
    if (window->metaObject()->indexOfMethod("BuildControls()") >= 0)
        QMetaObject::invokeMethod(window, "BuildControls", Qt::DirectConnection);
    T *c = parent->findChild<T *>(name);
    if (!c)
        qFatal("no child %s", qPrintable(name));
    return c;
}
