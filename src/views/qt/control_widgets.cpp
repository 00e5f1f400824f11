#include "control_widgets.h"

#include "artwork.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include <utility>

namespace quorvex {

ScreenWindow::ScreenWindow(std::function<void()> onClose,
                           std::function<std::optional<QString>()> copyCalculation)
    : onClose_(std::move(onClose)), copyCalculation_(std::move(copyCalculation))
{
    // The registry decides when the application ends, not the last window closed.
    setAttribute(Qt::WA_QuitOnClose, false);
}

namespace {

// How long a window just shown waits for the platform to activate it before its focus stops
// showing: a window manager may refuse to hand over the focus.
constexpr int kActivationWaitMilliseconds = 500;

} // namespace

bool ScreenWindow::showsFocus(const QWidget& control) const
{
    return control.hasFocus() || (activationPending_ && focusWidget() == &control);
}

bool ScreenWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        activationPending_ = false;
    }
    return QWidget::event(event);
}

void ScreenWindow::showEvent(QShowEvent* event)
{
    // Every screen is activated as it is shown. The focus it will get shows from the first frame
    // instead of in a second drawing once the activation has come (on X11 it comes from the
    // server after the first frame).
    if (!isActiveWindow()) {
        activationPending_ = true;
        QTimer::singleShot(kActivationWaitMilliseconds, this, &ScreenWindow::endActivationWait);
    }
    QWidget::showEvent(event);
}

void ScreenWindow::endActivationWait()
{
    if (activationPending_) {
        activationPending_ = false;
        if (QWidget* control = focusWidget()) {
            control->update();
        }
    }
}

bool showsFocus(const QWidget& control)
{
    const auto* window = dynamic_cast<const ScreenWindow*>(control.window());
    return window ? window->showsFocus(control) : control.hasFocus();
}

void ScreenWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    onClose_();
}

void ScreenWindow::childEvent(QChildEvent* event)
{
    // Every control's keys pass by the window first, so that Ctrl+C reaches it from any of them.
    if (event->added()) {
        event->child()->installEventFilter(this);
    }
    QWidget::childEvent(event);
}

bool ScreenWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress ||
        !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        return false;
    }
    if (const auto* box = qobject_cast<QLineEdit*>(watched); box && box->hasSelectedText()) {
        return false; // the box copies its selection, as it always has
    }
    const std::optional<QString> calculation = copyCalculation_();
    if (!calculation) {
        return false;
    }
    QGuiApplication::clipboard()->setText(*calculation);
    return true;
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
    if (quorvex::showsFocus(*this)) {
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
    if (quorvex::showsFocus(*this)) {
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
