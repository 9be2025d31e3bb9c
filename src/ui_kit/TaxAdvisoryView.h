#pragma once

#include <QString>
#include <QWidget>

class ImageView;
class QLabel;

// What supplies a tax advisory panel with its text.
class TaxAdvisoryPresenterDelegate {
public:
    virtual ~TaxAdvisoryPresenterDelegate() = default;
    virtual QString fetchAdvisoryText() = 0;
    virtual bool shouldDisplayTaxAdvisory() = 0;
    virtual void displayTaxAdvisoryAnimated(bool animated) = 0;
};

// A panel with an advisory icon and text, that tells its owner how high it needs to be.
// Outlets: "contentView", "advisoryImage", "advisoryLabel".
class TaxAdvisoryView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultHeight = 64;
    static constexpr int kDefaultVerticalSpacing = 32;
    static constexpr int kMaximumHorizontalDelta = 64;

    explicit TaxAdvisoryView(QWidget* parent = nullptr);

    QWidget* contentView() const { return contentView_; }
    ImageView* advisoryImage() const { return advisoryImage_; }
    QLabel* advisoryLabel() const { return advisoryLabel_; }

    QString advisoryText() const { return advisoryText_; }
    // Also shows the text in the label.
    void setAdvisoryText(const QString& text);

    // The presenter, not owned: it usually owns the panel's screen, and owning it back would
    // keep both alive for ever.
    TaxAdvisoryPresenterDelegate* delegate() const { return delegate_; }
    void setDelegate(TaxAdvisoryPresenterDelegate* delegate) { delegate_ = delegate; }
    // Keeps the presenter, takes its text, then asks it to show the panel without animation.
    void configureWithDelegate(TaxAdvisoryPresenterDelegate* delegate);

    // 0 without text; else the label's height for the panel's width less 64: at most 64 gives
    // 64, more gives that height plus 32.
    int requiredHeight() const;

private:
    void setUp();
    QWidget* contentView_ = nullptr;
    ImageView* advisoryImage_ = nullptr;
    QLabel* advisoryLabel_ = nullptr;
    QString advisoryText_;
    TaxAdvisoryPresenterDelegate* delegate_ = nullptr;
};
