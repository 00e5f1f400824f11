#pragma once

// The widgets that stand for the control kinds Qt has no exact counterpart for: the screen's
// top-level window, a command button that Enter also clicks, a picture box and a rectangle shape.

#include "screen_description.h"

#include <QFrame>
#include <QPushButton>
#include <QWidget>

#include <functional>

namespace quorvex {

// A top-level screen window. Closing it with its close box unloads its screen.
class ScreenWindow : public QWidget
{
public:
    explicit ScreenWindow(std::function<void()> onClose);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> onClose_;
};

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
