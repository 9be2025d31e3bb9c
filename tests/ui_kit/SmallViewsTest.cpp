#include "Printers.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/Services.h"
#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "ui_kit/CutCopyPasteFixedWebView.h"
#include "ui_kit/DivLine.h"
#include "ui_kit/DivLineBlack.h"
#include "ui_kit/Extensions/MessageTableViewCell.h"
#include "ui_kit/Extensions/Resize.h"
#include "ui_kit/Extensions/Sorting.h"
#include "ui_kit/Extensions/imagePicker.h"
#include "ui_kit/GenericListTableViewCell.h"
#include "ui_kit/RoundCorners.h"
#include "ui_kit/TaxAdvisoryView.h"
#include "ui_kit/crossTotal.h"
#include "ui_kit/texts/Language.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace smallviews {

QColor labelColor(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

struct ThemeGuard {
    ThemeGuard()
        : saved(VersionDispatch::mainColor()) {
        VersionDispatch::setMainColor(QColor(0, 120, 200));
    }
    ~ThemeGuard() { VersionDispatch::setMainColor(saved); }
    std::optional<QColor> saved;
};

// Records the calls a panel makes on its presenter.
class RecordingPresenter : public TaxAdvisoryPresenterDelegate {
public:
    explicit RecordingPresenter(QString text)
        : text_(std::move(text)) {}
    QString fetchAdvisoryText() override {
        calls << "fetch";
        return text_;
    }
    bool shouldDisplayTaxAdvisory() override {
        calls << "should";
        return true;
    }
    void displayTaxAdvisoryAnimated(bool animated) override {
        calls << QStringLiteral("display %1").arg(animated);
    }
    QStringList calls;

private:
    QString text_;
};

class FixedImageSource : public ImageSource {
public:
    void pickImage(QWidget* parent, std::function<void(const QImage&)> completion) override {
        askedOver = parent;
        completion(picture);
    }
    QImage picture;
    QWidget* askedOver = nullptr;
};

} // namespace smallviews

TEST(GenericListCell, ColoursFollowSelectionAndHighlight) {
    smallviews::ThemeGuard theme;
    const QColor themeColor(0, 120, 200);
    GenericListTableViewCell cell;
    EXPECT_EQ(cell.icon()->tintColor(), themeColor);
    EXPECT_TRUE(cell.icon()->isTemplate());
    EXPECT_TRUE(cell.icon()->isHidden());
    EXPECT_EQ(smallviews::labelColor(cell.label()), QColor(Qt::black));

    // Highlighted and then released without selection: back to white and black.
    cell.setHighlighted(true, false);
    EXPECT_EQ(View::backgroundColor(&cell), QColor(250, 250, 250));
    EXPECT_EQ(smallviews::labelColor(cell.label()), themeColor);
    cell.setHighlighted(false, false);
    EXPECT_EQ(View::backgroundColor(&cell), QColor(Qt::white));
    EXPECT_EQ(smallviews::labelColor(cell.label()), QColor(Qt::black));

    // Selected: theme label and icon; a highlight changes neither and stays white.
    cell.setSelected(true, false);
    EXPECT_FALSE(cell.icon()->isHidden());
    EXPECT_EQ(smallviews::labelColor(cell.label()), themeColor);
    cell.setHighlighted(true, false);
    EXPECT_EQ(View::backgroundColor(&cell), QColor(Qt::white));
    EXPECT_EQ(smallviews::labelColor(cell.label()), themeColor);
    EXPECT_FALSE(cell.icon()->isHidden());
    cell.setSelected(false, false);
    EXPECT_TRUE(cell.icon()->isHidden());
    EXPECT_EQ(smallviews::labelColor(cell.label()), QColor(Qt::black));
}

TEST(DivLine, AnyHeightEndsAsTheThinnestLineInPlace) {
    QWidget parent;
    DivLine* light = new DivLine(&parent);
    DivLineBlack* dark = new DivLineBlack(&parent);
    for (QWidget* line : {static_cast<QWidget*>(light), static_cast<QWidget*>(dark)}) {
        line->setGeometry(12, 30, 200, 17);
        EXPECT_EQ(line->geometry(), QRect(12, 30, 200, 1));
    }
    EXPECT_EQ(View::backgroundColor(light), QColor(178, 178, 178));
    EXPECT_EQ(View::backgroundColor(dark), QColor(50, 50, 50));
    ASSERT_EQ(LayoutConstraint::constraintsOf(light).size(), 1);
    EXPECT_DOUBLE_EQ(LayoutConstraint::constraintsOf(light).first()->constant(), 0.5);
}

