#pragma once

#include "model/ProductCategory.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

#include <QLabel>
#include <QList>
#include <QPointer>
#include <QWidget>

// One node of the category tree as a row: name, product or subcategory count, a background
// that steps in once per level, and, in the chooser (type 1), a chevron and the check mark of
// the chosen node. Type 0 is the editable category list.
class CategoryTableViewCell : public TableViewCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 50;
    static constexpr int kStep = 12;
    static constexpr int kMarkInset = 34;

    explicit CategoryTableViewCell(QWidget* parent = nullptr);

    // Configures the row (the background follows 1 ms later, on the clock).
    void prepareCellForCategory(const ProductCategoryPtr& category, int type, IndexPath indexPath,
                                bool editing);
    // The same after marking the row as chosen or not (the mark follows 10 ms later).
    void prepareCellForCategoryMarkAsSelected(const ProductCategoryPtr& category, int type,
                                              IndexPath indexPath, bool editing, bool selected);
    void markAsSelected(bool selected);
    void setCategoryInformation();
    void createBackground();
    void hideDivision(bool hide);
    void prepareForReuse();

    double levelMargin() const;
    double divisionMargin() const;
    QRect getRectForLayerAtLevel(int level) const;
    static double getWhiteColorForLevel(int level);
    static QColor getBackgroundColorForLevel(int level);
    QString description() const;

    ProductCategoryPtr category() const { return category_; }
    IndexPath indexPath() const { return indexPath_; }
    // The content's left inset, the line's left inset and the separator's left inset.
    double levelIndicatorConstant() const { return levelIndicator_; }
    double divisionMarginConstant() const { return divisionMarginValue_; }
    int separatorInsetLeft() const { return separatorInset_; }
    QList<QWidget*> gradientSubviews() const;
    QWidget* gradientLayersContainerView() const { return gradientLayersContainerView_; }
    QLabel* categoryTitleLabel() const { return categoryTitleLabel_; }
    QLabel* subcategoryTitleLabel() const { return subcategoryTitleLabel_; }
    QLabel* productsQuantityLabel() const { return productsQuantityLabel_; }
    QLabel* checkMarkImageView() const { return checkMarkImageView_; }
    QLabel* chevronImageView() const { return chevronImageView_; }
    QWidget* divisionView() const { return divisionView_; }
    bool isMarked() const { return marked_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyInsets();

    ProductCategoryPtr category_;
    IndexPath indexPath_;
    double levelIndicator_ = 0;
    double divisionMarginValue_ = 0;
    int separatorInset_ = 0;
    bool marked_ = false;
    QList<QPointer<QWidget>> gradientSubviews_;
    QPointer<QWidget> gradientLayersContainerView_;
    QPointer<QWidget> containerView_;
    QPointer<QLabel> categoryTitleLabel_;
    QPointer<QLabel> subcategoryTitleLabel_;
    QPointer<QLabel> productsQuantityLabel_;
    QPointer<QLabel> checkMarkImageView_;
    QPointer<QLabel> chevronImageView_;
    QPointer<QWidget> divisionView_;
};
