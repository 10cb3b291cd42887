#pragma once
// Chief header of the plane and drawing layer.
#include "plane/AutoColor.h"
#include "plane/Canvas.h"
#include "plane/Convert.h"
#include "plane/Cp932.h"
#include "plane/Fonts.h"
#include "plane/Picture.h"
#include "plane/PlaneDrawing.h"
#include "plane/PlaneGeometry.h"
#include "plane/PlaneSettings.h"
#include "plane/ProgramState.h"
#include "plane/Prompt.h"
#include "plane/UnitLines.h"