TEST(CutCopyPasteFixedWebView, ThirteenActionsReachThePage) {
    CutCopyPasteFixedWebView page;
    EXPECT_EQ(
        CutCopyPasteFixedWebView::editActionNames(),
        QStringList({"cut:", "copy:", "paste:", "select:", "selectAll:", "delete:",
                     "makeTextWritingDirectionLeftToRight:", "makeTextWritingDirectionRightToLeft:",
                     "toggleBoldface:", "toggleItalics:", "toggleUnderline:", "increaseSize:",
                     "decreaseSize:"}));
    EXPECT_EQ(page.actions().size(), 13);
    QWidget* inner = page.internalView();
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(page.internalView(), inner); // remembered

    page.setPlainText(QStringLiteral("Términos y condiciones"));
    page.findChild<QAction*>("selectAll:")->trigger();
    page.findChild<QAction*>("copy:")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Términos y condiciones"));

    // A read-only page keeps its text; an editable one takes the edit.
    page.findChild<QAction*>("delete:")->trigger();
    EXPECT_EQ(page.toPlainText(), QStringLiteral("Términos y condiciones"));
    page.setReadOnly(false);
    page.findChild<QAction*>("toggleBoldface:")->trigger();
    EXPECT_EQ(page.textCursor().charFormat().fontWeight(), QFont::Bold);
    page.findChild<QAction*>("delete:")->trigger();
    EXPECT_TRUE(page.toPlainText().isEmpty());
}

