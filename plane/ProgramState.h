#pragma once
// The values that several windows share: the view settings and the
// practice source list. One object, reached through Program().

#include "model/Parabola.h"
#include "plane/Canvas.h"
#include "plane/ViewSettings.h"

#include <QString>

// The settings and the hand-over to the practice window, one object for
// the whole program.
struct ProgramState : ViewSettings {
    ParabolaList PracticeParabolas{};
    int PracticeCount = 0;
    QString PracticeUnitTitle;
    bool TestMode = false;
    bool OpenForEditing = false;
    int ChosenUnit = -1;

    QString AppDir;         // ends with a separator
    bool OnCdRom = false;
};

ProgramState &Program();
