#pragma once

#include <QColor>
#include <QLabel>
#include <QMargins>
#include <QPointer>
#include <QWidget>

class CustomActivitySpinnerView;

// The spinner with an optional caption under it. Its height is the spinner's size, plus 24
// with a caption; it is at least as wide as the caption's text and is placed by its centre.
class CustomActivityIndicatorView : public QWidget {
    Q_OBJECT
public:
    CustomActivityIndicatorView(uint size, const QColor& tintColor, const QString& title,
                                QWidget* parent = nullptr);
    // In the theme colour, without caption.
    static CustomActivityIndicatorView* initWithSize(uint size);

    // A running indicator in the theme colour with the caption, centred in the view.
    static CustomActivityIndicatorView*
    activityViewWithSizeForViewWithLabelAndInsets(uint size, QWidget* view, const QString& label,
                                                  const QMargins& insets);
    static CustomActivityIndicatorView*
    activityViewWithSizeForViewWithLabel(uint size, QWidget* view, const QString& label);
    static CustomActivityIndicatorView* activityViewForView(QWidget* view, const QString& label);

    uint size() const { return size_; }
    QColor spinnerColor() const { return spinnerColor_; }
    QString loadingMessage() const { return loadingMessage_; }
    CustomActivitySpinnerView* activityView() const { return activityView_; }
    QLabel* loadingLabel() const { return loadingLabel_; }
    void setLoadingLabel(QLabel* label);

    void startAnimating();
    // Fades out and leaves its parent, then pauses the spinner.
    void stopAnimating();
    // Fades to alpha 0 over 0.25 s, then removes itself from its parent.
    void removeActivityView();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void relayout();
    void centreInParent();
    uint size_;
    QColor spinnerColor_;
    QString loadingMessage_;
    CustomActivitySpinnerView* activityView_;
    QPointer<QLabel> loadingLabel_;
};
