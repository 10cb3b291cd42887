#include "settings/PlaneSettingsDialog.h"

#include "files/Convert.h"
#include "settings/PlaneSettingsPresets.h"
#include "settings/PlaneSettingsStore.h"
#include "ui/Prompt.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>

using namespace setcood;

namespace {

// A size of 0 or less stands for the largest plane size, which is always
// acceptable, even on a screen too small for 160.
bool SizeAccepted(int size, int largest)
{
    return size <= 0 || (size >= SmallestPlaneSize && size <= largest);
}

bool ScaleAccepted(int scale)
{
    return scale >= ScaleRange.min && scale <= ScaleRange.max;
}

bool SizeTextAccepted(const QString &text, int largest)
{
    return IsSettingInteger(text) && SizeAccepted(SettingInt(text), largest);
}

bool ScaleTextAccepted(const QString &text)
{
    return IsSettingInteger(text) && ScaleAccepted(SettingInt(text));
}

}  // namespace

void LoadHeldPlaneSettings(const SettingsStore &store, PlaneSettings &holder, int defaultSize)
{
    Guarded([&] { LoadPlaneSettings(store, holder, defaultSize); });
}

PlaneSettingsDialog::PlaneSettingsDialog(const SettingsStore &store, PlaneSettings &holder,
                                         const int &defaultSize, QWidget *parent)
    : QDialog(parent), m_store(store), m_settings(holder), m_defaultSize(defaultSize), m_edit(holder)
{
    setObjectName(QStringLiteral("frmSetCood"));
    setWindowTitle(QStringLiteral("座標面の設定"));
    buildForm();
    fillFromEditing();
    connectFields();
    // Until the first showing, Cancel and a failed test fall back to the
    // values the dialog started with.
    recordShownValues();
}

int PlaneSettingsDialog::largestPlaneSize() const
{
    return m_defaultSize;
}

void PlaneSettingsDialog::fillFromEditing()
{
    const PlaneSettings s = m_edit;
    sizeXField->setText(s.SizeX);
    sizeYField->setText(s.SizeY);
    scaleXField->setText(s.DX);
    scaleYField->setText(s.DY);
    startXField->setText(s.StartX);
    startYField->setText(s.StartY);
    endXField->setText(s.EndX);
    endYField->setText(s.EndY);
    tickNumbersXSpin->setValue(s.ScaleNumberX);
    tickNumbersYSpin->setValue(s.ScaleNumberY);
    fontSizeSpin->setValue(s.FontSize);
    marginSpin->setValue(s.Margin);
    axisNamesSwitch->setChecked(s.ShowAxisNames);
    ticksSwitch->setChecked(s.ShowTickNumbers);
    coordinatesSwitch->setChecked(s.ShowCoordinates);
}

void PlaneSettingsDialog::connectFields()
{
    auto changed = [this] { m_settingsChanged = true; };
    auto text = [this](QLineEdit *e, QString PlaneSettings::*field, bool marks) {
        connect(e, &QLineEdit::textChanged, this, [this, field, marks](const QString &t) {
            m_edit.*field = t;
            if (marks)
                m_settingsChanged = true;
        });
    };
    text(sizeXField, &PlaneSettings::SizeX, true);
    text(sizeYField, &PlaneSettings::SizeY, true);
    text(startXField, &PlaneSettings::StartX, false);
    text(startYField, &PlaneSettings::StartY, false);
    text(endXField, &PlaneSettings::EndX, false);
    text(endYField, &PlaneSettings::EndY, false);
    connect(scaleXField, &QLineEdit::textChanged, this, [this, changed](const QString &t) {
        m_edit.DX = t;
        changed();
        scaleChanged(t, m_edit.ScaleX);
    });
    connect(scaleYField, &QLineEdit::textChanged, this, [this, changed](const QString &t) {
        m_edit.DY = t;
        changed();
        scaleChanged(t, m_edit.ScaleY);
    });

    auto spin = [this, changed](QSpinBox *s, int PlaneSettings::*field) {
        connect(s, &QSpinBox::valueChanged, this, [this, field, changed](int v) {
            m_edit.*field = v;
            changed();
        });
    };
    spin(tickNumbersXSpin, &PlaneSettings::ScaleNumberX);
    spin(tickNumbersYSpin, &PlaneSettings::ScaleNumberY);
    spin(fontSizeSpin, &PlaneSettings::FontSize);
    spin(marginSpin, &PlaneSettings::Margin);

    auto check = [this](QCheckBox *c, bool PlaneSettings::*field) {
        connect(c, &QCheckBox::toggled, this, [this, field](bool on) { m_edit.*field = on; });
    };
    check(axisNamesSwitch, &PlaneSettings::ShowAxisNames);
    check(ticksSwitch, &PlaneSettings::ShowTickNumbers);
    check(coordinatesSwitch, &PlaneSettings::ShowCoordinates);
}

