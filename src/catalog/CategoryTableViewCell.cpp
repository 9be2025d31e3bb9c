#include "catalog/CategoryTableViewCell.h"

#include "catalog/CatalogLook.h"
#include "platform/core/Logging.h"
#include "platform/ui/Clock.h"
#include "platform/ui/View.h"

CategoryTableViewCell::CategoryTableViewCell(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QStringLiteral("CategoryTableViewCell"));
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    View::setBackgroundColor(this, Qt::white);
    gradientLayersContainerView_ = new QWidget(this);
    gradientLayersContainerView_->setObjectName(QStringLiteral("gradientLayersContainerView"));
    containerView_ = new QWidget(this);
    containerView_->setObjectName(QStringLiteral("containerView"));
    auto label = [this](const char* name) {
        auto* l = new QLabel(containerView_);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    categoryTitleLabel_ = label("categoryTitleLabel");
    categoryTitleLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue"), 16));
    subcategoryTitleLabel_ = label("subcategoryTitleLabel");
    subcategoryTitleLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 12));
    productsQuantityLabel_ = label("productsQuantityLabel");
    productsQuantityLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    checkMarkImageView_ = new QLabel(this);
    checkMarkImageView_->setObjectName(QStringLiteral("checkMarkImageView"));
    chevronImageView_ = new QLabel(this);
    chevronImageView_->setObjectName(QStringLiteral("chevronImageView"));
    divisionView_ = new QWidget(this);
    divisionView_->setObjectName(QStringLiteral("divisionView"));
    divisionView_->setAutoFillBackground(true);
    // At load: grey, then the theme colour, and no background steps.
    hideDivision(true);
    View::setBackgroundColor(divisionView_, CatalogLook::mainColor());
    gradientSubviews_.clear();
    applyInsets();
}

double CategoryTableViewCell::levelMargin() const {
    return category_ ? double(category_->level() * kStep) : 0;
}

double CategoryTableViewCell::divisionMargin() const {
    const double margin = levelMargin();
    return margin == 0 ? kStep : margin;
}

QRect CategoryTableViewCell::getRectForLayerAtLevel(int level) const {
    return QRect(kStep * level, 0, width() - kStep * level, height());
}

double CategoryTableViewCell::getWhiteColorForLevel(int level) {
    return 1 - level * 2.658 * 0.04;
}

QColor CategoryTableViewCell::getBackgroundColorForLevel(int level) {
    const double white = getWhiteColorForLevel(level);
    return QColor::fromRgbF(float(white), float(white), float(white), 1.0f);
}

QString CategoryTableViewCell::description() const {
    return QStringLiteral("Cell for Category:\n%1").arg(category_ ? category_->name() : QString());
}

QList<QWidget*> CategoryTableViewCell::gradientSubviews() const {
    QList<QWidget*> views;
    for (const QPointer<QWidget>& v : gradientSubviews_)
        if (v)
            views.append(v);
    return views;
}

void CategoryTableViewCell::prepareCellForCategoryMarkAsSelected(const ProductCategoryPtr& category,
                                                                 int type, IndexPath indexPath,
                                                                 bool editing, bool selected) {
    category_ = category;
    markAsSelected(selected);
    prepareCellForCategory(category, type, indexPath, editing);
}