TEST(Sorting, IntegerAndNameOrders) {
    struct Case {
        QVariant first, second;
        int result;
    } cases[] = {
        {"12", "3", 1}, {"3", "12", -1}, {"-1", "0", -1}, {"7", "7", 0},
        {12, "3", 1},   {"abc", 0, 0},   {3.9, 3, 0},     {"2147483648", "2147483647", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(intSort(c.first, c.second, nullptr), c.result)
            << c.first.toString().toStdString() << " " << c.second.toString().toStdString();

    QVariantList keys{"12", "3", "-1", "0"};
    std::sort(keys.begin(), keys.end(),
              [](const QVariant& a, const QVariant& b) { return intSort(a, b, nullptr) < 0; });
    EXPECT_EQ(keys, QVariantList({"-1", "0", "3", "12"}));

    const QVariantMap ana{{"fullName", "ana"}}, Ana{{"fullName", "Ana"}},
        beto{{"fullName", "beto"}}, nameless{{"id", 1}},
        nullName{{"fullName", QVariant::fromValue(nullptr)}};
    EXPECT_EQ(subuserSort(ana, Ana, nullptr), 0);
    EXPECT_EQ(subuserSort(beto, Ana, nullptr), 1);
    EXPECT_EQ(subuserSort(nameless, ana, nullptr), -1); // no name reads ""
    EXPECT_EQ(subuserSort(nameless, nullName, nullptr), 0);
}

TEST(Resize, ScaleToSizeSqueezesToExactPixels) {
    QImage wide(1000, 500, QImage::Format_ARGB32);
    wide.fill(Qt::red);
    wide.setDevicePixelRatio(2);
    const QImage scaled = Resize::scaleToSize(wide, QSizeF(100, 100));
    EXPECT_EQ(scaled.size(), QSize(100, 100));
    EXPECT_EQ(scaled.devicePixelRatio(), 1.0);
    EXPECT_EQ(scaled.pixelColor(99, 99), QColor(Qt::red)); // filled to the corner
    EXPECT_TRUE(Resize::scaleToSize(wide, QSizeF(0, 10)).isNull());
}

TEST(ImagePicker, LandscapeOnlyAndThePictureComesFromTheSource) {
    auto source = std::make_shared<smallviews::FixedImageSource>();
    source->picture = QImage(4, 3, QImage::Format_RGB32);
    Services::set<ImageSource>(source);
    imagePicker picker;
    EXPECT_TRUE(picker.shouldAutorotate());
    EXPECT_EQ(picker.supportedInterfaceOrientations(), 24);
    QImage got;
    picker.pickImage(nullptr, [&](const QImage& image) { got = image; });
    EXPECT_EQ(got.size(), QSize(4, 3));
    EXPECT_EQ(source->askedOver, picker.view());
    Services::set<ImageSource>(nullptr);
}

TEST(MessageTableViewCell, ModesChooseTheText) {
    const QString noResults = Language::textForFile("GlobalTexts", "noResults");
    struct Case {
        int mode;
        QString message, shown;
    } cases[] = {
        {0, "ignored", noResults},       {1, "ignored", noResults},
        {2, "Sin ventas", "Sin ventas"}, {2, "", ""},
        {7, "ignored", "before"},
    };
    for (const Case& c : cases) {
        MessageTableViewCell cell;
        cell.resize(320, 44);
        cell.messageLabel()->setText("before");
        cell.prepareCellForMode(c.mode, c.message);
        EXPECT_EQ(cell.messageLabel()->text(), c.shown) << c.mode;
        EXPECT_EQ(cell.selectionStyle(), TableViewCell::SelectionStyle::Gray);
        ASSERT_NE(cell.selectedBackgroundView(), nullptr);
        EXPECT_EQ(View::backgroundColor(cell.selectedBackgroundView()), QColor(250, 250, 250));
        EXPECT_EQ(cell.selectedBackgroundView()->geometry(), cell.rect());
    }
    EXPECT_EQ(noResults, QStringLiteral("No se encontraron resultados"));
}

TEST(TaxAdvisoryView, RequiredHeightFromTheMeasuredText) {
    TaxAdvisoryView panel;
    panel.resize(320, 100);
    EXPECT_EQ(panel.requiredHeight(), 0);
    panel.resize(1000, 100);
    EXPECT_EQ(panel.requiredHeight(), 0); // no text, whatever the width

    panel.resize(320, 100);
    panel.setAdvisoryText("IVA incluido");
    EXPECT_EQ(panel.advisoryLabel()->text(), "IVA incluido");
    EXPECT_EQ(panel.requiredHeight(), TaxAdvisoryView::kDefaultHeight);

    // A long text, measured for the panel's width less 64: its height plus 32.
    const QString longText = QString("Los precios incluyen impuestos. ").repeated(12);
    panel.setAdvisoryText(longText);
    const int measured = panel.advisoryLabel()->heightForWidth(320 - 64);
    ASSERT_GT(measured, 64);
    EXPECT_NE(measured, panel.advisoryLabel()->heightForWidth(320));
    EXPECT_EQ(panel.requiredHeight(), measured + TaxAdvisoryView::kDefaultVerticalSpacing);
}

TEST(TaxAdvisoryView, TakesTheTextThenAsksToBeShownWithoutOwningThePresenter) {
    auto presenter = std::make_unique<smallviews::RecordingPresenter>("Régimen simplificado");
    {
        TaxAdvisoryView panel;
        panel.configureWithDelegate(presenter.get());
        EXPECT_EQ(presenter->calls, QStringList({"fetch", "display 0"}));
        EXPECT_EQ(panel.advisoryText(), "Régimen simplificado");
        EXPECT_EQ(panel.delegate(), presenter.get());
        EXPECT_NE(panel.findChild<QWidget*>("contentView"), nullptr);
        EXPECT_NE(panel.findChild<ImageView*>("advisoryImage"), nullptr);
    }
    // The panel is gone and the presenter lives on.
    EXPECT_EQ(presenter->calls.size(), 2);
}

TEST(RoundCorners, TheClipFollowsTheSize) {
    QWidget view;
    view.resize(100, 60);
    view.show(); // a hidden widget hears of its new size when shown
    RoundCorners::roundCorners(&view, RoundCorners::AllCorners, 8);
    EXPECT_FALSE(view.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(view.mask().contains(QPoint(99, 59)));
    EXPECT_TRUE(view.mask().contains(QPoint(50, 30)));
    EXPECT_TRUE(view.mask().contains(QPoint(8, 0)));
    EXPECT_DOUBLE_EQ(View::cornerRadius(&view), 8);

    view.resize(200, 60);
    EXPECT_TRUE(view.mask().contains(QPoint(150, 30)));
    EXPECT_FALSE(view.mask().contains(QPoint(199, 0)));

    // Only the top corners.
    RoundCorners::roundCorners(&view, RoundCorners::TopLeft | RoundCorners::TopRight, 8);
    EXPECT_FALSE(view.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(view.mask().contains(QPoint(0, 59)));
    EXPECT_TRUE(view.mask().contains(QPoint(199, 59)));
}

TEST(CrossTotal, StrikesCornerToCornerOverAClearBackground) {
    QWidget host;
    host.resize(100, 20);
    View::setBackgroundColor(&host, Qt::white);
    auto* cross = new crossTotal(&host);
    cross->setGeometry(0, 0, 100, 20);
    const QImage shot = host.grab().toImage();
    EXPECT_EQ(shot.pixelColor(50, 2), QColor(Qt::white)); // nothing but the lines
    EXPECT_LT(shot.pixelColor(50, 10).red(), 240);        // where the lines cross
    EXPECT_LT(shot.pixelColor(1, 0).red(), 255);          // from (0, 0)
    EXPECT_LT(shot.pixelColor(98, 0).red(), 255);         // from (100, 0)
}
