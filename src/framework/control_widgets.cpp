#include "control_widgets.h"

#include "artwork.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include <utility>

namespace quorvex {

ScreenWindow::ScreenWindow(std::function<void()> onClose) : onClose_(std::move(onClose))
{
    // The registry decides when the application ends, not the last window closed.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void ScreenWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    onClose_();
}

CommandButton::CommandButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (hasFocus()) {
        // A dotted rectangle inside the bevel, as on a classic dialog, so that the focus shows
        // whatever the style draws.
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5));
    }
}

PictureBox::PictureBox(Artwork artwork, QWidget* parent) : QFrame(parent), artwork_(artwork)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    const qreal ratio = devicePixelRatioF();
    if (picture_.isNull() || (ratio > 1.0) != (picture_.devicePixelRatio() > 1.0)) {
        picture_ = artworkPixmap(artwork_, ratio);
    }
    painter.drawPixmap(inside.topLeft(), picture_);
    if (hasFocus()) {
        // Dotted, in the picture's own colours inverted, so that it shows on any picture.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(QRectF(inside).adjusted(1.5, 1.5, -1.5, -1.5));
    }
}

RectangleShape::RectangleShape(const QColor& lineColour, QWidget* parent)
    : QWidget(parent), lineColour_(lineColour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void RectangleShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // A one-pixel line through the centres of the outermost pixels, so that it stays one
    // device-independent pixel wide and sharp at any scale.
    painter.setPen(QPen(lineColour_, 1.0));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace quorvex
