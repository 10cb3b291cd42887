#pragma once
// The 32 × 32 pictures of the verdict dialogs, drawn at start so the
// program ships no image files. Transparent outside the figure, so the
// dialog's background shows through.

#include <QPixmap>

constexpr int kVerdictIconSize = 32;

QPixmap FlowersIcon();     // a bunch of pink flowers: right answer
QPixmap SmilingCatIcon();  // a smiling white cat's face: right answer
QPixmap MonsterIcon();     // a green monster face: wrong answer
