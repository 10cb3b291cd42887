#include "ui/LazyDialog.h"

void LazyDialog::BuildControls()
{
    if (m_built)
        return;
    m_built = true;
    buildControls();
}

void LazyDialog::setVisible(bool visible)
{
    // Before Qt shows the children, which it does ahead of the show event.
    if (visible)
        BuildControls();
    QDialog::setVisible(visible);
}
