#include "payment/card_reading/DeviceHelpPage.h"

#include "platform/core/VersionDispatch.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Services.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/Markup.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

#ifndef TARVELLO_SUPPORT_PHONE
#define TARVELLO_SUPPORT_PHONE "0800 555 0100"
#endif

namespace {

QRect moved(const QRect& frame, int dx, int dy) {
    return frame.translated(dx, dy);
}

QPoint between(const QRect& in, const QRect& out, float p) {
    const float x = (1 - p) * float(in.x()) + p * float(out.x());
    const float y = (1 - p) * float(in.y()) + p * float(out.y());
    return QPoint(qRound(x), qRound(y));
}

} // namespace

DeviceHelpPage::DeviceHelpPage(QObject* parent)
    : ViewController(parent) {}

DeviceHelpPage::~DeviceHelpPage() {
    if (animation_)
        Clock::current().cancel(animation_);
}

DeviceHelpPage* DeviceHelpPage::pageAtIndex(int index) {
    auto* page = qobject_cast<DeviceHelpPage*>(Storyboard::instantiate(
        QStringLiteral("DeviceHelp"), QStringLiteral("Page%1").arg(index + 1)));
    if (!page)
        page = new DeviceHelpPage();
    page->setPageIndex(index);
    return page;
}

QString DeviceHelpPage::supportPhoneNumber() {
    return QStringLiteral(TARVELLO_SUPPORT_PHONE);
}

QWidget* DeviceHelpPage::loadView() {
    auto* root = new QWidget;
    root->setObjectName(QStringLiteral("deviceHelpPage"));
    View::setBackgroundColor(root, QColor(0, 0, 0, 0));
    label_ = new QLabel(root);
    label_->setObjectName(QStringLiteral("label"));
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignCenter);
    label_->setTextFormat(Qt::RichText);
    image1_ = new ImageView(root);
    image1_->setObjectName(QStringLiteral("image1"));
    image1_->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    if (pageIndex_ < 2) {
        image2_ = new ImageView(root);
        image2_->setObjectName(QStringLiteral("image2"));
        image2_->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    } else {
        image1_->setImage(Bundle::load(QStringLiteral("DSpreadHelp3_1.png")));
        callButton_ = new QPushButton(root);
        callButton_->setObjectName(QStringLiteral("callButton"));
        connect(callButton_, &QPushButton::clicked, this, [this] { callButtonTapped(); });
    }
    return root;
}

void DeviceHelpPage::viewDidLoad() {
    QWidget* root = view();
    const int w = std::max(root->width(), 320);
    QString text;
    if (pageIndex_ == 0)
        text = Language::textForFile(QStringLiteral("DSpreadHelp"), QStringLiteral("Step1"));
    else if (pageIndex_ == 1)
        text = Language::textForFile(QStringLiteral("DSpreadHelp"), QStringLiteral("Step2"));
    else if (pageIndex_ == 2)
        text = Language::textForFile(QStringLiteral("DSpreadHelp"), QStringLiteral("CallStep"))
                   .replace(QStringLiteral("%@"), supportPhoneNumber());
    if (pageIndex_ < 2) {
        image1_->setImage(Bundle::load(QStringLiteral("DSpreadHelp%1_1.png").arg(pageIndex_ + 1)));
        image2_->setImage(Bundle::load(QStringLiteral("DSpreadHelp%1_2.png").arg(pageIndex_ + 1)));
    }
    QFont font(QStringLiteral("Helvetica Neue"), 16);
    font.setWeight(QFont::Light);
    label_->setText(Markup::styledRichText(text, font, Qt::white));
    label_->setGeometry(20, 40, w - 40, 110);
    View::setFrame(image1_, QRect(w / 2 - 110, 180, 120, 160));
    if (image2_)
        View::setFrame(image2_, QRect(w / 2 + 10, 200, 100, 140));
    if (callButton_) {
        if (!isIpad()) {
            const QColor theme = VersionDispatch::mainColor().value_or(QColor(0, 65, 101));
            callButton_->setText(
                Language::textForFile(QStringLiteral("DSpreadHelp"), QStringLiteral("CallButton")));
            callButton_->setStyleSheet(
                QStringLiteral("background: %1; color: white; border-radius: 4px;")
                    .arg(theme.name()));
            View::setFrame(callButton_, QRect(w / 2 - 120, 360, 240, 44));
        } else {
            delete callButton_.data();
        }
    }
    started_ = false;
}

