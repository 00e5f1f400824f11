#include "screen_builder.h"

#include "control_widgets.h"
#include "qt_values.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <limits>
#include <ranges>

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

// Sets the foreground and background of a widget from its control's colours or the defaults of
// its kind.
void applyColours(QWidget& widget, const ControlDescription& control,
                  QPalette::ColorRole background, ColourValue defaultBack,
                  QPalette::ColorRole foreground, ColourValue defaultFore)
{
    const QPalette base = QApplication::palette();
    QPalette palette = widget.palette();
    palette.setColor(background, colourOf(control.backColour.value_or(defaultBack), base));
    const QColor text = colourOf(control.foreColour.value_or(defaultFore), base);
    palette.setColor(QPalette::Active, foreground, text);
    palette.setColor(QPalette::Inactive, foreground, text);
    widget.setPalette(palette);
}

QWidget* makeLabel(const ControlDescription& control, QWidget& window)
{
    auto* label = new QLabel(qtText(control.caption), &window);
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
    applyColours(*label, control, QPalette::Window, colours::buttonFace, QPalette::WindowText,
                 colours::buttonText);
    return label;
}

QWidget* makeTextBox(const ControlDescription& control, QWidget& window)
{
    auto* box = new QLineEdit(&window);
    // A text box has no length limit; a line edit otherwise stops at 32767 characters.
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setFocusPolicy(Qt::StrongFocus);
    applyColours(*box, control, QPalette::Base, colours::window, QPalette::Text,
                 colours::windowText);
    return box;
}

QWidget* makeButton(Screen& owner, const ControlDescription& control, QWidget& window)
{
    auto* button = new CommandButton(qtText(control.caption), &window);
    // A standard push button shows neither a stored back colour nor a fore colour of its own.
    if (const ClickHandler handler = control.handler) {
        QObject::connect(button, &QPushButton::clicked, button,
                         [&owner, handler] { handler(owner); });
    }
    return button;
}

QWidget* makePicture(const ControlDescription& control, QWidget& window)
{
    auto* box = new PictureBox(control.picture, &window);
    applyColours(*box, control, QPalette::Window, colours::buttonFace, QPalette::WindowText,
                 colours::buttonText);
    return box;
}

QWidget* makeShape(const ControlDescription& control, QWidget& window)
{
    const QColor line =
        colourOf(control.foreColour.value_or(colours::windowText), QApplication::palette());
    return new RectangleShape(line, &window);
}

QWidget* makeControl(Screen& owner, const ControlDescription& control, QWidget& window)
{
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::Label:
        widget = makeLabel(control, window);
        break;
    case ControlKind::TextBox:
        widget = makeTextBox(control, window);
        break;
    case ControlKind::CommandButton:
        widget = makeButton(owner, control, window);
        break;
    case ControlKind::PictureBox:
        widget = makePicture(control, window);
        break;
    case ControlKind::Shape:
        widget = makeShape(control, window);
        break;
    }
    widget->setObjectName(qtText(control.name.text()));
    if (!control.accessibleName.empty()) {
        widget->setAccessibleName(qtText(control.accessibleName));
    }
    if (!control.accessibleDescription.empty()) {
        widget->setAccessibleDescription(qtText(control.accessibleDescription));
    }
    widget->setFont(fontOf(control.font.value_or(fonts::screenDefault)));
    widget->setGeometry(pixelRect(control.geometry));
    return widget;
}

bool isWindowless(const ControlDescription& control)
{
    return control.kind == ControlKind::Label || control.kind == ControlKind::Shape;
}

} // namespace

BuiltWindow buildWindow(Screen& owner)
{
    const ScreenDescription& screen = owner.description();
    BuiltWindow built;
    built.window.reset(new ScreenWindow([&owner] { owner.unload(); }));
    QWidget& window = *built.window;
    window.setObjectName(qtText(screen.name));
    window.setWindowTitle(qtText(screen.caption));
    window.setFont(fontOf(fonts::screenDefault));
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, colourOf(screen.backColour.value_or(colours::buttonFace),
                                                QApplication::palette()));
    window.setPalette(palette);

    const QSize clientSize = pixelSize(screen.client);
    if (screen.border == WindowBorder::FixedSingle) {
        window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint);
        window.setFixedSize(clientSize);
    } else {
        window.resize(clientSize);
    }

    // Siblings stack in creation order, later above earlier. Labels and shapes are created first
    // so that every button, text box and picture box lies above them.
    const auto& controls = screen.controls;
    built.controls.assign(controls.size(), nullptr);
    for (const bool windowless : {true, false}) {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (isWindowless(controls[i]) == windowless) {
                built.controls[i] = makeControl(owner, controls[i], window);
            }
        }
    }

    // The focus visits the focusable controls in ascending TabIndex, wrapping around.
    std::vector<std::size_t> tabOrder;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].takesFocus()) {
            tabOrder.push_back(i);
        }
    }
    std::ranges::sort(tabOrder, {},
                      [&](std::size_t i) { return controls[i].tabIndex.value_or(0); });
    for (std::size_t k = 1; k < tabOrder.size(); ++k) {
        QWidget::setTabOrder(built.controls[tabOrder[k - 1]], built.controls[tabOrder[k]]);
    }
    return built;
}

} // namespace quorvex