// The working copy follows a typed scale at once; only a text that is not
// an integer is refused, and the scale stays as it was.
void PlaneSettingsDialog::scaleChanged(const QString &text, int &scale)
{
    Guarded([&] { scale = ScaleFromText(text); });
}

void PlaneSettingsDialog::showEvent(QShowEvent *event)
{
    // Restoring from minimised is not a new showing.
    if (!event->spontaneous())
        prepareToShow();
    QDialog::showEvent(event);
}

void PlaneSettingsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelClicked();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PlaneSettingsDialog::prepareToShow()
{
    m_settingsChanged = false;
    if (QScreen *s = screen())
        move(s->geometry().topLeft());
    recordShownValues();
}

void PlaneSettingsDialog::recordShownValues()
{
    const PlaneSettings &s = m_edit;
    m_shown = ShownValues{s.SizeX,    s.SizeY,        s.StartX,         s.StartY,        s.EndX,
                          s.EndY,     s.ScaleNumberX, s.ScaleNumberY,   s.ShowAxisNames, s.ShowTickNumbers,
                          s.FontSize, s.Margin,       s.ShowCoordinates};
}

void PlaneSettingsDialog::restoreShownValues()
{
    const ShownValues v = m_shown;
    sizeXField->setText(v.SizeX);
    sizeYField->setText(v.SizeY);
    startXField->setText(v.StartX);
    startYField->setText(v.StartY);
    endXField->setText(v.EndX);
    endYField->setText(v.EndY);
    tickNumbersXSpin->setValue(v.ScaleNumberX);
    tickNumbersYSpin->setValue(v.ScaleNumberY);
    axisNamesSwitch->setChecked(v.ShowAxisNames);
    ticksSwitch->setChecked(v.ShowTickNumbers);
    fontSizeSpin->setValue(v.FontSize);
    marginSpin->setValue(v.Margin);
    coordinatesSwitch->setChecked(v.ShowCoordinates);
}

bool PlaneSettingsDialog::testClicked()
{
    bool passed = false;
    Guarded([&] { passed = runTest(); });
    return passed;
}

bool PlaneSettingsDialog::runTest()
{
    const int largest = largestPlaneSize();
    const int w = SettingInt(m_edit.SizeX);
    const int h = SettingInt(m_edit.SizeY);
    if (!SizeAccepted(w, largest) || !SizeAccepted(h, largest)) {
        prompt().message(QStringLiteral("値の範囲は%1以上%2以下です").arg(SmallestPlaneSize).arg(largest));
        sizeXField->setText(m_shown.SizeX);
        sizeYField->setText(m_shown.SizeY);
        return false;
    }
    if (!ScaleAccepted(SettingInt(m_edit.DX)) || !ScaleAccepted(SettingInt(m_edit.DY))) {
        prompt().message(QStringLiteral("値の範囲は%1以上%2以下です").arg(ScaleRange.min).arg(ScaleRange.max));
        return false;
    }
    // The plane can use nothing but integers for its starts and ends.
    for (const QString *text : {&m_edit.StartX, &m_edit.StartY, &m_edit.EndX, &m_edit.EndY})
        SettingInt(*text);
    takeAcceptedValues();
    if (onRedraw)
        onRedraw();
    m_settingsChanged = false;
    return true;
}

