#include "widget_view.h"

#include "control_widgets.h"
#include "platform.h"
#include "qt_values.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <limits>

namespace quorvex {
namespace {

Qt::Alignment labelAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case Alignment::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

// Sets the foreground and background of a widget from its control's colours.
void applyColours(QWidget& widget, const ControlDescription& control,
                  QPalette::ColorRole background, QPalette::ColorRole foreground)
{
    const QPalette base = QApplication::palette();
    QPalette palette = widget.palette();
    palette.setColor(background, colourOf(backColourOf(control), base));
    const QColor text = colourOf(foreColourOf(control), base);
    palette.setColor(QPalette::Active, foreground, text);
    palette.setColor(QPalette::Inactive, foreground, text);
    widget.setPalette(palette);
}

QWidget* makeLabel(const ControlDescription& control, const QString& caption, QWidget& window)
{
    auto* label = new QLabel(caption, &window);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(labelAlignment(control.alignment));
    label->setWordWrap(true);
    label->setIndent(0);
    label->setMargin(0);
    if (control.words) {
        // A result: selectable with the mouse and copied from its context menu (and, on X11,
        // into the primary selection), while the keyboard focus never stops on it.
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    label->setFocusPolicy(Qt::NoFocus);
    label->setAutoFillBackground(true);
    if (control.border == LabelBorder::FixedSingle) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
    applyColours(*label, control, QPalette::Window, QPalette::WindowText);
    return label;
}

QWidget* makeTextBox(const ControlDescription& control, const QString& text, QWidget& window)
{
    auto* box = new QLineEdit(&window);
    // A text box has no length limit; a line edit otherwise stops at 32767 characters.
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setText(text);
    box->setFocusPolicy(Qt::StrongFocus);
    applyColours(*box, control, QPalette::Base, QPalette::Text);
    return box;
}

QWidget* makePicture(const ControlDescription& control, QWidget& window)
{
    auto* box = new PictureBox(control.picture, &window);
    applyColours(*box, control, QPalette::Window, QPalette::WindowText);
    return box;
}

QWidget* makeControl(const ControlDescription& control, const QString& value, QWidget& window)
{
    switch (control.kind) {
    case ControlKind::Label:
        return makeLabel(control, value, window);
    case ControlKind::TextBox:
        return makeTextBox(control, value, window);
    case ControlKind::CommandButton:
        // A standard push button shows neither a stored back colour nor a fore colour of its own.
        return new CommandButton(value, &window);
    case ControlKind::PictureBox:
        return makePicture(control, window);
    case ControlKind::Shape:
        break;
    }
    return new RectangleShape(colourOf(foreColourOf(control), QApplication::palette()), &window);
}

bool isWindowless(const ControlDescription& control)
{
    return control.kind == ControlKind::Label || control.kind == ControlKind::Shape;
}

// The screen the user is working on: the one holding the active window (the menu, when one of
// its buttons opens a screen), else the one under the mouse pointer, else the primary one.
QScreen* workingScreen()
{
    if (const QWidget* active = QApplication::activeWindow()) {
        return active->screen();
    }
    if (QScreen* underPointer = QGuiApplication::screenAt(QCursor::pos())) {
        return underPointer;
    }
    return QGuiApplication::primaryScreen();
}

// Centres the client area on the working screen (the frame is not known before the window is
// first shown). On a screen too small for it, a resizable window is made to fit, and any window
// keeps its top-left corner on the screen.
void placeOnWorkingScreen(QWidget& window)
{
    QScreen* screen = workingScreen();
    if (!screen) {
        return;
    }
    window.setScreen(screen);
    const QRect available = screen->availableGeometry();
    QSize size = window.size();
    if (window.minimumSize() != window.maximumSize()) {
        size = size.boundedTo(available.size());
    }
    QRect geometry = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available);
    geometry.moveTopLeft(
        {std::max(geometry.left(), available.left()), std::max(geometry.top(), available.top())});
    window.setGeometry(geometry);
}

} // namespace

WidgetView::WidgetView(Screen& screen) : screen_(screen)
{
    const ScreenDescription& description = screen.description();
    window_.reset(new ScreenWindow([&screen] { screen.unload(); },
                                   [&screen]() -> std::optional<QString> {
                                       if (auto text = screen.copyCalculation()) {
                                           return qtText(*text);
                                       }
                                       return std::nullopt;
                                   }));
    QWidget& window = *window_;
    window.setObjectName(qtText(description.name));
    window.setWindowTitle(qtText(description.caption));
    window.setFont(fontOf(fonts::screenDefault));
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window,
                     colourOf(backColourOf(description), QApplication::palette()));
    window.setPalette(palette);

