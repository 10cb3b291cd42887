#pragma once
// The 32 × 32 pictures of the verdict dialogs, drawn at start so the
// program ships no image files. Transparent outside the figure, so the
// dialog's background shows through.

#include <QFont>
#include <QPixmap>
#include <QRect>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

constexpr int kVerdictIconSize = 32;

QPixmap FlowersIcon();     // a bunch of pink flowers: right answer
QPixmap SmilingCatIcon();  // a smiling white cat's face: right answer
QPixmap MonsterIcon();     // a green monster face: wrong answer

// Pieces the three dialogs are built from.
QFont VerdictFont(int pixels);  // the gothic face at a pixel size
QPushButton *VerdictButton(QWidget *parent, const char *name, const QString &caption, const QRect &place);
QLabel *VerdictIconLabel(QWidget *parent, const char *name, const QPixmap &pm, int left, int top);
// The read-only message line "edtMess" in the 16 pixel face.
QLineEdit *VerdictMessageField(QWidget *parent, const QRect &place, const QString &text = QString());
