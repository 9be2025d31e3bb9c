#include "platform/ui/Window.h"

#include "platform/ui/Services.h"
#include "platform/ui/ViewController.h"

#include <QCloseEvent>
#include <QDialog>
#include <QHash>
#include <QVBoxLayout>

namespace {
QPointer<Window>& key() {
    static QPointer<Window> window;
    return window;
}
const char* const kWindowProperty = "tarvelloWindow";

// The modal container of a presented screen. Closing it by the window system (Escape, the
// close button) dismisses the screen, unless the screen is modal in presentation.
class PresentationDialog : public QDialog {
public:
    PresentationDialog(QWidget* parent, Qt::WindowFlags flags, ViewController* screen)
        : QDialog(parent, flags)
        , screen_(screen) {}

    void reject() override {
        if (!screen_ || screen_->isModalInPresentation() || screen_->isBeingDismissed())
            return;
        screen_->dismissViewControllerAnimated(false);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        reject();
    }

private:
    QPointer<ViewController> screen_;
};
} // namespace

Window::Window(QObject* parent)
    : QObject(parent)
    , widget_(new QWidget()) {
    widget_->resize(Device::current().screenSize());
    auto* layout = new QVBoxLayout(widget_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

Window::Window(QWidget* external, bool)
    : QObject(external)
    , widget_(external)
    , ownsWidget_(false) {}

Window::~Window() {
    if (root_ && root_->parent() == this) {
        delete root_.data();
    }
    if (ownsWidget_ && widget_)
        delete widget_.data();
}

Window* Window::forWidget(QWidget* host) {
    if (!host)
        return keyWindow();
    QWidget* top = host->window();
    if (auto* existing = top->property(kWindowProperty).value<Window*>())
        return existing;
    auto* window = new Window(top, true);
    top->setProperty(kWindowProperty, QVariant::fromValue(window));
    auto* root = new HostViewController(top, window);
    root->window_ = window;
    root->appearance_ = ViewController::Appearance::Appeared;
    window->root_ = root;
    key() = window;
    return window;
}

Window* Window::keyWindow() {
    return key();
}

void Window::setRootViewController(ViewController* root) {
    if (root_ == root)
        return;
    if (root_) {
        if (root_->appearance_ != ViewController::Appearance::Disappeared) {
            root_->beginAppearanceTransition(false, false);
            root_->endAppearanceTransition();
        }
        root_->window_ = nullptr;
        if (root_->view_ && ownsWidget_)
            root_->view_->setParent(nullptr);
    }
    root_ = root;
    if (!root)
        return;
    root->window_ = this;
    if (!root->parent())
        root->setParent(this);
    if (ownsWidget_) {
        widget_->layout()->addWidget(root->view());
        if (widget_->isVisible()) {
            root->beginAppearanceTransition(true, false);
            root->endAppearanceTransition();
        }
    }
}

void Window::makeKeyAndVisible() {
    key() = this;
    if (!widget_)
        return;
    widget_->show();
    if (root_ && root_->appearance_ == ViewController::Appearance::Disappeared) {
        root_->beginAppearanceTransition(true, false);
        root_->endAppearanceTransition();
    }
}

QList<ViewController*> Window::presentedViewControllers() const {
    QList<ViewController*> stack;
    for (ViewController* c = root_ ? root_->presented_.data() : nullptr; c; c = c->presented_)
        stack.append(c);
    return stack;
}

ViewController* Window::topViewController() const {
    ViewController* top = root_;
    while (top && top->presented_)
        top = top->presented_;
    return top;
}

QWidget* Window::presentationContainer(ViewController* presented) const {
    return presented ? presented->presentationContainer_.data() : nullptr;
}

void Window::showPresentation(ViewController* presented) {
    using Style = ViewController::ModalPresentationStyle;
    const Style style = presented->modalStyle_;
    Qt::WindowFlags flags = Qt::Dialog;
    if (style == Style::Popover)
        flags = Qt::Popup;
    else if (style == Style::OverFullScreen || style == Style::OverCurrentContext)
        flags = Qt::Dialog | Qt::FramelessWindowHint;
    auto* dialog = new PresentationDialog(widget_, flags, presented);
    dialog->setObjectName(QStringLiteral("presentationContainer"));
    dialog->setWindowModality(Qt::WindowModal);
    if (style == Style::OverFullScreen || style == Style::OverCurrentContext)
        dialog->setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(presented->view());
    presented->view()->show();
    const QSize whole = widget_ && widget_->size().isValid() && !widget_->size().isEmpty()
                            ? widget_->size()
                            : Device::current().screenSize();
    const bool sheet = style == Style::FormSheet || style == Style::PageSheet;
    const QSize size = sheet && Device::current().isIpad() ? QSize(540, 620) : whole;
    dialog->resize(size);
    if (widget_) {
        const QPoint origin = widget_->mapToGlobal(QPoint(0, 0));
        dialog->move(origin + QPoint((whole.width() - size.width()) / 2,
                                     (whole.height() - size.height()) / 2));
    }
    presented->presentationContainer_ = dialog;
    dialog->show();
}

void Window::hidePresentation(ViewController* presented) {
    QPointer<QWidget> dialog = presented->presentationContainer_;
    presented->presentationContainer_ = nullptr;
    if (!dialog)
        return;
    if (presented->view_ && dialog->isAncestorOf(presented->view_)) {
        presented->view_->hide();
        presented->view_->setParent(nullptr);
    }
    dialog->hide();
    dialog->deleteLater();
}