void CategoryTableViewCell::prepareCellForCategory(const ProductCategoryPtr& category, int type,
                                                   IndexPath indexPath, bool editing) {
    category_ = category;
    indexPath_ = indexPath;
    if (type == 0) {
        const int editingMargin = editing ? 38 : 0;
        levelIndicator_ = levelMargin();
        divisionMarginValue_ = divisionMargin();
        separatorInset_ = int(levelMargin()) + kStep + editingMargin;
        applyInsets();
        // The chooser's parts have no place in the editable list.
        delete checkMarkImageView_;
        delete chevronImageView_;
    } else if (type == 1) {
        delete productsQuantityLabel_;
        const bool hasChildren = category_ && !category_->subcategories().empty();
        hideDivision(hasChildren);
        if (chevronImageView_) {
            chevronImageView_->setVisible(hasChildren);
            if (hasChildren) {
                const QString name = category_->isOpen() ? QStringLiteral("chevron_up.png")
                                                         : QStringLiteral("chevron_down.png");
                chevronImageView_->setObjectName(QStringLiteral("chevronImageView"));
                chevronImageView_->setProperty("imageName", name);
                chevronImageView_->setPixmap(QPixmap::fromImage(CatalogLook::image(name).scaled(
                    16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            }
        }
    }
    setCategoryInformation();
    Clock::current().callAfter(1, this, [this] {
        createBackground();
        hideDivision(true);
    });
}

void CategoryTableViewCell::setCategoryInformation() {
    if (!category_)
        return;
    categoryTitleLabel_->setText(category_->name());
    if (productsQuantityLabel_) {
        const int total = category_->totalProductsInCategory();
        productsQuantityLabel_->setText(QString::number(total));
        productsQuantityLabel_->setVisible(total != 0);
    }
    const int count = int(category_->subcategories().size());
    if (count == 0)
        subcategoryTitleLabel_->setText(QString());
    else if (count == 1)
        subcategoryTitleLabel_->setText(
            CatalogLook::text("CategoriesList", "subcategoriesCount", {count}));
    else
        subcategoryTitleLabel_->setText(
            CatalogLook::text("CategoriesList", "subcategoriesCounts", {count}));
}

void CategoryTableViewCell::createBackground() {
    const int level = category_ ? category_->level() : 0;
    prepareForReuse();
    for (int i = 0; i <= level; ++i) {
        auto* step = new QWidget(gradientLayersContainerView_);
        step->setGeometry(getRectForLayerAtLevel(i));
        View::setTag(step, i);
        step->setAutoFillBackground(true);
        View::setBackgroundColor(step, getBackgroundColorForLevel(i));
        step->show();
        step->raise();
        gradientSubviews_.append(step);
    }
}

void CategoryTableViewCell::hideDivision(bool hide) {
    View::setBackgroundColor(divisionView_, hide ? QColor::fromRgbF(0.81f, 0.81f, 0.81f, 1.0f)
                                                 : CatalogLook::mainColor());
}

void CategoryTableViewCell::markAsSelected(bool selected) {
    const QString name = category_ ? category_->name() : QString();
    if (selected)
        Logging::debug(tarvelloUi, QStringLiteral("Mark as selected Category:\n %1").arg(name));
    else
        Logging::debug(tarvelloUi, QStringLiteral("Deselecting Category:\n%1").arg(name));
    const int extra = selected ? kMarkInset : 0;
    Clock::current().callAfter(10, this, [this, selected, extra] {
        marked_ = selected;
        if (checkMarkImageView_) {
            checkMarkImageView_->setPixmap(
                selected ? QPixmap::fromImage(
                               CatalogLook::image(QStringLiteral("checkmark.png"),
                                                  CatalogLook::mainColor())
                                   .scaled(18, 18, Qt::KeepAspectRatio, Qt::SmoothTransformation))
                         : QPixmap());
        }
        levelIndicator_ = levelMargin() + extra;
        divisionMarginValue_ = divisionMargin() + extra;
        applyInsets();
    });
}

void CategoryTableViewCell::prepareForReuse() {
    for (const QPointer<QWidget>& v : gradientSubviews_)
        delete v.data();
    gradientSubviews_.clear();
    for (QWidget* child : gradientLayersContainerView_->findChildren<QWidget*>(
             QString(), Qt::FindDirectChildrenOnly))
        delete child;
    if (checkMarkImageView_)
        checkMarkImageView_->setPixmap(QPixmap());
    marked_ = false;
    levelIndicator_ = levelMargin();
    divisionMarginValue_ = divisionMargin();
    applyInsets();
}

void CategoryTableViewCell::resizeEvent(QResizeEvent* event) {
    TableViewCell::resizeEvent(event);
    applyInsets();
    for (int i = 0; i < gradientSubviews_.size(); ++i)
        if (gradientSubviews_.at(i))
            gradientSubviews_.at(i)->setGeometry(getRectForLayerAtLevel(i));
}

void CategoryTableViewCell::applyInsets() {
    const int w = std::max(width(), 240);
    gradientLayersContainerView_->setGeometry(0, 0, w, kHeight);
    gradientLayersContainerView_->lower();
    const int x = int(levelIndicator_) + 15;
    containerView_->setGeometry(x, 0, w - x, kHeight - 1);
    categoryTitleLabel_->setGeometry(0, 6, w - x - 80, 22);
    subcategoryTitleLabel_->setGeometry(0, 28, w - x - 80, 16);
    if (productsQuantityLabel_)
        productsQuantityLabel_->setGeometry(w - x - 60, 0, 45, kHeight - 1);
    if (checkMarkImageView_)
        checkMarkImageView_->setGeometry(int(levelIndicator_) + 4, (kHeight - 18) / 2, 18, 18);
    if (chevronImageView_)
        chevronImageView_->setGeometry(w - 30, (kHeight - 16) / 2, 16, 16);
    divisionView_->setGeometry(int(divisionMarginValue_), kHeight - 1,
                               w - int(divisionMarginValue_), 1);
    containerView_->raise();
}
