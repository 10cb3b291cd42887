#include "ui/Accessible.h"

#include <QWidget>

void Describe(QWidget *control, const QString &name, const QString &description)
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

void DescribeControls(QWidget *window, std::span<const ControlText> texts)
{
    for (const ControlText &t : texts) {
        auto *control = window->findChild<QWidget *>(QLatin1String(t.objectName));
        if (!control) {
            qWarning("no control %s to describe", t.objectName);
            continue;
        }
        Describe(control, QString::fromUtf8(t.name), QString::fromUtf8(t.description));
    }
}