    const QSize clientSize = pixelSize(description.client);
    if (description.border == WindowBorder::FixedSingle) {
        window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint);
        window.setFixedSize(clientSize);
    } else {
        window.resize(clientSize);
    }

    // Siblings stack in creation order, later above earlier. Labels and shapes are created first
    // so that every button, text box and picture box lies above them.
    const auto& controls = description.controls;
    controls_.assign(controls.size(), nullptr);
    for (const bool windowless : {true, false}) {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const ControlDescription& control = controls[i];
            if (isWindowless(control) != windowless) {
                continue;
            }
            QWidget* widget = makeControl(control, qtText(screen.value(i)), window);
            widget->setObjectName(qtText(control.name.text()));
            if (!control.accessibleName.empty()) {
                widget->setAccessibleName(qtText(control.accessibleName));
            }
            if (const std::string& spoken = screen.descriptionOf(i); !spoken.empty()) {
                widget->setAccessibleDescription(qtText(spoken));
            }
            widget->setFont(fontOf(control.font.value_or(fonts::screenDefault)));
            widget->setGeometry(pixelRect(control.geometry));
            controls_[i] = widget;
        }
    }

    // The screen holds what the boxes hold, and its buttons run their handlers.
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (auto* box = qobject_cast<QLineEdit*>(controls_[i])) {
            QObject::connect(box, &QLineEdit::textChanged, &connections_,
                             [&screen, i](const QString& text) {
                                 std::string typed = text.toStdString();
                                 if (typed != screen.value(i)) {
                                     screen.edit(i, std::move(typed));
                                 }
                             });
        } else if (auto* button = qobject_cast<QPushButton*>(controls_[i])) {
            QObject::connect(button, &QPushButton::clicked, &connections_,
                             [&screen, i] { screen.click(i); });
        }
    }

    // The focus visits the focusable controls in the screen's tab order, wrapping around.
    const std::vector<std::size_t> order = tabOrder(description);
    for (std::size_t k = 1; k < order.size(); ++k) {
        QWidget::setTabOrder(controls_[order[k - 1]], controls_[order[k]]);
    }

    // Every screen opens centred on the screen the user is working on: none is ever shown with
    // an owner to centre on.
    placeOnWorkingScreen(window);
    if (const std::optional<std::size_t> first = screen.firstFocus()) {
        controls_[*first]->setFocus(Qt::OtherFocusReason);
    }
}

WidgetView::~WidgetView()
{
    window_->hide();
}

void WidgetView::present()
{
    window_->raise();
    window_->show();
    window_->activateWindow();
}

void WidgetView::valueChanged(std::size_t control)
{
    const QString value = qtText(screen_.value(control));
    if (auto* box = qobject_cast<QLineEdit*>(controls_[control])) {
        if (box->text() != value) {
            box->setText(value);
        }
    } else if (auto* label = qobject_cast<QLabel*>(controls_[control])) {
        label->setText(value);
    }
}

void WidgetView::descriptionChanged(std::size_t control, bool spoken)
{
    QWidget& widget = *controls_[control];
    widget.setAccessibleDescription(qtText(screen_.descriptionOf(control)));
    if (spoken) {
        platform::announceDescription(widget);
    }
}

void WidgetView::announce(const std::string& text)
{
    QWidget* focus = window_->focusWidget();
    platform::announce(focus ? *focus : *window_, qtText(text));
}

std::unique_ptr<ScreenView> WidgetPresenter::open(Screen& screen)
{
    return std::make_unique<WidgetView>(screen);
}

void WidgetPresenter::closed()
{
    QCoreApplication::exit(0);
}

WidgetRegistry::WidgetRegistry() : ScreenRegistry(std::make_unique<WidgetPresenter>()) {}

QWidget* windowOf(const Screen& screen)
{
    const auto* view = dynamic_cast<const WidgetView*>(screen.view());
    return view ? view->window() : nullptr;
}

QWidget* widgetOf(const Screen& screen, const ControlName& name)
{
    const auto* view = dynamic_cast<const WidgetView*>(screen.view());
    const std::optional<std::size_t> index = screen.indexOf(name);
    return view && index ? view->control(*index) : nullptr;
}

} // namespace quorvex
