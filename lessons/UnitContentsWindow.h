#pragma once
// The unit content window "単元の内容": title, file name, number of
// parabolas and the file text of the open unit. The text itself belongs to
// the main window (its mirror of the unit file); this window shows it. It
// holds the unit title that an overwrite save writes: without control
// characters, whole, and shown cut when it is long.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class UnitContentsWindow : public QDialog {
    Q_OBJECT
public:
    explicit UnitContentsWindow(QWidget *parent = nullptr);

    // The mirror text shown in unitTextView whenever the window is shown.
    void setMirror(const QStringList *lines) { m_mirror = lines; }
    void refreshMemo();

    // The title saved by the next overwrite; control characters are left out.
    void setTitle(const QString &title);
    const QString &title() const { return m_title; }

    QLabel *titleLabel = nullptr;    // unit title as shown
    QLabel *fileNameLabel = nullptr;  // file name with its path
    QLabel *countLabel = nullptr;     // number of parabolas
    QPlainTextEdit *unitTextView = nullptr;
    QPushButton *returnButton = nullptr;

protected:
    void showEvent(QShowEvent *e) override;

private:
    const QStringList *m_mirror = nullptr;
    QString m_title;
};
