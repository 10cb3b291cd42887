#pragma once
// A dialog created at start-up whose controls are built on first need: when
// it is first shown, or by a handler that calls BuildControls(). Building
// controls costs font loading and layout work, and most runs of the program
// never open most dialogs.

#include <QDialog>

class LazyDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // Builds the controls once; later calls do nothing. Tests call it to
    // find controls by name.
    Q_INVOKABLE void BuildControls();
    bool controlsBuilt() const { return m_built; }

    void setVisible(bool visible) override;

protected:
    virtual void buildControls() = 0;

private:
    bool m_built = false;
};
