#pragma once
// The values one plane settings holder gives the plane drawing, as the
// settings dialog keeps them: integer fields as the texts typed, scales as
// the numbers taken over from their texts.

#include <QString>

struct PlaneSettings {
    QString SizeX = QStringLiteral("-99");   // pixels; 0 or less: default size
    QString SizeY = QStringLiteral("-99");
    QString DX = QStringLiteral("16");       // texts of the scale fields
    QString DY = QStringLiteral("16");
    int ScaleX = 16;                         // pixels per unit, |integer of DX|
    int ScaleY = 16;
    QString StartX = QStringLiteral("-99");  // magnitude 60 or more: centre the origin
    QString StartY = QStringLiteral("-99");
    QString EndX = QStringLiteral("99");     // largest numbered value
    QString EndY = QStringLiteral("99");
    int ScaleNumberX = 5;                    // numbering step in units, 0 = none
    int ScaleNumberY = 5;
    int FontSize = 12;                       // points
    int Margin = 1;                          // margin setting, unused by the geometry
    bool ShowCoordinates = true;             // draw grid, numbers and names at all
    bool ShowTickNumbers = true;             // draw tick numbers
    bool ShowAxisNames = true;               // draw the axis names

    friend bool operator==(const PlaneSettings &, const PlaneSettings &) = default;
};