void PlaneSettingsDialog::takeAcceptedValues()
{
    PlaneSettings &to = m_settings;
    const PlaneSettings &from = m_edit;
    const int largest = largestPlaneSize();
    if (SizeTextAccepted(from.SizeX, largest))
        to.SizeX = from.SizeX;
    if (SizeTextAccepted(from.SizeY, largest))
        to.SizeY = from.SizeY;
    if (ScaleTextAccepted(from.DX)) {
        to.DX = from.DX;
        to.ScaleX = from.ScaleX;
    }
    if (ScaleTextAccepted(from.DY)) {
        to.DY = from.DY;
        to.ScaleY = from.ScaleY;
    }
    for (QString PlaneSettings::*f : {&PlaneSettings::StartX, &PlaneSettings::StartY, &PlaneSettings::EndX,
                                      &PlaneSettings::EndY})
        if (IsSettingInteger(from.*f))
            to.*f = from.*f;
    to.ScaleNumberX = from.ScaleNumberX;
    to.ScaleNumberY = from.ScaleNumberY;
    to.FontSize = from.FontSize;
    to.Margin = from.Margin;
    to.ShowAxisNames = from.ShowAxisNames;
    to.ShowTickNumbers = from.ShowTickNumbers;
    to.ShowCoordinates = from.ShowCoordinates;
}

void PlaneSettingsDialog::okClicked()
{
    if (m_settingsChanged) {
        testClicked();
        m_settingsChanged = false;
    }
    // What no test looked at (starts, ends) still reaches the plane when it
    // is an integer; the plane picks it up at its next drawing.
    takeAcceptedValues();
    // A refused write ends the action with its message; the dialog stays
    // open so that the user can retry or cancel.
    if (keepSwitch->isChecked() && !Guarded([&] { saveSettings(); }))
        return;
    hide();
}

void PlaneSettingsDialog::saveSettings() const
{
    const SettingsStore &st = m_store;
    st.WriteTextSetting(QStringLiteral("ScaleX"), scaleXField->text());
    st.WriteTextSetting(QStringLiteral("ScaleY"), scaleYField->text());
    st.WriteBoolSetting(QStringLiteral("chkXY"), axisNamesSwitch->isChecked());
    st.WriteBoolSetting(QStringLiteral("chkMemori"), ticksSwitch->isChecked());
    st.WriteIntSetting(QStringLiteral("ScaleNumberX"), tickNumbersXSpin->value());
    st.WriteIntSetting(QStringLiteral("ScaleNumberY"), tickNumbersYSpin->value());
    st.WriteTextSetting(QStringLiteral("SizeX"), sizeXField->text());
    st.WriteTextSetting(QStringLiteral("SizeY"), sizeYField->text());
    st.WriteTextSetting(QStringLiteral("StartX"), startXField->text());
    st.WriteTextSetting(QStringLiteral("StartY"), startYField->text());
    st.WriteTextSetting(QStringLiteral("EndX"), endXField->text());
    st.WriteTextSetting(QStringLiteral("EndY"), endYField->text());
    // Read back at start-up in preference to "FontSizeV" / "YohakuV".
    st.WriteIntSetting(QStringLiteral("FontSize"), fontSizeSpin->value());
    st.WriteIntSetting(QStringLiteral("Yohaku"), marginSpin->value());
}

void PlaneSettingsDialog::cancelClicked()
{
    restoreShownValues();
    // A refused scale fails the test; the restored values still reach the
    // plane, which is drawn again when they change it.
    const PlaneSettings before = m_settings;
    if (!testClicked()) {
        takeAcceptedValues();
        if (m_settings != before && onRedraw)
            onRedraw();
    }
    hide();
}

void PlaneSettingsDialog::presetClicked(const QString &button)
{
    for (const Preset &p : Presets) {
        if (button != QLatin1String(p.button))
            continue;
        fieldOfPreset(p.field)->setText(QLatin1String(p.text));
        if (p.tests)
            testClicked();
        return;
    }
}

void PlaneSettingsDialog::switchClicked()
{
    testClicked();
}
