#include "settings/SetCood.h"

#include "plane/Prompt.h"
#include "settings/PlaneSettingsStore.h"

TfrmSetCood::TfrmSetCood(const SettingsStore &store, PlaneSettings &holder, QWidget *parent)
    : QDialog(parent), m_settings(holder)
{
    setObjectName(QStringLiteral("frmSetCood"));
    setWindowTitle(QStringLiteral("座標面の設定"));
    Guarded([&] { LoadPlaneSettings(store, m_settings); });
}
