#pragma once

// The widgets that stand for the control kinds Qt has no exact counterpart for: the screen's
// top-level window, a command button that Enter also clicks, a picture box and a rectangle shape.

#include "screen_description.h"

#include <QFrame>
#include <QPushButton>
#include <QWidget>

#include <functional>
#include <optional>

namespace quorvex {

// A top-level screen window. Closing it with its close box unloads its screen. Ctrl+C copies the
// screen's calculation (once solved), unless the control with the focus has selected text of its
// own to copy; with nothing to copy the clipboard stays as it was.
class ScreenWindow : public QWidget
{
public:
    ScreenWindow(std::function<void()> onClose,
                 std::function<std::optional<QString>()> copyCalculation);

    // Whether `control` shows the keyboard focus: it has it, or the window, just shown and asking
    // to be activated, is about to give it (so that the first frame already shows the focus).
    bool showsFocus(const QWidget& control) const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void endActivationWait();

    std::function<void()> onClose_;
    std::function<std::optional<QString>()> copyCalculation_;
    bool activationPending_ = false;
};

// Whether `control` shows the keyboard focus, as its screen window has it (see ScreenWindow).
bool showsFocus(const QWidget& control);

// A plain push button: never a default button; Space and Enter click it only when it has the
// focus (a Qt push button outside a dialog otherwise ignores Enter).
class CommandButton : public QPushButton
{
public:
    CommandButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// An image drawn unscaled at the top-left of the box, clipped to it, inside a sunken border.
// It takes the focus and shows it with a focus rectangle. Screen readers see it as a picture.
class PictureBox : public QFrame
{
public:
    PictureBox(Artwork artwork, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Artwork artwork_;
    QPixmap picture_; // loaded at the first paint, again if the device pixel ratio changes
};

// A rectangle outline one pixel wide, transparent inside and to the mouse.
class RectangleShape : public QWidget
{
public:
    RectangleShape(const QColor& lineColour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor lineColour_;
};

} // namespace quorvex