void DeviceHelpPage::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    image1In_ = View::frame(image1_);
    if (image2_)
        image2In_ = View::frame(image2_);
    switch (pageIndex_) {
    case 0:
        image1Out_ = moved(image1In_, -87, -50);
        image2Out_ = moved(image2In_, 100, 0);
        break;
    case 1:
        image1Out_ = moved(image1In_, -87, 50);
        image2Out_ = moved(image2In_, 87, 50);
        break;
    default:
        image1Out_ = moved(image1In_, 0, 100);
        break;
    }
    if (pageIndex_ != 0) {
        View::setFrame(image1_, image1Out_);
        View::setAlpha(image1_, 0);
        if (image2_) {
            View::setFrame(image2_, image2Out_);
            View::setAlpha(image2_, 0);
        }
        if (callButton_)
            View::setAlpha(callButton_, 0);
    }
}

void DeviceHelpPage::transition(float progress, float offset) {
    const float p = std::min(2 * progress, 1.0f);
    const QPoint one = between(image1In_, image1Out_, p);
    image1_->move(qRound(float(one.x()) + offset), one.y());
    if (image2_) {
        const QPoint two = between(image2In_, image2Out_, p);
        image2_->move(qRound(float(two.x()) + offset), two.y());
        View::setAlpha(image2_, 1 - p);
    }
    View::setAlpha(image1_, 1 - p);
    if (callButton_)
        View::setAlpha(callButton_, 1 - p);
}

void DeviceHelpPage::animateTo(bool in) {
    if (animation_)
        Clock::current().cancel(animation_);
    const QRect from1 = View::frame(image1_);
    const QRect from2 = image2_ ? View::frame(image2_) : QRect();
    const QRect to1 = in ? image1In_ : image1Out_;
    const QRect to2 = in ? image2In_ : image2Out_;
    const double alpha0 = View::alpha(image1_);
    const double alpha1 = in ? 1 : 0;
    QPointer<DeviceHelpPage> self(this);
    animation_ = Clock::current().animate(
        kTransitionMs, this,
        [self, from1, from2, to1, to2, alpha0, alpha1](double p) {
            if (!self)
                return;
            auto mix = [p](const QRect& a, const QRect& b) {
                return QRect(int(a.x() + (b.x() - a.x()) * p), int(a.y() + (b.y() - a.y()) * p),
                             a.width(), a.height());
            };
            View::setFrame(self->image1_, mix(from1, to1));
            View::setAlpha(self->image1_, alpha0 + (alpha1 - alpha0) * p);
            if (self->image2_) {
                View::setFrame(self->image2_, mix(from2, to2));
                View::setAlpha(self->image2_, alpha0 + (alpha1 - alpha0) * p);
            }
            if (self->callButton_)
                View::setAlpha(self->callButton_, alpha0 + (alpha1 - alpha0) * p);
        },
        [self](bool) {
            if (self)
                self->animation_ = 0;
        });
}

void DeviceHelpPage::transitionIn() {
    if (!started_) {
        started_ = true;
        View::setFrame(image1_, image1Out_);
        if (image2_)
            View::setFrame(image2_, image2Out_);
    }
    animateTo(true);
}

void DeviceHelpPage::transitionOut() {
    animateTo(false);
}

void DeviceHelpPage::callButtonTapped() {
    QString digits = supportPhoneNumber();
    digits.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    if (auto opener = Services::urlOpener())
        opener->openURL(QUrl(QStringLiteral("tel:%1").arg(digits)));
}
