#pragma once

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <functional>
#include <optional>

#include "platform/colortypes.h"
#include "platform/testhook.h"
#include "settings/colorpickers.h"

class QPushButton;

// The system colour dialog, opened on a colour. Returns the chosen colour, or nothing on
// Cancel. Tests answer it through the hook instead of a real dialog.
std::optional<QColor> PickColor(const QColor &initial, QWidget *parent = nullptr);

using TColorDialogHook = THook<std::optional<QColor>(const QColor &initial)>;
inline void SetColorDialogHook(TColorDialogHook::Function hook) { TColorDialogHook::Set(std::move(hook)); }

// A drop-down list of the sixteen HTML colour names, headed by an unassigned item, a custom
// colour ("Custom...", which opens the colour dialog) and a separator line. A value set by
// text that names no item ("orange") is shown as an extra item at the end and read back
// unchanged; so is any value the user leaves alone ("#FFF", "navy").
class TkrColorCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit TkrColorCombo(QWidget *parent = nullptr);

    // Write every colour as "#RRGGBB", named ones too.
    bool ForceHex() const { return m_state.ForceHex(); }
    void SetForceHex(bool value) { m_state.SetForceHex(value); }
    QString UnassignedCaption() const { return m_state.UnassignedCaption(); }
    void SetUnassignedCaption(const QString &caption);
    // The settings key under which the colour dialog's custom colours are kept (in its
    // "CustomColors" subkey); empty keeps none.
    QString RegRoot() const { return m_regRoot; }
    void SetRegRoot(const QString &key) { m_regRoot = key; }
    TColor CustomColor() const { return m_state.CustomColor(); }
    void SetCustomColor(TColor color);

    // The value as the tag dialogs write it (empty when unassigned, a name, or "#RRGGBB").
    QString Text() const;
    void SetText(const QString &text);
    // The colour of the selected item; nothing when unassigned.
    std::optional<TColor> Color() const;
    void SetColor(TColor color);

signals:
    // The user chose a colour: a named item, or a custom colour confirmed in the dialog.
    void OnColorSelect(TkrColorCombo *sender);

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    void ItemActivated(int index);
    void ChooseCustomColor();
    void ShowState();
    void UpdateCustomSwatch();

    TColorComboState m_state;
    QString m_regRoot;
};

// A panel of 16 colour swatches with an "Other..." button for any colour from the colour
// dialog. Cancelling that dialog hides the panel.
class TkrColorSelection : public QFrame
{
    Q_OBJECT

public:
    explicit TkrColorSelection(QWidget *parent = nullptr);

    QString RegRoot() const { return m_regRoot; }
    void SetRegRoot(const QString &key) { m_regRoot = key; }
    // The colour last chosen; white at first.
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }

    QPushButton *OtherButton() const { return m_btnOther; }

signals:
    void OnColorSelect(TkrColorSelection *sender, TColor color);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    void btnOtherClick();

    QPushButton *m_btnOther = nullptr;
    QString m_regRoot;
    TColor m_color = Colors::clWhite;
};
