#pragma once
// The coordinate plane settings dialog "座標面の設定". Its instance is the
// holder of one PlaneSettings: it loads the stored values when it is
// created and the plane drawing reads them from the holder.

#include "plane/PlaneSettings.h"
#include "settings/SettingsStore.h"

#include <QDialog>

class TfrmSetCood : public QDialog {
    Q_OBJECT
public:
    // Loads the stored values into `holder`, which the dialog then edits.
    TfrmSetCood(const SettingsStore &store, PlaneSettings &holder, QWidget *parent = nullptr);

    PlaneSettings &settings() { return m_settings; }

private:
    PlaneSettings &m_settings;
};

// The second, never-shown instance: holds the settings of the practice and
// preview planes, as stored when the program started.
class TfrmSetCood2 : public TfrmSetCood {
    Q_OBJECT
public:
    using TfrmSetCood::TfrmSetCood;
};
