#pragma once
// The unit content window "単元の内容": title, file name, number of
// parabolas and the file text of the open unit, as the document holds them.
// Long titles and lines are shown cut.

#include <QDialog>
#include <QStringList>

class QLabel;
class UnitDocument;
class QPlainTextEdit;
class QPushButton;

class UnitContentsWindow : public QDialog {
    Q_OBJECT
public:
    explicit UnitContentsWindow(QWidget *parent = nullptr);

    // The unit shown; the labels follow its changes, the text is read
    // whenever the window is shown.
    void setDocument(const UnitDocument *doc);
    void refreshMemo();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void showNames();
    void showCount();
    const UnitDocument *m_doc = nullptr;

    QLabel *titleLabel = nullptr;    // unit title as shown
    QLabel *fileNameLabel = nullptr;  // file name with its path
    QLabel *countLabel = nullptr;     // number of parabolas
    QPlainTextEdit *unitTextView = nullptr;
    QPushButton *returnButton = nullptr;
};
