#pragma once
// What a screen reader says for the controls of a window: a short name and
// a sentence on what the control does, both in Japanese.

#include <QString>
#include <span>

class QWidget;

struct ControlText {
    const char *objectName; // the control among the window's children
    const char *name;
    const char *description;
};

void Describe(QWidget *control, const QString &name, const QString &description);
// Describes the children of window with these object names; a name not
// found is a programming slip and is reported.
void DescribeControls(QWidget *window, std::span<const ControlText> texts);
